#include "exchange.h"

#include <windows.h>

#include "win32/services/encoding.h"
#include "win32/services/handles.h"
#include "win32/services/win32_error.h"

namespace standin {
namespace {

std::wstring Failure(const wchar_t* what, const std::wstring& path) {
    return std::wstring(what) + L" " + path + L": " + zantoli::win32::Utf8ToWide(zantoli::win32::Win32ErrorText(GetLastError()));
}

}  // namespace

Received ReadExchangeLine(const std::wstring& appDir) {
    const std::wstring path = appDir + L"\\var\\vuroview.var";
    Received received;
    // Share everything: the writer may already be replacing the file for its next command.
    zantoli::win32::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        received.error = Failure(L"No se puede abrir", path);
        return received;
    }
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
    const size_t end = content.find("\r\n");
    received.line = end == std::string::npos ? content : content.substr(0, end);
    return received;
}

std::wstring AppendLogLine(const std::wstring& logPath, const std::string& line) {
    zantoli::win32::UniqueFile file(CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return Failure(L"No se puede abrir", logPath);
    const std::string record = line + "\r\n";
    DWORD written = 0;
    if (!WriteFile(file.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr) ||
        written != record.size())
        return Failure(L"No se puede escribir", logPath);
    return {};
}

}  // namespace standin
