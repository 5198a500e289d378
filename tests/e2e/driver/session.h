// The two programs as a test sees them: the CAD stand-in and the command
// window, each reached only through its windows and files.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "driver/child_process.h"
#include "standin_messages.h"

namespace e2e {

inline const std::wstring kCadTitle = standin::DefaultTitle();
inline constexpr wchar_t kCommandCaption[] = L"Linea de comando";

class CadStandin {
public:
    // Starts the stand-in for `appDir`, logging what it receives to `logPath`.
    CadStandin(const std::wstring& exe, const std::wstring& appDir, const std::wstring& logPath);

    HWND window() const { return window_; }
    ChildProcess& process() { return process_; }
    // Every expression received so far, as the stand-in logged it.
    std::vector<std::string> Received() const;
    // Waits until `count` expressions have arrived; throws naming what did.
    std::vector<std::string> WaitReceived(size_t count) const;
    // The history the stand-in shows in its window.
    std::vector<std::wstring> Shown() const;

private:
    ChildProcess process_;
    std::wstring logPath_;
    HWND window_ = nullptr;
};

class CommandWindow {
public:
    explicit CommandWindow(HWND window);
    // Finds the running command window of `pid` (any process when 0).
    static CommandWindow Find(DWORD pid, Millis timeout = kStartTimeout);

    HWND window() const { return window_; }
    HWND input() const { return combo_; }
    HWND history() const { return list_; }

    // As the user does: bring the window to the front, type, press Enter.
    void Enter(const std::wstring& text) const;
    void Focus() const;

    std::vector<std::wstring> History() const;
    std::vector<std::wstring> DropDown() const;
    std::wstring InputText() const;
    std::wstring LastCommand() const;
    // The close button of the title bar.
    void PressCloseButton() const;

private:
    HWND window_;
    HWND combo_;
    HWND edit_;
    HWND list_;
};

}  // namespace e2e
