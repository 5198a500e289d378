// What a test knows of the stand-in: the title it takes, and the messages
// a test posts to its main window to put it in the states a real CAD
// program can be in while the user types a command.
#pragma once

#include <windows.h>

#include <string>

#include "system/window_titles.h"
#include "win32/services/encoding.h"

namespace standin {

// Unless --title gives another: the CAD program's, with a drawing open.
inline std::wstring DefaultTitle() {
    return zantoli::win32::Utf8ToWide(zantoli::window_titles::kCadApplication) + L" - [Dibujo1]";
}

// Busy on its window thread for wParam milliseconds, as while a drawing
// regenerates: no message is answered meanwhile.
inline constexpr UINT kMsgBusy = WM_APP + 1;
// Opens a modal dialog titled kDialogTitle, which disables the main window
// until it is closed.
inline constexpr UINT kMsgOpenDialog = WM_APP + 2;
inline constexpr wchar_t kDialogTitle[] = L"Propiedades del dibujo";

}  // namespace standin
