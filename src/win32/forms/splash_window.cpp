#include "win32/forms/splash_window.h"

#include "window/splash.h"
#include "win32/services/event_boundary.h"
#include "win32/services/screen.h"
#include "win32/services/win32_error.h"

namespace zantoli::win32 {

SplashWindow::SplashWindow(HINSTANCE instance) : instance_(instance), form_(dpi_, SW_SHOWNOACTIVATE) {}

void SplashWindow::Create(Splash& splash, Desktop& desktop, HWND commandWindow) {
    splash_ = &splash;
    desktop_ = &desktop;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    const HMONITOR handle = MonitorFromWindow(commandWindow, MONITOR_DEFAULTTOPRIMARY);
    if (!GetMonitorInfoW(handle, &monitor))
        monitor.rcMonitor = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    dpi_.system = ScreenDpiX();
    dpi_.monitor = MonitorDpi(handle);

    background_.Reset(CreateSolidBrush(kBackground));
    titleFont_.Reset(CreateDesignFont(L"Arial", 12.0f, true, dpi_.monitor));
    smallFont_.Reset(CreateDesignFont(L"Arial", 8.25f, false, dpi_.monitor));

    // The background is painted from this object's brush, not the class's.
    RegisterOnce(instance_, kClassName, nullptr, 0);
    const DWORD style = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_TOOLWINDOW;  // no taskbar button for a title
    const SIZE outer = OuterSizeFor(
        SIZE{TwipsToPixels(kClientWidth, dpi_.monitor), TwipsToPixels(kClientHeight, dpi_.monitor)}, style,
        exStyle, dpi_.monitor);
    const RECT& screen = monitor.rcMonitor;
    const int x = screen.left + (screen.right - screen.left - outer.cx) / 2;
    const int y = screen.top + (screen.bottom - screen.top - outer.cy) / 2;
    if (!CreateAs(exStyle, kClassName, L"", style, x, y, outer.cx, outer.cy, instance_)) {
        ThrowLastError("No se ha podido crear la ventana de presentación");
    }
    form_.Attach(hwnd());

    labels_[0] = CreateLabel(kLabel1, 120, 120, 3135, 735, titleFont_.get());
    labels_[1] = CreateLabel(kLabel2, 120, 1080, 3135, 255, smallFont_.get());
    labels_[2] = CreateLabel(kLabel3, 120, 1320, 3015, 255, smallFont_.get());

    SetTimer(hwnd(), kTimer1, Splash::kTimer1IntervalMs, nullptr);
}

HWND SplashWindow::CreateLabel(const wchar_t* text, float left, float top, float width,
                               float height, HFONT font) {
    // SS_CENTER wraps at word boundaries inside the label.
    HWND label = CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX,
                                 TwipsToPixels(left, dpi_.monitor), TwipsToPixels(top, dpi_.monitor),
                                 TwipsToPixels(width, dpi_.monitor), TwipsToPixels(height, dpi_.monitor), hwnd(),
                                 nullptr, instance_, nullptr);
    if (!label) {
        ThrowLastError("No se ha podido crear la ventana de presentación");
    }
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return label;
}

LRESULT SplashWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kTimer1 && splash_) {
            RunEventHandler(*desktop_, [this] { splash_->Timer1_Timer(); });
            return 0;
        }
        break;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(hwnd(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, background_.get());
        return 1;
    }
    case WM_CTLCOLORSTATIC: {
        // The labels let the light cyan show through.
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kTextColour);
        SetBkColor(dc, kBackground);
        return reinterpret_cast<LRESULT>(background_.get());
    }
    case WM_CLOSE:
        // A title window is not closed; the timer hides it.
        return 0;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace zantoli::win32
