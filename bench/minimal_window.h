// The least a Win32 program does to show one window and run until it is
// closed. The benchmarks' reference programs measure Zantoli against it.
#pragma once

#include <windows.h>

namespace bench {

struct WindowSpec {
    const wchar_t* className;
    const wchar_t* title;
    DWORD exStyle;
    int x, y, width, height;
    WNDPROC procedure;
};

// Ends the message loop when the window goes; everything else is the default.
inline LRESULT CALLBACK QuitOnDestroy(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Registers the class and creates the (hidden) window; nullptr on failure.
inline HWND CreateMinimalWindow(HINSTANCE instance, const WindowSpec& spec) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = spec.procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = spec.className;
    if (!RegisterClassW(&wc)) return nullptr;
    return CreateWindowExW(spec.exStyle, spec.className, spec.title, WS_OVERLAPPEDWINDOW, spec.x, spec.y,
                           spec.width, spec.height, nullptr, nullptr, instance, nullptr);
}

// Runs until the window's WM_QUIT; returns its exit code.
inline int RunMessageLoop() {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace bench
