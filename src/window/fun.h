// Always-on-top for a form.
#pragma once

#include "system/controls.h"
#include "system/system.h"

namespace zantoli::fun {

// Makes the form topmost without moving, sizing or activating it. A failure
// is not noticed: the window then simply does not float.
void OnTop(Desktop& desktop, Form& form);

}  // namespace zantoli::fun
