// cad-standin.exe [--title "Trazalia R14 - [Dibujo1]"] [--appdir DIR] [--log FILE]
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "options.h"
#include "standin_window.h"

namespace {

std::wstring ProgramDir() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

std::vector<std::wstring> Arguments() {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    std::wstring error;
    auto options = standin::ParseOptions(Arguments(), ProgramDir(), error);
    if (!options) {
        MessageBoxW(nullptr, error.c_str(), L"cad-standin", MB_OK | MB_ICONSTOP);
        return 2;
    }
    standin::StandinWindow window(std::move(*options));
    if (!window.Create(instance, show)) return 1;

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (window.IsCommandHotkey(msg)) {
            window.OnCommandHotkey();
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
