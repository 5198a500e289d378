#include "command/alias_lookup.h"

#include "command/alias_line.h"

namespace zantoli {

AliasLookup::AliasLookup(const Desktop& desktop, const std::string& typed)
    : desktop_(desktop), typed_(typed) {
    // Every byte but NUL, which has no case and would end the text for
    // some platform calls.
    std::string bytes(255, '\0');
    for (int code = 1; code <= 255; ++code) bytes[code - 1] = static_cast<char>(code);
    const std::string upper = desktop_.UCase(bytes);
    byteWise_ = upper.size() == bytes.size();
    if (byteWise_) {
        for (int code = 1; code <= 255; ++code)
            upper_[code] = static_cast<unsigned char>(upper[code - 1]);
    }
}

void AliasLookup::Line(std::string_view line) {
    // Most lines differ from the typed text in their first bytes: those are
    // passed over before the line is taken apart.
    if (byteWise_ && !MayMatch(line)) return;
    const std::optional<AliasLine> split = SplitAliasLine(line);
    if (!split || !AliasMatches(split->alias)) return;
    command_.assign(split->command.data(), split->command.size());
}

bool AliasLookup::MayMatch(std::string_view line) const {
    const std::size_t length = typed_.size();
    if (line.size() < length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c == ';' || upper_[c] != static_cast<unsigned char>(typed_[i])) return false;
    }
    return line.size() == length || line[length] == ';';
}

bool AliasLookup::AliasMatches(std::string_view alias) const {
    if (!byteWise_) return desktop_.UCase(std::string(alias)) == typed_;
    if (alias.size() != typed_.size()) return false;
    for (std::size_t i = 0; i < alias.size(); ++i) {
        if (upper_[static_cast<unsigned char>(alias[i])] != static_cast<unsigned char>(typed_[i])) return false;
    }
    return true;
}

std::string AliasLookup::Command() const {
    return command_.empty() ? std::string() : desktop_.UCase(command_);
}

}  // namespace zantoli
