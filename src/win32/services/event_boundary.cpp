#include "win32/services/event_boundary.h"

namespace zantoli::win32 {

void ShowStandardErrorAndEnd(Desktop& desktop, const std::string& failure,
                             const std::string& title) {
    try {
        desktop.MsgBox(failure, title, vbCritical);
    } catch (...) {
        // Nothing more can be shown; ending is what matters.
    }
    EndProgram(desktop, kExitFailure);
}

}  // namespace zantoli::win32
