#include "win32/pellix/win32_launcher_system.h"

#include <windows.h>

#include <stdexcept>
#include <string>

#include "win32/services/activation.h"
#include "win32/services/encoding.h"
#include "win32/services/win32_error.h"

namespace zantoli::win32 {

namespace {

class FindHandle {
public:
    explicit FindHandle(HANDLE h) : h_(h) {}
    ~FindHandle() {
        if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

// Attributes a file must not carry unless the filter asks for them.
constexpr DWORD kFilteredAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

bool PassesFilter(DWORD fileAttributes, int attributes) {
    const DWORD allowed = static_cast<DWORD>(attributes);
    return (fileAttributes & kFilteredAttributes & ~allowed) == 0;
}

}  // namespace

std::string Win32LauncherSystem::AppDir() const {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD got = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (got == 0) throw std::runtime_error(Win32ErrorText(GetLastError()));
        if (got < path.size()) {
            path.resize(got);
            break;
        }
        path.assign(path.size() * 2, L'\0');  // truncated: try a larger buffer
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    return WideToUtf8(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash));
}

std::string Win32LauncherSystem::Dir(const std::string& path, int attributes) const {
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(Utf8ToWide(path).c_str(), &data));
    if (find.get() == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
            error == ERROR_NO_MORE_FILES)
            return {};
        throw std::runtime_error(Win32ErrorText(error));
    }
    do {
        if (PassesFilter(data.dwFileAttributes, attributes)) return WideToUtf8(data.cFileName);
    } while (FindNextFileW(find.get(), &data));
    return {};
}

bool Win32LauncherSystem::AppActivate(const std::string& title, bool /*wait*/) {
    // A window that did not come to the front still counts as found: the
    // launcher must not start a second command window beside it.
    return win32::AppActivate(title) != Activation::NotFound;
}

void Win32LauncherSystem::Shell(const std::string& path, int style) {
    const std::wstring program = Utf8ToWide(path);
    // The program's own name is its whole command line: no arguments.
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(style);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        throw LaunchError(Win32ErrorText(GetLastError()));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

int Win32LauncherSystem::MsgBox(const std::string& prompt, const std::string& title, int style) {
    return MessageBoxW(nullptr, Utf8ToWide(prompt).c_str(), Utf8ToWide(title).c_str(),
                       static_cast<UINT>(style));
}

std::uint64_t Win32LauncherSystem::TickCount() const { return GetTickCount64(); }

void Win32LauncherSystem::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

}  // namespace zantoli::win32
