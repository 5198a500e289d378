#include "win32/services/app_dir.h"

#include <windows.h>

#include "win32/services/encoding.h"
#include "win32/services/win32_error.h"

namespace zantoli::win32 {

std::string AppDir() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD got = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (got == 0) ThrowLastError("No se conoce la carpeta del programa");
        if (got < path.size()) {
            path.resize(got);
            break;
        }
        path.assign(path.size() * 2, L'\0');  // cut short: a longer path than MAX_PATH
    }
    const auto separator = path.find_last_of(L"\\/");
    path.resize(separator == std::wstring::npos ? 0 : separator);
    return WideToUtf8(path);
}

}  // namespace zantoli::win32
