#include "win32/services/screen.h"

#include <windows.h>

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

namespace {

// Looked up at run time: a program that imported them would not start on
// the Windows versions before them.
template <class Function>
Function* SystemFunction(const wchar_t* module, const char* name) {
    HMODULE handle = GetModuleHandleW(module);
    if (!handle) handle = LoadLibraryExW(module, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!handle) return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}

using GetDpiForWindowFunction = UINT WINAPI(HWND);
using GetDpiForMonitorFunction = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
using AdjustWindowRectExForDpiFunction = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

}  // namespace

int MonitorDpi(HMONITOR monitor) {
    static const auto getDpiForMonitor =
        SystemFunction<GetDpiForMonitorFunction>(L"shcore.dll", "GetDpiForMonitor");
    UINT dpiX = 0, dpiY = 0;
    if (monitor && getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY)) &&
        dpiX > 0)
        return static_cast<int>(dpiX);
    return ScreenDpiX();
}

int DpiOfWindow(HWND hwnd) {
    static const auto getDpiForWindow =
        SystemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
    const UINT dpi = getDpiForWindow && hwnd ? getDpiForWindow(hwnd) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : ScreenDpiX();
}

SIZE OuterSizeFor(SIZE client, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjustForDpi =
        SystemFunction<AdjustWindowRectExForDpiFunction>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT outer{0, 0, client.cx, client.cy};
    if (!adjustForDpi || !adjustForDpi(&outer, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
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
