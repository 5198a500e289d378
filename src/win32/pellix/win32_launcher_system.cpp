#include "win32/pellix/win32_launcher_system.h"

#include <windows.h>

#include <string>

#include "win32/services/activation.h"
#include "win32/services/app_dir.h"
#include "win32/services/encoding.h"
#include "win32/services/handles.h"
#include "win32/services/win32_error.h"

namespace zantoli::win32 {

namespace {

// Attributes a file must not carry unless the filter asks for them.
constexpr DWORD kFilteredAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

bool PassesFilter(DWORD fileAttributes, int attributes) {
    const DWORD allowed = static_cast<DWORD>(attributes);
    return (fileAttributes & kFilteredAttributes & ~allowed) == 0;
}

}  // namespace

std::string Win32LauncherSystem::AppDir() const { return win32::AppDir(); }

std::string Win32LauncherSystem::Dir(const std::string& path, int attributes) const {
    WIN32_FIND_DATAW data;
    UniqueFind find(FindFirstFileW(Utf8ToWide(path).c_str(), &data));
    if (!find.valid()) {
        const unsigned long error = LastErrorCode();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
            error == ERROR_NO_MORE_FILES)
            return {};
        ThrowLastError("No se ha podido buscar " + path, error);
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
                        nullptr, &startup, &process)) {
        const unsigned long code = LastErrorCode();  // before the message is built
        ThrowLastError<LaunchError>("No se ha podido iniciar " + path, code);
    }
    // Not waited for: both handles go at once.
    UniqueKernelHandle thread(process.hThread), started(process.hProcess);
}

int Win32LauncherSystem::MsgBox(const std::string& prompt, const std::string& title, int style) {
    return MessageBoxW(nullptr, Utf8ToWide(prompt).c_str(), Utf8ToWide(title).c_str(),
                       static_cast<UINT>(style));
}

std::uint64_t Win32LauncherSystem::TickCount() const { return GetTickCount64(); }

void Win32LauncherSystem::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

}  // namespace zantoli::win32
