// The least a Win32 program does to show a window: the baseline for
// zantoli.exe's start. Built a second time as the reference "yardstick"
// (STARTUP_YARDSTICK): the same window holding one combo box, linked with
// the programs' manifest, so the cost of the version-6 common controls
// that the manifest brings shows on its own.
#include <windows.h>

namespace {

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"ZantoliStartupBaseline";
    RegisterClassW(&wc);
#ifdef STARTUP_YARDSTICK
    const wchar_t* const title = L"Startup yardstick";
#else
    const wchar_t* const title = L"Startup baseline";
#endif
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, 240, 90, nullptr, nullptr, instance,
                                nullptr);
#ifdef STARTUP_YARDSTICK
    CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 0, 40, 217, 120,
                    hwnd, nullptr, instance, nullptr);
#endif
    ShowWindow(hwnd, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
