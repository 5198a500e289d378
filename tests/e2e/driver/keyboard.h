// Keystrokes as the user types them, through the system's input queue to
// whatever window has the focus.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// Each character as a Unicode key press and release.
void TypeText(const std::wstring& text);
// One press and release of a virtual key, e.g. VK_RETURN.
void PressKey(WORD vk);
// One press of `vk` with Ctrl and Shift held, then all released.
void PressCtrlShift(WORD vk);
// Two left clicks at a screen point, as fast as a user's double-click.
void DoubleClickAt(POINT screen);

}  // namespace e2e
