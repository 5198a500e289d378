// The title window: light cyan, one-pixel border, no title bar, centred on
// the command window's monitor, three blue labels. Its timer ticks every three seconds from
// creation for the whole life of the program.
#pragma once

#include <windows.h>

#include "system/system.h"
#include "system/twips.h"
#include "win32/forms/hwnd_controls.h"
#include "win32/forms/window_base.h"

namespace zantoli {
class Splash;
}

namespace zantoli::win32 {

class SplashWindow : public WindowBase<SplashWindow> {
public:
    static constexpr const wchar_t* kClassName = L"ZantoliPresentacion";
    static constexpr UINT_PTR kTimer1 = 1;

    explicit SplashWindow(HINSTANCE instance);
    ~SplashWindow() { Destroy(); }

    // What Form1 and Splash use; Show does not take the activation.
    HwndForm& form() { return form_; }
    HWND label(int number) const { return labels_[number - 1]; }

    // Creates the hidden window, centred on the monitor `commandWindow` is
    // on and measured in that monitor's DPI, and starts Timer1, whose ticks
    // go to `splash` through the event boundary of `desktop`.
    void Create(Splash& splash, Desktop& desktop, HWND commandWindow);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    HINSTANCE instance_;
    WindowDpi dpi_;
    HwndForm form_;
    HWND labels_[3] = {};
    GdiObject<HBRUSH> background_;
    GdiObject<HFONT> titleFont_, smallFont_;
    Splash* splash_ = nullptr;
    Desktop* desktop_ = nullptr;
};

}  // namespace zantoli::win32
