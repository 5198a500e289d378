// aliascheck.exe: the Windows console program around the checker.
#include <windows.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "aliascheck/aliascheck.h"
#include "win32/services/encoding.h"
#include "win32/services/win32_system.h"

namespace {

// A console shows the text through the wide API, whatever its code page;
// redirected output is written as UTF-8.
void Write(DWORD stream, const std::string& utf8) {
    if (utf8.empty()) return;
    HANDLE handle = GetStdHandle(stream);
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = zantoli::win32::Utf8ToWide(utf8);
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(zantoli::win32::WideToUtf8(argv[i]));

    const auto sys = zantoli::win32::CreateWin32System();
    const auto toUtf8 = [](const std::string& ansi) {
        return zantoli::win32::WideToUtf8(zantoli::win32::AnsiToWide(ansi));
    };
    std::ostringstream out, err;
    const int status = zantoli::aliascheck::Run(args, *sys, toUtf8, out, err);
    Write(STD_OUTPUT_HANDLE, out.str());
    Write(STD_ERROR_HANDLE, err.str());
    return status;
}
