// Messages a test posts to the stand-in's main window to put it in the
// states a real CAD program can be in while the user types a command.
#pragma once

#include <windows.h>

namespace standin {

// Busy on its window thread for wParam milliseconds, as while a drawing
// regenerates: no message is answered meanwhile.
inline constexpr UINT kMsgBusy = WM_APP + 1;
// Opens a modal dialog titled kDialogTitle, which disables the main window
// until it is closed.
inline constexpr UINT kMsgOpenDialog = WM_APP + 2;
inline constexpr wchar_t kDialogTitle[] = L"Propiedades del dibujo";

}  // namespace standin
