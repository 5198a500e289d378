#include "win32/services/screen.h"

#include <windows.h>

#include <cmath>

#include "win32/services/handles.h"

namespace zantoli::win32 {

namespace {

int ScreenCaps(int index) {
    const WindowDC screen(nullptr);
    if (screen.get() == nullptr) return 96;
    const int value = GetDeviceCaps(screen.get(), index);
    return value > 0 ? value : 96;
}

}  // namespace

int ScreenDpiX() { return ScreenCaps(LOGPIXELSX); }
int ScreenDpiY() { return ScreenCaps(LOGPIXELSY); }

int TwipsToPixels(float twips, int dpi) {
    constexpr double kLimit = 32767;
    if (std::isnan(twips)) return 0;
    const double pixels = static_cast<double>(twips) / static_cast<double>(TwipsPerPixel(dpi));
    if (pixels >= kLimit) return static_cast<int>(kLimit);
    if (pixels <= -kLimit) return -static_cast<int>(kLimit);
    return static_cast<int>(std::lround(pixels));
}

float ScreenWidthTwips() {
    return PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), ScreenDpiX());
}

float ScreenHeightTwips() {
    return PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), ScreenDpiY());
}

float VirtualScreenRightTwips() {
    return PixelsToTwips(
        GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN), ScreenDpiX());
}

float VirtualScreenBottomTwips() {
    return PixelsToTwips(
        GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN), ScreenDpiY());
}

bool OnAnyMonitorTwips(float left, float top, float width, float height) {
    const int dpiX = ScreenDpiX(), dpiY = ScreenDpiY();
    RECT r{};
    r.left = TwipsToPixels(left, dpiX);
    r.top = TwipsToPixels(top, dpiY);
    // Computed in twips and saturated once, so no pixel sum can overflow.
    r.right = TwipsToPixels(left + width, dpiX);
    r.bottom = TwipsToPixels(top + height, dpiY);
    return MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr;
}

}  // namespace zantoli::win32
