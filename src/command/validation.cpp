#include "command/validation.h"

namespace zantoli {

std::string WithoutLeadingStop(std::string_view command) {
    if (!command.empty() && command.front() == '.') command.remove_prefix(1);
    return std::string(command);
}

bool HoldsBlockedWord(std::string_view command) {
    // The last word catches a command name written with a leading full stop
    // inside quotes in an expression.
    static constexpr std::string_view blocked[] = {
        "MENU",     "MENULOAD",   "APPLOAD",    "ACADVER",  "ACADPREFIX",
        "LOGINNAME", "MENUNAME",  "PLATFORM",   "POPUPS",   "SCREENMODE",
        "SETVAR",   "LOAD",       "ARX",        "UNDEFINE", "MENUUNLOAD",
        "MULTIPLE", "REINIT",     "SYSWINDOWS", "\".",
    };
    for (const std::string_view word : blocked) {
        if (Contains(command, word)) return true;
    }
    return false;
}

std::string ValidatedCommand(std::string& st) {
    st = WithoutLeadingStop(st);
    return HoldsBlockedWord(st) ? std::string(kRefusedCommand) : st;
}

bool RefusedBeforeSending(std::string_view command) {
    const std::string validated = WithoutLeadingStop(command);
    return HoldsBlockedWord(validated) || validated == kRefusedCommand;
}

bool Contains(std::string_view text, std::string_view word) {
    return !text.empty() && text.find(word) != std::string_view::npos;
}

}  // namespace zantoli
