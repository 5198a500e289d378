// The titles by which the programs find each other's windows.
#pragma once

namespace zantoli::window_titles {

// Pellix finds Zantoli's window by it, and Zantoli gives it.
inline constexpr const char* kCommandWindow = "Linea de comando";
// The CAD main window's title, or the start of it (it adds the drawing).
inline constexpr const char* kCadApplication = "Trazalia R14";

}  // namespace zantoli::window_titles
