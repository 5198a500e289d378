#include "win32/forms/splash_window.h"

#include "window/splash.h"
#include "win32/services/event_boundary.h"
#include "win32/services/screen.h"
#include "win32/services/win32_error.h"

namespace zantoli::win32 {

SplashWindow::SplashWindow(HINSTANCE instance, int dpi)
    : instance_(instance), dpi_(dpi), form_(dpi, SW_SHOWNOACTIVATE) {}

void SplashWindow::Create(Splash& splash, Desktop& desktop) {
    splash_ = &splash;
    desktop_ = &desktop;
    background_.Reset(CreateSolidBrush(kBackground));
    titleFont_.Reset(CreateDesignFont(L"Arial", 12.0f, true, dpi_));
    smallFont_.Reset(CreateDesignFont(L"Arial", 8.25f, false, dpi_));

    // The background is painted from this object's brush, not the class's.
    RegisterOnce(instance_, kClassName, nullptr, 0);
    const DWORD style = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_TOOLWINDOW;  // no taskbar button for a title
    RECT outer{0, 0, TwipsToPixels(kClientWidth, dpi_), TwipsToPixels(kClientHeight, dpi_)};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    if (!CreateAs(exStyle, kClassName, L"", style, x, y, width, height, instance_)) {
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
                                 TwipsToPixels(left, dpi_), TwipsToPixels(top, dpi_),
                                 TwipsToPixels(width, dpi_), TwipsToPixels(height, dpi_), hwnd(),
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
