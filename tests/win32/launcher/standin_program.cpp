// Stands in for zantoli.exe: records how it was started in started.log
// beside itself, one line per start, and ends.
#include <windows.h>

#include <string>

#include "win32/services/handles.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring log(self, length);
    log = log.substr(0, log.find_last_of(L'\\')) + L"\\started.log";

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    const std::wstring line = std::wstring(GetCommandLineW()) + L"|" +
                              std::to_wstring((startup.dwFlags & STARTF_USESHOWWINDOW) ? 1 : 0) +
                              L"|" + std::to_wstring(startup.wShowWindow) + L"\r\n";
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), bytes,
                        nullptr, nullptr);
    const zantoli::win32::UniqueFile file(CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file.valid() && WriteFile(file.get(), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr)
               ? 0
               : 1;
}
