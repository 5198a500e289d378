#include "driver/text.h"

#include <windows.h>

#include <cstdio>

#include "win32/services/encoding.h"
#include "win32/services/win32_error.h"

namespace e2e {

std::string Narrow(const std::wstring& wide) { return zantoli::win32::WideToUtf8(wide); }

std::wstring Widen(const std::string& utf8) { return zantoli::win32::Utf8ToWide(utf8); }

std::string Hex(const std::string& bytes) {
    std::string out;
    char two[4];
    for (unsigned char c : bytes) {
        std::snprintf(two, sizeof two, "%02X", c);
        if (!out.empty()) out += ' ';
        out += two;
    }
    return out.empty() ? "(no bytes)" : out;
}

std::string LastError() {
    const DWORD error = GetLastError();
    return "error " + std::to_string(error) + " (" + zantoli::win32::Win32ErrorText(error) + ")";
}

std::vector<std::string> CrLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

}  // namespace e2e
