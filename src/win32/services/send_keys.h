// Key strings turned into synthesised input for the active window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "system/keystring.h"

namespace zantoli::win32 {

// The input events for `strokes`, in order: modifiers go down as a stroke
// needs them and up as soon as the next one does not, so "^(+K)" is Ctrl
// down, Shift down, K down, K up, Shift up, Ctrl up. A character goes by
// its virtual key in the current keyboard layout (with the Shift, Ctrl or
// Alt that layout needs for it), or as a Unicode character when the layout
// has no key for it. Only keys the strokes name are ever released.
std::vector<INPUT> KeyStrokeInputs(const std::vector<KeyStroke>& strokes);

// Parses `keys` (throws KeyStringError) and sends it in one SendInput call,
// so no other input can come between its events. Does not wait for the
// keys to be processed and reports nothing back.
void SendKeyString(const std::string& keys);

}  // namespace zantoli::win32
