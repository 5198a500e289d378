#include "win32/services/win32_error.h"

#include <windows.h>

#include "win32/services/encoding.h"

namespace zantoli::win32 {

std::string Win32ErrorText(unsigned long code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length > 0 && buffer != nullptr) text.assign(buffer, length);
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' ||
                             text.back() == L' ' || text.back() == L'\t'))
        text.pop_back();
    if (text.empty()) return "Error de Windows " + std::to_string(code);
    return WideToUtf8(text);
}

unsigned long LastErrorCode() { return GetLastError(); }

std::string ErrorMessage(const std::string& what, unsigned long code) { return what + ": " + Win32ErrorText(code); }

FileError MakeFileError(const char* operation, const std::string& path, unsigned long code) {
    return FileError(operation, path, Win32ErrorText(code));
}

}  // namespace zantoli::win32
