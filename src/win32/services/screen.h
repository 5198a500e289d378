// The screen, its monitors and the DPIs windows are measured with.
#pragma once

#include <windows.h>

#include <vector>

#include "system/system.h"
#include "system/twips.h"

namespace zantoli::win32 {

// LOGPIXELSX / LOGPIXELSY of the screen as this process sees it (96 when
// the screen cannot be asked).
int ScreenDpiX();
int ScreenDpiY();

// The per-monitor DPIs, where this Windows has them (10 version 1607 and
// later; 8.1 for monitors); elsewhere every window has the screen's DPI.
int MonitorDpi(HMONITOR monitor);
int DpiOfWindow(HWND hwnd);
// The outer size of a window of `style` whose client area is `client`
// pixels, with the frame that window has at `dpi`.
SIZE OuterSizeFor(SIZE client, DWORD style, DWORD exStyle, int dpi);

// The whole primary screen, in twips.
float ScreenWidthTwips();
float ScreenHeightTwips();

// The right and bottom edges of the virtual screen (every monitor), in
// twips from the primary screen's top left corner.
float VirtualScreenRightTwips();
float VirtualScreenBottomTwips();

// Every monitor's work area in twips of screen coordinates, the primary's first.
std::vector<ScreenArea> WorkAreasTwips();

}  // namespace zantoli::win32
