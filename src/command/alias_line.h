// One line of the alias file taken apart, the one way the command window,
// its suggestions and aliascheck all read it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zantoli {

// Views into the line, as written (not upper-cased).
struct AliasLine {
    std::string_view alias;    // the text before the first ';'
    std::string_view second;   // between the first and the second ';'
    std::string_view command;  // in `second`, between its first and second '*'
};

// Nothing for a comment (a line that begins with ';'); every other line,
// a blank one too, is an entry.
std::optional<AliasLine> SplitAliasLine(std::string_view line);

// What Enter sends for `typed` (upper-cased) when the last alias line that
// matched it gave `command` (upper-cased; empty: none matched, or the line
// has no command, and the typed text stays). A "$>" text goes unchecked;
// anything else loses one leading full stop and is "0" when refused.
std::string CommandEnterSends(const std::string& typed, const std::string& command);

}  // namespace zantoli
