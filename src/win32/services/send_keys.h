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

// Notes a modifier key going down or up in a key message this thread
// retrieved: the window the next keys go to may have seen the press and
// missed the release, which came here.
void NoteKeyMessage(const MSG& msg);
// The modifier keys noted since keys were last sent (SidedModifier bits).
unsigned RecentModifiers();

// The input events for `strokes`, as planned by PlanKeyEvents with the
// current keyboard layout.
std::vector<INPUT> KeyStrokeInputs(const std::vector<KeyStroke>& strokes, ModifierState modifiers);

// Parses `keys` (throws KeyStringError) and sends it in one SendInput call,
// so no other input can come between its events. Does not wait for the
// keys to be processed. False when the system inserted fewer events than
// given (it blocks input to a program with higher rights). Once sent, the
// noted modifiers are forgotten.
bool SendKeyString(const std::string& keys);

}  // namespace zantoli::win32
