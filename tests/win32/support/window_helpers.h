// Window helpers shared by the Win32 and end-to-end tests: pumping this
// thread's messages, and reading the class and text of any window, another
// process's too, without waiting long on one that hangs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

#include "win32/services/activation.h"

namespace zantoli::test_support {

using win32::WindowTitle;

// Dispatches this thread's messages for `milliseconds` (at least once).
inline void Pump(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 10)),
                                  QS_ALLINPUT);
    }
}

// Pumps until `done()` holds; false when `milliseconds` pass first.
template <class Done>
bool PumpUntil(Done done, DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!done()) {
        if (GetTickCount64() >= end) return false;
        Pump(10);
    }
    return true;
}

// Makes `hwnd` the foreground window as a click on it would, also from a
// test process that does not own the foreground (a CI job's console does).
// The system lifts its foreground lock when Alt is pressed, so an Alt press
// is injected first, inside a Ctrl press: the window in front may receive
// only the first keys before the switch, and a Ctrl there keeps a lone Alt
// from putting it into menu mode. Every test takes this one way, under
// Wine too. True once `hwnd` is in front (this thread's messages are pumped
// meanwhile).
inline bool ForceForeground(HWND hwnd, DWORD milliseconds = 2000) {
    if (GetForegroundWindow() != hwnd) {
        INPUT keys[4] = {};
        const WORD order[4] = {VK_CONTROL, VK_MENU, VK_MENU, VK_CONTROL};
        for (int i = 0; i < 4; ++i) {
            keys[i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = order[i];
            keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
        }
        SendInput(4, keys, sizeof(INPUT));
        if (IsIconic(hwnd)) ShowWindowAsync(hwnd, SW_RESTORE);
        SetForegroundWindow(hwnd);
    }
    return PumpUntil([hwnd] { return GetForegroundWindow() == hwnd; }, milliseconds);
}

// The folder of the running test program. Every program of a build lies
// there (bin/), in the build tree and in the test bundle run on Windows.
inline std::wstring ExeFolder() {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring path(self, length);
    return path.substr(0, path.find_last_of(L'\\'));
}

inline std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

// WM_GETTEXT, which also reads the controls of another process.
inline std::wstring TextOf(HWND hwnd) {
    constexpr UINT kTimeoutMs = 3000;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        kTimeoutMs, &got);
    text.resize(got);
    return text;
}

// The prompt of a message box (#32770): its static control 0xFFFF.
inline std::wstring MessageBoxPrompt(HWND box) {
    HWND prompt = GetDlgItem(box, 0xFFFF);
    return prompt ? TextOf(prompt) : std::wstring();
}

}  // namespace zantoli::test_support
