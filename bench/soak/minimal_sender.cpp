// The least a program can do to hand the CAD side a command that is already
// in the exchange file: on Enter, bring the CAD window to the front and send
// Ctrl+Shift+K. The soak measures the command window against it.
#include <windows.h>

#include <string>
#include <vector>

#include "minimal_window.h"

namespace {

const wchar_t kCadTitle[] = L"Trazalia R14";

BOOL CALLBACK FindCad(HWND hwnd, LPARAM param) {
    wchar_t title[256] = {};
    GetWindowTextW(hwnd, title, 256);
    if (IsWindowVisible(hwnd) && std::wstring(title).compare(0, wcslen(kCadTitle), kCadTitle) == 0) {
        *reinterpret_cast<HWND*>(param) = hwnd;
        return FALSE;
    }
    return TRUE;
}

INPUT Key(WORD vk, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    return input;
}

void SendHotkeyToCad() {
    HWND cad = nullptr;
    EnumWindows(FindCad, reinterpret_cast<LPARAM>(&cad));
    if (!cad) return;
    SetForegroundWindow(cad);
    // Activation completes asynchronously; keys sent before it would reach this window.
    const ULONGLONG deadline = GetTickCount64() + 500;
    while (GetForegroundWindow() != cad && GetTickCount64() < deadline)
        MsgWaitForMultipleObjectsEx(0, nullptr, 1, QS_SENDMESSAGE, 0);
    std::vector<INPUT> keys{Key(VK_CONTROL, 0), Key(VK_SHIFT, 0), Key('K', 0),
                            Key('K', KEYEVENTF_KEYUP), Key(VK_SHIFT, KEYEVENTF_KEYUP), Key(VK_CONTROL, KEYEVENTF_KEYUP)};
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        SendHotkeyToCad();
        return 0;
    }
    return bench::QuitOnDestroy(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const HWND hwnd = bench::CreateMinimalWindow(
        instance, {L"SoakMinimalSender", L"Emisor mínimo", 0, 820, 40, 300, 120, Proc});
    if (!hwnd) return 1;
    ShowWindow(hwnd, show);
    return bench::RunMessageLoop();
}
