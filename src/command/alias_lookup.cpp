#include "command/alias_lookup.h"

#include "command/fields.h"

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
    if (!line.empty() && line.front() == ';') return;  // a comment
    if (!AliasMatches(line)) return;
    const std::string_view command = FieldOf(FieldOf(line, 1, ';'), 1, '*');
    command_.assign(command.data(), command.size());
}

bool AliasLookup::AliasMatches(std::string_view line) const {
    if (!byteWise_) return desktop_.UCase(std::string(FieldOf(line, 0, ';'))) == typed_;
    // The alias field is the text before the first ';'. Most lines differ
    // from the typed text in their first bytes, so compare while scanning
    // instead of looking for the end of the field first.
    const std::size_t length = typed_.size();
    if (line.size() < length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c == ';' || upper_[c] != static_cast<unsigned char>(typed_[i])) return false;
    }
    return line.size() == length || line[length] == ';';
}

std::string AliasLookup::Command() const {
    return command_.empty() ? std::string() : desktop_.UCase(command_);
}

}  // namespace zantoli
