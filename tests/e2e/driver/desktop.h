// Looking at other programs' windows the way a user sees them: by title,
// by the text of their controls, and the message boxes they put up.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "driver/wait.h"
#include "support/window_helpers.h"

namespace e2e {

// Visible top-level windows of process `pid` (any process when 0).
std::vector<HWND> VisibleTopWindows(DWORD pid);
// The visible top-level window titled exactly `title`, or nullptr.
HWND FindTopWindow(const std::wstring& title, DWORD pid);
// As FindTopWindow, but waits; throws std::runtime_error naming the title.
HWND WaitTopWindow(const std::wstring& title, DWORD pid, Millis timeout);

using zantoli::test_support::ClassOf;
using zantoli::test_support::WindowTitle;
using zantoli::test_support::TextOf;
HWND ChildOfClass(HWND parent, const std::wstring& className);
std::vector<std::wstring> ListBoxItems(HWND listBox);
std::vector<std::wstring> ComboBoxItems(HWND comboBox);
RECT WindowRect(HWND hwnd);

// The control that holds the keyboard focus in `hwnd`'s thread.
HWND FocusOf(HWND hwnd);
// Brings `hwnd` to the front as a click on it would; throws if it stays behind.
void BringToFront(HWND hwnd);

// A message box (#32770) of `pid` with caption `title`, waited for.
HWND WaitMessageBox(const std::wstring& title, DWORD pid, Millis timeout);
using zantoli::test_support::MessageBoxPrompt;
// Presses the box's OK button and waits until the box is gone.
void ClickOk(HWND box);

}  // namespace e2e
