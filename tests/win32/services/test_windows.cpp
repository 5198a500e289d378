#include "test_windows.h"

namespace zantoli::win32::testing {

namespace {

const wchar_t* const kOwnClass = L"ZantoliSvcOwnWindow";

LRESULT CALLBACK OwnProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) ownActivatedAt = ++eventClock;
            break;
        case WM_APP:
            DestroyWindow(hwnd);
            return 0;
        case WM_APP + 1:
            if (onUser) onUser();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

HWND CreateOwnWindow(const wchar_t* title) {
    test_support::RegisterTestClass(kOwnClass, OwnProcedure);
    HWND hwnd = CreateWindowExW(0, kOwnClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 150, 150,
                                320, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Pump(50);
    return hwnd;
}

::testing::AssertionResult IsForeground(HWND expected) {
    const ULONGLONG end = GetTickCount64() + 2000;
    while (GetForegroundWindow() != expected && GetTickCount64() < end) Pump(10);
    Pump(20);
    const HWND front = GetForegroundWindow();
    if (front == expected) return ::testing::AssertionSuccess();
    const std::wstring want = WindowTitle(expected), got = WindowTitle(front);
    return ::testing::AssertionFailure()
           << "foreground is \"" << std::string(got.begin(), got.end()) << "\", expected \""
           << std::string(want.begin(), want.end()) << "\"";
}

}  // namespace zantoli::win32::testing
