// The words a command must not contain, written out again on the tests' side
// so that the tests and the fuzzer check the program against an independent
// list rather than against its own.
#pragma once

#include <array>

namespace zantoli::testing {

inline constexpr std::array<const char*, 19> kBlockedWords = {
    "MENU",       "MENULOAD", "APPLOAD", "ACADVER",    "ACADPREFIX", "LOGINNAME", "MENUNAME",
    "PLATFORM",   "POPUPS",   "SCREENMODE", "SETVAR",  "LOAD",       "ARX",       "UNDEFINE",
    "MENUUNLOAD", "MULTIPLE", "REINIT",  "SYSWINDOWS", "\".",
};

}  // namespace zantoli::testing
