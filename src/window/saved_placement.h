// The command window's placement as zantoli.ini keeps it.
#pragma once

#include <optional>

#include "system/system.h"

namespace zantoli {

// In twips: the position converted with the system DPI, the size with the
// DPI of the monitor the window was on (see WindowDpi).
struct SavedPlacement {
    float top, left, height, width;
};

// What zantoli.ini in AppDir holds; nothing when the file is missing, cannot
// be read or is cut short.
std::optional<SavedPlacement> ReadSavedPlacement(const System& sys);

}  // namespace zantoli
