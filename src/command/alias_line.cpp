#include "command/alias_line.h"

#include "command/fields.h"
#include "command/validation.h"

namespace zantoli {

std::optional<AliasLine> SplitAliasLine(std::string_view line) {
    if (!line.empty() && line.front() == ';') return std::nullopt;
    AliasLine split;
    split.alias = FieldOf(line, 0, ';');
    split.second = FieldOf(line, 1, ';');
    split.command = FieldOf(split.second, 1, '*');
    return split;
}

std::string CommandEnterSends(const std::string& typed, const std::string& command) {
    std::string result = command.empty() ? typed : command;
    if (result.compare(0, 2, "$>") != 0) result = ValidatedCommand(result);
    return result;
}

}  // namespace zantoli
