// The operator's options file, opciones.ini in AppDir: lines "name=value",
// ";" comments.
//   tecla=Ctrl+Alt+Espacio   the key that brings the command window to the
//                            front from any program (the default; "no"
//                            switches it off)
//   sugerencias=sí           the suggestions under the input line ("no")
//   historial=sí             the commands sent kept in historial.dat for
//                            the suggestions of later starts ("no": the
//                            file is neither read nor written)
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "system/hotkey.h"
#include "system/system.h"

namespace zantoli {

// "Ctrl+Alt+Espacio", as the options file and the messages write it (UTF-8).
std::string HotkeyName(const Hotkey& hotkey);

// The key `text` names ("Ctrl+Alt+L", case and spaces free; "Mayús" or
// "Shift"), or nothing with `why` saying what is wrong in Spanish. It needs
// Ctrl, Alt or Win, so that it never takes a key the operator types, and it
// cannot be Ctrl+Mayús+K, the key Zantoli sends to the CAD program.
std::optional<Hotkey> ParseHotkey(std::string_view text, std::string& why);

struct Options {
    std::optional<Hotkey> hotkey = kDefaultHotkey;  // nothing: switched off
    bool suggestions = true;
    bool history = true;
    // What could not be used, one Spanish line each; those options keep
    // their defaults.
    std::vector<std::string> problems;
};

// No options file is anywhere near this large; a larger one is not read.
inline constexpr std::uint64_t kMaxOptionsBytes = std::uint64_t{64} * 1024;

// The options in `path`. A missing file gives the defaults and no problem;
// a file that cannot be read, or is too large, gives the defaults and its
// reason.
Options ReadOptions(const Files& files, const std::string& path);

// The first three problems on lines of their own, then how many more of the
// `total`: a message that fits on the screen however many there are.
inline constexpr std::size_t kProblemsShown = 3;
std::string FirstProblems(const std::vector<std::string>& problems, std::size_t total);

}  // namespace zantoli
