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

namespace {

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    auto* areas = reinterpret_cast<std::vector<ScreenArea>*>(param);
    const int dpiX = ScreenDpiX(), dpiY = ScreenDpiY();
    const RECT& r = info.rcWork;
    const ScreenArea area{PixelsToTwips(r.left, dpiX), PixelsToTwips(r.top, dpiY),
                          PixelsToTwips(r.right - r.left, dpiX), PixelsToTwips(r.bottom - r.top, dpiY)};
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        areas->insert(areas->begin(), area);
    else
        areas->push_back(area);
    return TRUE;
}

}  // namespace

std::vector<ScreenArea> WorkAreasTwips() {
    std::vector<ScreenArea> areas;
    EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

}  // namespace zantoli::win32
