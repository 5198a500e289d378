// The title by which Pellix finds Zantoli's window, and Zantoli gives it.
#pragma once

namespace zantoli::window_titles {

inline constexpr const char* kCommandWindow = "Linea de comando";

}  // namespace zantoli::window_titles
