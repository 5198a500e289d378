#include <string>

#include "window/form1.h"

namespace zantoli {

std::string Form1::ValeCom(std::string& st) {
    int valid = 1;
    if (!st.empty() && st.front() == '.') st.erase(0, 1);
    // Commands and variables that would let a typed line reconfigure or
    // extend the CAD application. The last word catches a command name
    // written with a leading full stop inside quotes in an expression.
    static const std::string blocked[] = {
        "MENU",     "MENULOAD",   "APPLOAD",    "ACADVER",  "ACADPREFIX",
        "LOGINNAME", "MENUNAME",  "PLATFORM",   "POPUPS",   "SCREENMODE",
        "SETVAR",   "LOAD",       "ARX",        "UNDEFINE", "MENUUNLOAD",
        "MULTIPLE", "REINIT",     "SYSWINDOWS", "\".",
    };
    for (const std::string& word : blocked) {
        if (EstaSt(st, word) == 1) valid = 0;
    }
    return valid == 1 ? st : std::string("0");
}

int Form1::EstaSt(const std::string& st1, const std::string& st2) {
    // No start position exists in an empty text, not even for an empty word.
    if (st1.empty()) return 0;
    return st1.find(st2) != std::string::npos ? 1 : 0;
}

}  // namespace zantoli
