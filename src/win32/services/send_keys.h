// Key strings turned into synthesised input for the active window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "system/key_events.h"
#include "system/keystring.h"

namespace zantoli::win32 {

// The modifier keys the user holds now (SidedModifier bits).
unsigned HeldModifiers();

// The input events for `strokes` while the user holds `held`, as planned by
// PlanKeyEvents with the current keyboard layout.
std::vector<INPUT> KeyStrokeInputs(const std::vector<KeyStroke>& strokes, unsigned held);

// Parses `keys` (throws KeyStringError) and sends it in one SendInput call,
// so no other input can come between its events. Does not wait for the
// keys to be processed. False when the system inserted fewer events than
// given (it blocks input to a program with higher rights).
bool SendKeyString(const std::string& keys);

}  // namespace zantoli::win32
