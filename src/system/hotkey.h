// The system-wide key that brings the command window to the front, as the
// options name it and the Win32 layer registers it.
#pragma once

#include <cstdint>

namespace zantoli {

// Modifier bits, as the system's hotkey registration numbers them.
enum HotkeyModifier : unsigned { kHotkeyAlt = 1, kHotkeyCtrl = 2, kHotkeyShift = 4, kHotkeyWin = 8 };

// A key with its modifiers; `key` is a virtual-key code: A-Z, 0-9, F1-F24 or
// the space bar.
struct Hotkey {
    unsigned modifiers;
    std::uint16_t key;
    bool operator==(const Hotkey& other) const { return modifiers == other.modifiers && key == other.key; }
};

// Ctrl+Alt+Space: no Windows shortcut, not the CAD programs' own keys, and
// on a Spanish keyboard AltGr+Space (AltGr is Ctrl+Alt) types nothing.
inline constexpr Hotkey kDefaultHotkey{kHotkeyCtrl | kHotkeyAlt, 0x20};

}  // namespace zantoli
