#include "win32/services/show_key.h"

namespace zantoli::win32 {

static_assert(kHotkeyAlt == MOD_ALT && kHotkeyCtrl == MOD_CONTROL && kHotkeyShift == MOD_SHIFT &&
              kHotkeyWin == MOD_WIN);

bool RegisterShowKey(HWND window, const Hotkey& hotkey) {
    // A key held down brings the window once, not once per repeat.
    return RegisterHotKey(window, kShowKeyId, hotkey.modifiers | MOD_NOREPEAT, hotkey.key) != FALSE;
}

void UnregisterShowKey(HWND window) { UnregisterHotKey(window, kShowKeyId); }

}  // namespace zantoli::win32
