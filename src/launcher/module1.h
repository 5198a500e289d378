// Pellix's one module: its start procedure keeps Zantoli to one window.
#pragma once

#include "launcher/launcher_system.h"
#include "system/msgbox_style.h"
#include "system/window_titles.h"

namespace zantoli::Module1 {

// The caption of Zantoli's main window, by which Pellix finds it.
inline constexpr const char* kCaption = window_titles::kCommandWindow;
inline constexpr const char* kFailurePrompt = "No se ha podido ejecutar la linea de comando";
inline constexpr const char* kFailureTitle = "ERROR";
inline constexpr int kFailureStyle = vbInformation;
// Window style for Zantoli: normal size and position, focused.
inline constexpr int kShowNormal = 1;

// How long a marker without a window is given before it counts as left
// behind: a Zantoli that has just started writes its marker before its
// window shows.
inline constexpr unsigned kWindowWaitMs = 2000;
inline constexpr unsigned kPollMs = 100;

// Brings a running Zantoli to the front, or starts one. Shows the failure
// message when it can do neither; never throws. Returns the program's exit
// code: 0, or 1 after the failure message.
int Main(LauncherSystem& sys);

}  // namespace zantoli::Module1
