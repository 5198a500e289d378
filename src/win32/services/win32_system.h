// The real System on Win32, created by CreateWin32System so that callers
// need not include windows.h.
#pragma once

#include <functional>
#include <memory>

#include "system/system.h"

namespace zantoli::win32 {

class Win32System : public System {
public:
    // The program's main window: the owner of its message boxes, and the
    // window whose focus AppActivate's wait waits for. 0 until the form
    // layer gives it; without it message boxes have no owner and the wait
    // is skipped.
    virtual void SetMainWindow(WindowHandle hWnd) = 0;
    virtual WindowHandle MainWindow() const = 0;
    // `last` runs once at any end of the program (the close, the end for a
    // failure), before anything else of the end.
    virtual void AtEnd(std::function<void()> last) = 0;
};

std::unique_ptr<Win32System> CreateWin32System();

}  // namespace zantoli::win32
