#include <string>
#include <string_view>

#include "command/alias_line.h"
#include "command/alias_lookup.h"
#include "system/app_files.h"
#include "form1/form1.h"

namespace zantoli {

std::string Form1::VerAlias(std::string& st) {
    st = sys_.UCase(st);
    // Read anew for every command, so an edit of the file counts at once.
    AliasLookup lookup(sys_, st);
    sys_.ReadLines(AppFile(app_files::kAliases),
                   [&lookup](std::string_view line) { lookup.Line(line); });
    return CommandEnterSends(st, lookup.Command());
}

}  // namespace zantoli
