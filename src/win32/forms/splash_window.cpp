#include "win32/forms/splash_window.h"

#include "window/splash.h"
#include "win32/services/event_boundary.h"
#include "win32/services/screen.h"
#include "win32/services/win32_error.h"

namespace zantoli::win32 {

namespace {

// Design, in twips and colours.
constexpr float kClientWidth = 3360, kClientHeight = 1650;
constexpr COLORREF kBackground = RGB(192, 255, 255);
constexpr COLORREF kTextColour = RGB(0, 0, 255);
constexpr const wchar_t* kLabel1 = L"Linea de Comando para Trazalia R14 v1.01";
constexpr const wchar_t* kLabel2 = L"Vurotec";
constexpr const wchar_t* kLabel3 = L"Escriba orden o alias y pulse Intro";

}  // namespace

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

    // SS_CENTER wraps at word boundaries inside the label.
    const ChildControl labels[] = {
        {0, L"STATIC", kLabel1, SS_CENTER | SS_NOPREFIX, 0, {120, 120, 3135, 735}},
        {0, L"STATIC", kLabel2, SS_CENTER | SS_NOPREFIX, 0, {120, 1080, 3135, 255}},
        {0, L"STATIC", kLabel3, SS_CENTER | SS_NOPREFIX, 0, {120, 1320, 3015, 255}},
    };
    for (int i = 0; i < 3; ++i) {
        labels_[i] = CreateChildControl(hwnd(), instance_, labels[i], dpi_.monitor,
                                        "No se ha podido crear la ventana de presentación");
        const HFONT font = i == 0 ? titleFont_.get() : smallFont_.get();
        SendMessageW(labels_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }

    if (!SetTimer(hwnd(), kTimer1, Splash::kTimer1IntervalMs, nullptr))
        ThrowLastError("No se ha podido poner en marcha la ventana de presentación");
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
