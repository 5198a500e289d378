#include "win32/services/event_boundary.h"

#include <exception>

namespace zantoli::win32 {

void ShowStandardErrorAndEnd(Desktop& desktop, const std::string& failure,
                             const std::string& title) {
    try {
        desktop.MsgBox(failure, title, vbCritical);
    } catch (...) {
        // Nothing more can be shown; ending is what matters.
    }
    desktop.End(kExitFailure);
    // End never returns; should an implementation do so, nothing may run on.
    std::terminate();
}

}  // namespace zantoli::win32
