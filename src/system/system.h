// The operating-system services that Zantoli's procedures use.
// One real implementation lives in src/win32, an in-memory one in the tests.
// Paths and user-visible messages are UTF-8; file contents are raw bytes.
#pragma once

#include <exception>
#include <optional>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "system/controls.h"
#include "system/msgbox_style.h"

namespace zantoli {

// How the program ended, for whoever started it: 0 only for the regular close.
enum ExitCode : int {
    kExitClosed = 0,
    kExitFailure = 1,     // after the standard error message
    kExitNoCadWindow = 2,  // no CAD window to send commands to
};

// How an activation by title ended.
enum class Activation {
    InFront,     // the window is the foreground window
    NotFound,    // no window has the title
    NotInFront,  // a window has it but did not come to the front
    // Found, but keys sent now would not reach it, so it is left as it is:
    Elevated,  // runs with higher rights: the system drops the keys without a word
    Disabled,  // a modal dialog of its own is open: the keys would go to the dialog
    Busy,      // does not answer (stays busy past a bounded wait): the keys would queue
};

// A rectangle of the desktop in twips, measured like a form's Left and Top
// from the primary screen's top left corner.
struct ScreenArea {
    float left, top, width, height;
};

// Receives one line at a time, without its line end.
using LineSink = std::function<void(std::string_view line)>;

// A file's size and last-write time: what changes when it is written.
struct FileStamp {
    std::uint64_t size = 0, time = 0;
    bool operator==(const FileStamp& other) const { return size == other.size && time == other.time; }
};

class Files {
public:
    virtual ~Files() = default;
    // True for an ordinary file; hidden and system files and directories
    // count as absent.
    virtual bool FileExists(const std::string& path) const = 0;
    // Reads a text file line by line. A line ends at CR LF, a lone CR or a
    // lone LF; the last line may lack its end. Throws FileError.
    virtual void ReadLines(const std::string& path, const LineSink& sink) const = 0;
    // Nothing when the file is missing or cannot be asked.
    virtual std::optional<FileStamp> StampOf(const std::string& path) const = 0;
    // Creates the file or empties it, then writes `bytes`. Throws FileError.
    virtual void WriteFile(const std::string& path, std::string_view bytes) = 0;
    // Writes a temporary file beside `path` and replaces `path` with it in
    // one step, so a crash never leaves it half written. Throws FileError.
    virtual void ReplaceContents(const std::string& path, std::string_view bytes) = 0;
    // Deletes the file. Throws FileError, also when it does not exist.
    virtual void Kill(const std::string& path) = 0;
    // Gives the file `from` the name `to`, replacing a file of that name.
    // Throws FileError.
    virtual void Rename(const std::string& from, const std::string& to) = 0;
};

class Desktop {
public:
    virtual ~Desktop() = default;
    // Modal; returns the button pressed.
    virtual int MsgBox(const std::string& prompt, const std::string& title, int style) = 0;
    // Activates the top-level window whose title equals `title`, else one
    // whose title begins with it. With `wait`, first waits (a bounded
    // time) until the caller's own window holds the focus.
    virtual Activation AppActivate(const std::string& title, bool wait) = 0;
    // True while the window that the last AppActivate brought to the front
    // is still the foreground window.
    virtual bool ActivatedWindowInFront() const = 0;
    // Sends a key string ("^(+K)") to the active window; does not wait.
    // False when the system refused some of its keys: it does so when the
    // window in front belongs to a program with higher rights.
    virtual bool SendKeys(const std::string& keys) = 0;
    // True when the foreground window belongs to `window`'s thread: the
    // window itself, or a message box or other window of the same program.
    virtual bool OwnsForeground(WindowHandle window) const = 0;
    // Processes the pending window events once.
    virtual void DoEvents() = 0;
    // Ends the program at once with `exitCode`; nothing after it runs.
    [[noreturn]] virtual void End(int exitCode) = 0;
    // Upper-cases in the user's ANSI code page.
    virtual std::string UCase(const std::string& text) const = 0;
    // The primary screen.
    virtual float ScreenWidth() const = 0;
    virtual float ScreenHeight() const = 0;
    // The right and bottom edges of the whole desktop, every monitor
    // included, measured like a form's Left and Top from the primary
    // screen's top left corner.
    virtual float VirtualScreenRight() const = 0;
    virtual float VirtualScreenBottom() const = 0;
    // Every monitor's work area (without the taskbar), the primary's first.
    virtual std::vector<ScreenArea> WorkAreas() const = 0;
    // Puts the window above every window that is not topmost itself,
    // without moving, sizing or activating it. A failure is not reported:
    // the window then simply does not float.
    virtual void MakeTopmost(WindowHandle hWnd) = 0;
};

// Ends the program through `desktop`. End does not come back; should an
// implementation ever do so, nothing of the program may run on.
[[noreturn]] inline void EndProgram(Desktop& desktop, int exitCode) {
    desktop.End(exitCode);
    std::terminate();
}

// What the command window needs of the platform.
class System : public Files, public Desktop {
public:
    // The folder of the running program file, without a trailing backslash.
    virtual std::string AppDir() const = 0;
};

}  // namespace zantoli
