// Always-on-top for a form.
#pragma once

#include "system/controls.h"
#include "system/system.h"

namespace zantoli::fun {

inline constexpr WindowHandle HWND_TOPMOST = -1;
inline constexpr unsigned SWP_NOSIZE = 0x1;
inline constexpr unsigned SWP_NOMOVE = 0x2;
inline constexpr unsigned SWP_NOACTIVATE = 0x10;

// Makes the form topmost without moving, sizing or activating it. A failure
// is not noticed: the window then simply does not float.
void OnTop(Desktop& desktop, Form& form);

}  // namespace zantoli::fun
