// Finding and activating another program's top-level window by its title.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "system/system.h"

namespace zantoli::win32 {

// A visible top-level window whose title equals `title`, else the first (in
// z-order) whose title begins with it; nullptr when none does or `title` is
// empty. Titles are compared exactly, case included.
HWND FindWindowByTitle(std::wstring_view title);

// The title `window` has, read without a message to it, so a hung program
// cannot hang the reader; empty for no window.
std::wstring WindowTitle(HWND window);

// Restores `target` when minimised and makes it the foreground window, then
// waits (a few hundred ms at most) until the system has really switched, so
// that keys sent next reach it. True when `target` is in front.
bool BringToFront(HWND target);

// Runs a message loop until a window of `own`'s thread (the program's main
// window, its splash or a message box) is the foreground window, or `own`
// is destroyed, or the program is told to quit, or `timeoutMs` have passed.
// A call made from inside that loop returns at once, so the waits never nest.
void WaitUntilForeground(HWND own, DWORD timeoutMs);

// How long AppActivate waits for the caller's window to hold the focus.
inline constexpr DWORD kFocusWaitMs = 2000;

// Finds the window by `title` (UTF-8) and activates it; with `waitFor`, first
// waits (kFocusWaitMs at most) until that window's program holds the focus.
// A hung window is not activated: it counts as found but not in front.
Activation AppActivate(const std::string& title, HWND waitFor = nullptr);

// How long a window that does not answer at once is waited for: well under
// the 5 s after which the system calls it hung.
inline constexpr DWORD kBusyWaitMs = 3000;

// Whether keys sent to `target` now would reach it: InFront when nothing
// stands in their way, else Elevated, Disabled (a modal dialog of its own is
// open) or Busy (it has not answered a message within kBusyWaitMs; the
// wait shows the wait cursor).
Activation KeysCanReach(HWND target);

// AppActivate for sending keys: a window that KeysCanReach refuses is left
// where it is. `activated` receives the window brought to the front.
Activation ActivateForKeys(const std::string& title, HWND waitFor, HWND& activated);

// True when the foreground window belongs to `own`'s thread.
bool OwnsForeground(HWND own);

}  // namespace zantoli::win32
