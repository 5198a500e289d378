// A program started for a test; killed when the test lets go of it, so no
// run leaves windows behind for the next.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "driver/wait.h"
#include "win32/services/handles.h"

namespace e2e {

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `exe` with a normal, focused window; throws std::runtime_error.
    static ChildProcess Start(const std::wstring& exe, const std::vector<std::wstring>& args,
                              const std::wstring& workDir);

    // Takes charge of a process another program started, e.g. through the launcher.
    static ChildProcess Adopt(DWORD pid);

    DWORD id() const { return id_; }
    bool Running() const;
    bool WaitExit(Millis timeout) const;
    std::optional<DWORD> ExitCode() const;
    void Kill();

private:
    zantoli::win32::UniqueKernelHandle handle_;
    DWORD id_ = 0;
};

}  // namespace e2e
