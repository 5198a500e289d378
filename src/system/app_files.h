// The files of AppDir, each addressed as AppDir + one of these names.
#pragma once

namespace zantoli::app_files {

inline constexpr const char* kSettings = "\\zantoli.ini";
inline constexpr const char* kMarker = "\\zantoli.000";
inline constexpr const char* kAliases = "\\alias.dat";
inline constexpr const char* kExchange = "\\var\\vuroview.var";
inline constexpr const char* kProgram = "\\zantoli.exe";
// The operator's options (the key that brings the command window).
inline constexpr const char* kOptions = "\\opciones.ini";

}  // namespace zantoli::app_files
