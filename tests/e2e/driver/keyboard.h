// Keystrokes as the user types them, through the system's input queue to
// whatever window has the focus.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace e2e {

// Each character as a Unicode key press and release.
void TypeText(const std::wstring& text);
// One press and release of a virtual key, e.g. VK_RETURN.
void PressKey(WORD vk);
// `keys` pressed in their order; released in the reverse order.
void KeysDown(std::initializer_list<WORD> keys);
void KeysUp(std::initializer_list<WORD> keys);
// One press of `vk` with the `held` keys held, then all released.
void PressWith(std::initializer_list<WORD> held, WORD vk);
inline void PressCtrlShift(WORD vk) { PressWith({VK_CONTROL, VK_SHIFT}, vk); }
// Two left clicks at a screen point, as fast as a user's double-click.
void DoubleClickAt(POINT screen);

}  // namespace e2e
