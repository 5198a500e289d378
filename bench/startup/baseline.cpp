// The least a Win32 program does to show a window: the baseline for
// zantoli.exe's start. Built a second time as the reference "yardstick"
// (STARTUP_YARDSTICK): the same window holding one combo box, linked with
// the programs' manifest, so the cost of the version-6 common controls
// that the manifest brings shows on its own.
#include <windows.h>

#include "minimal_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
#ifdef STARTUP_YARDSTICK
    const wchar_t* const title = L"Startup yardstick";
#else
    const wchar_t* const title = L"Startup baseline";
#endif
    const HWND hwnd = bench::CreateMinimalWindow(
        instance, {L"ZantoliStartupBaseline", title, WS_EX_TOOLWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 240, 90,
                   bench::QuitOnDestroy});
#ifdef STARTUP_YARDSTICK
    CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 0, 40, 217, 120,
                    hwnd, nullptr, instance, nullptr);
#endif
    ShowWindow(hwnd, show);
    return bench::RunMessageLoop();
}
