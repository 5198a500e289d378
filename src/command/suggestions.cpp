#include "command/suggestions.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "command/fields.h"
#include "system/app_files.h"
#include "system/file_error.h"

namespace zantoli {

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

}  // namespace

Suggestions::Suggestions(const System& sys) : sys_(sys), path_(sys.AppDir() + app_files::kAliases) {}

void Suggestions::Refresh() {
    const std::optional<FileStamp> stamp = sys_.StampOf(path_);
    if (stamp && stamp_ && *stamp == *stamp_) return;
    stamp_.reset();
    aliases_.clear();
    if (!stamp) return;
    // As the lookup reads it: comments skipped, the last line of an alias
    // decides, and one without a command changes nothing.
    std::map<std::string, std::string> byName;
    try {
        sys_.ReadLines(path_, [&](std::string_view line) {
            if (!line.empty() && line.front() == ';') return;
            byName[sys_.UCase(std::string(FieldOf(line, 0, ';')))] =
                sys_.UCase(std::string(FieldOf(FieldOf(line, 1, ';'), 1, '*')));
        });
    } catch (const FileError&) {
        return;  // Enter reports it; the list just has no aliases
    }
    for (auto& [name, command] : byName) {
        if (!name.empty() && !command.empty()) aliases_.push_back({name, std::move(command)});
    }
    stamp_ = stamp;
}

std::vector<Suggestion> Suggestions::For(const std::string& typed, const std::vector<std::string>& history) {
    std::vector<Suggestion> list;
    if (typed.empty()) return list;
    Refresh();
    const std::string key = sys_.UCase(typed);
    auto alias = std::lower_bound(aliases_.begin(), aliases_.end(), key,
                                  [](const Alias& a, const std::string& k) { return a.name < k; });
    for (; alias != aliases_.end() && StartsWith(alias->name, key) && list.size() < kMaxSuggestions; ++alias)
        list.push_back({alias->name, alias->name + "  " + alias->command});
    const std::size_t aliasCount = list.size();
    for (auto entry = history.rbegin(); entry != history.rend() && list.size() < kMaxSuggestions; ++entry) {
        const std::string upper = sys_.UCase(*entry);
        if (!StartsWith(upper, key)) continue;
        // An alias already listed is not listed again as typed earlier.
        const bool listed = std::any_of(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(aliasCount),
                                        [&](const Suggestion& s) { return s.text == upper; });
        if (!listed) list.push_back({*entry, *entry});
    }
    return list;
}

}  // namespace zantoli
