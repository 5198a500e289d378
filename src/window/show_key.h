// The key that brings the command window to the front from any program.
#pragma once

#include <functional>

#include "system/system.h"
#include "window/options.h"

namespace zantoli {

// At start: reads the options file in AppDir, says once what in it could
// not be used, and registers the key through `registerKey` (false: the
// system refused it, another program holds it); says once if it is taken.
// The command window works the same without it. Returns the options read.
Options StartShowKey(System& sys, const std::function<bool(const Hotkey&)>& registerKey);

}  // namespace zantoli
