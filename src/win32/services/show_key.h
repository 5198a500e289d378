// The system-wide key that brings the command window to the front.
#pragma once

#include <windows.h>

#include "system/hotkey.h"

namespace zantoli::win32 {

// The id of the key among `window`'s hotkeys (WM_HOTKEY's wParam).
inline constexpr int kShowKeyId = 1;

// False when another program holds the key.
bool RegisterShowKey(HWND window, const Hotkey& hotkey);
// Releases the key; nothing when `window` holds none.
void UnregisterShowKey(HWND window);

}  // namespace zantoli::win32
