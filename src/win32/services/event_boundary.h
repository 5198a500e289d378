// The one boundary around every event handler: a failure that nothing
// trapped shows the standard error message and ends the program. No
// exception may unwind through the system's window procedure.
#pragma once

#include <exception>
#include <string>
#include <utility>

#include "system/system.h"

namespace zantoli::win32 {

// A stop-icon message box naming the failure, then Desktop::End(kExitFailure).
[[noreturn]] void ShowStandardErrorAndEnd(Desktop& desktop, const std::string& failure,
                                          const std::string& title = "Zantoli");

template <typename Handler>
void RunEventHandler(Desktop& desktop, Handler&& handler, const std::string& title = "Zantoli") {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& failure) {
        ShowStandardErrorAndEnd(desktop, failure.what(), title);
    } catch (...) {
        ShowStandardErrorAndEnd(desktop, "Error inesperado.", title);
    }
}

}  // namespace zantoli::win32
