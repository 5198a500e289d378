// The reference senders the soak measures the command window against. On
// Enter, each brings the CAD window to the front and sends Ctrl+Shift+K:
//   soak-minimal-sender.exe                      the least a program can do,
//                                                the exchange file already
//                                                holding the command
//   soak-minimal-sender.exe --same-work APPDIR   first the work the command
//                                                window does for a command:
//                                                reads APPDIR\alias.dat
//                                                through, looking the command
//                                                up, and writes the exchange
//                                                file (with the expression it
//                                                already holds)
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "minimal_window.h"
#include "system/window_titles.h"
#include "win32/services/activation.h"
#include "win32/services/encoding.h"

namespace {

std::wstring sameWorkAppDir;  // empty: the minimal sender

INPUT Key(WORD vk, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    return input;
}

std::string ReadWhole(const std::wstring& path) {
    std::string bytes;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[64 * 1024];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

void WriteWhole(const std::wstring& path, const std::string& bytes) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// What the command window does before it activates: every line of the
// alias file compared with the command, then the exchange file written.
void DoTheCommandWindowsWork() {
    const std::string aliases = ReadWhole(sameWorkAppDir + L"\\alias.dat");
    volatile int matches = 0;
    for (std::size_t start = 0; start < aliases.size();) {
        std::size_t end = aliases.find('\n', start);
        if (end == std::string::npos) end = aliases.size();
        if (aliases.compare(start, 2, "L;") == 0) ++matches;
        start = end + 1;
    }
    const std::wstring exchange = sameWorkAppDir + L"\\var\\vuroview.var";
    WriteWhole(exchange, ReadWhole(exchange));
}

void SendHotkeyToCad() {
    // The command window's own search.
    const HWND cad = zantoli::win32::FindWindowByTitle(zantoli::win32::Utf8ToWide(zantoli::window_titles::kCadApplication));
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
        if (!sameWorkAppDir.empty()) DoTheCommandWindowsWork();
        SendHotkeyToCad();
        return 0;
    }
    return bench::QuitOnDestroy(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv && argc == 3 && std::wstring(argv[1]) == L"--same-work") sameWorkAppDir = argv[2];
    if (argv) LocalFree(argv);
    const bool sameWork = !sameWorkAppDir.empty();
    const HWND hwnd = bench::CreateMinimalWindow(
        instance, {sameWork ? L"SoakSameWorkSender" : L"SoakMinimalSender",
                   sameWork ? L"Emisor con el mismo trabajo" : L"Emisor mínimo", 0, 820, sameWork ? 180 : 40, 300,
                   120, Proc});
    if (!hwnd) return 1;
    ShowWindow(hwnd, show);
    return bench::RunMessageLoop();
}
