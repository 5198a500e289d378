#include "win32/services/screen.h"

#include <windows.h>

#include <cmath>

namespace zantoli::win32 {

namespace {

int ScreenCaps(int index) {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return 96;
    const int value = GetDeviceCaps(screen, index);
    ReleaseDC(nullptr, screen);
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

}  // namespace zantoli::win32
