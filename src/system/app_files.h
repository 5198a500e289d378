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
// The commands sent, kept for the suggestions of later starts.
inline constexpr const char* kHistory = "\\historial.dat";
// Where a history that cannot be read is set aside.
inline constexpr const char* kHistoryAside = "\\historial.dat.dañado";

}  // namespace zantoli::app_files
