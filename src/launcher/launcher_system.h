// What Pellix needs of the platform. The real implementation is in
// src/win32/pellix; the tests use an in-memory one.
// Paths and texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>

#include "system/system_call_error.h"

namespace zantoli {

// A program file that could not be started.
class LaunchError : public SystemCallError {
public:
    using SystemCallError::SystemCallError;
};

class LauncherSystem {
public:
    virtual ~LauncherSystem() = default;

    // The folder of the running program file, without a trailing backslash.
    virtual std::string AppDir() const = 0;

    // Looks up a file by path. With attributes 0 only ordinary files match:
    // a hidden or system file, or a directory, of that name does not count.
    // Returns the file's name without its folder, or an empty text when
    // nothing matches. Throws SystemCallError when the lookup itself fails.
    virtual std::string Dir(const std::string& path, int attributes) const = 0;

    // Activates the top-level window whose title equals `title`, else one
    // whose title begins with it; a minimised window is restored. With
    // `wait`, first waits until the caller's own window holds the focus.
    // False when no window matches.
    virtual bool AppActivate(const std::string& title, bool wait) = 0;

    // Starts a program file with a window style (1: normal size and
    // position, focused), without arguments and without waiting for it.
    // Throws LaunchError when the file cannot be started.
    virtual void Shell(const std::string& path, int style) = 0;

    // Modal; returns the button pressed.
    virtual int MsgBox(const std::string& prompt, const std::string& title, int style) = 0;

    // A monotonic clock in milliseconds, and a pause, for short polls.
    virtual std::uint64_t TickCount() const = 0;
    virtual void Sleep(unsigned milliseconds) = 0;
};

}  // namespace zantoli
