#include "command/suggestions.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "command/alias_line.h"
#include "command/validation.h"
#include "system/app_files.h"
#include "system/file_error.h"

namespace zantoli {

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

}  // namespace

std::string Suggestion::Spoken() const {
    if (group == SuggestionGroup::History) return text;
    return text + ", " + command;
}

Suggestions::Suggestions(const System& sys) : sys_(sys), path_(sys.AppDir() + app_files::kAliases) {}

void Suggestions::Refresh() {
    const std::optional<FileStamp> stamp = sys_.StampOf(path_);
    if (stamp && stamp_ && *stamp == *stamp_) return;
    stamp_.reset();
    aliases_.clear();
    byCommand_.clear();
    if (!stamp) return;
    // The last line of an alias decides, even one without a command.
    std::map<std::string, std::string> byName;
    try {
        sys_.ReadLines(path_, [&](std::string_view line) {
            const std::optional<AliasLine> split = SplitAliasLine(line);
            if (!split) return;
            byName[sys_.UCase(std::string(split->alias))] = sys_.UCase(std::string(split->command));
        });
    } catch (const FileError&) {
        return;  // Enter reports it; the list just has no aliases
    }
    for (auto& [name, command] : byName) {
        if (name.empty()) continue;  // no typed text matches it
        std::string sent = CommandEnterSends(name, command);
        const bool refused = sent == kRefusedCommand;
        aliases_.push_back({name, refused ? WithoutLeadingStop(command.empty() ? name : command) : std::move(sent),
                            refused});
    }
    byCommand_.resize(aliases_.size());
    for (std::size_t i = 0; i < aliases_.size(); ++i) byCommand_[i] = i;
    // Names are unique and already in order, so the sort is stable.
    std::stable_sort(byCommand_.begin(), byCommand_.end(),
                     [this](std::size_t a, std::size_t b) { return aliases_[a].command < aliases_[b].command; });
    stamp_ = stamp;
}

// At most kMaxSuggestions, the groups one after the other.
std::vector<Suggestion> Suggestions::AliasesFor(const std::string& key) const {
    std::vector<Suggestion> list;
    const auto add = [&](const Alias& alias, SuggestionGroup group, std::size_t at) {
        list.push_back({group, alias.name, alias.command, alias.refused, at, key.size()});
        return list.size() < kMaxSuggestions;
    };
    auto byName = std::lower_bound(aliases_.begin(), aliases_.end(), key,
                                   [](const Alias& a, const std::string& k) { return a.name < k; });
    for (; byName != aliases_.end() && StartsWith(byName->name, key); ++byName) {
        if (!add(*byName, SuggestionGroup::AliasName, 0)) return list;
    }
    auto start = std::lower_bound(byCommand_.begin(), byCommand_.end(), key,
                                  [this](std::size_t a, const std::string& k) { return aliases_[a].command < k; });
    for (; start != byCommand_.end() && StartsWith(aliases_[*start].command, key); ++start) {
        const Alias& alias = aliases_[*start];
        if (!StartsWith(alias.name, key) && !add(alias, SuggestionGroup::CommandStart, 0)) return list;
    }
    for (const std::size_t index : byCommand_) {
        const Alias& alias = aliases_[index];
        const std::size_t at = alias.command.find(key, 1);
        if (at == std::string::npos || StartsWith(alias.name, key) || StartsWith(alias.command, key)) continue;
        if (!add(alias, SuggestionGroup::CommandInside, at)) return list;
    }
    return list;
}

std::vector<Suggestion> Suggestions::For(const std::string& typed, const std::vector<std::string>& history) {
    if (typed.empty()) return {};
    Refresh();
    const std::string key = sys_.UCase(typed);
    std::vector<Suggestion> list = AliasesFor(key);

    // Enough matching entries that the aliases shown cannot hide them all.
    std::vector<const std::string*> entries;
    for (const std::string& entry : history) {
        if (entries.size() == 2 * kMaxSuggestions) break;
        if (StartsWith(sys_.UCase(entry), key)) entries.push_back(&entry);
    }
    // An alias listed is not listed again as typed earlier; fewer aliases
    // leave room for the history, which may then show an entry more.
    std::size_t aliasCount = list.size();
    std::vector<const std::string*> shown;
    for (;;) {
        shown.clear();
        for (const std::string* entry : entries) {
            const std::string upper = sys_.UCase(*entry);
            const bool listed = std::any_of(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(aliasCount),
                                            [&](const Suggestion& s) { return s.text == upper; });
            if (!listed) shown.push_back(entry);
        }
        const std::size_t room = kMaxSuggestions - std::min(shown.size(), kHistoryShare);
        if (aliasCount <= room) break;
        aliasCount = room;
    }
    list.resize(aliasCount);
    for (const std::string* entry : shown) {
        if (list.size() == kMaxSuggestions) break;
        list.push_back({SuggestionGroup::History, *entry, "", false, 0, key.size()});
    }
    return list;
}

}  // namespace zantoli
