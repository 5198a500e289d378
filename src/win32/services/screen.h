// Twips <-> pixels with the screen's real DPI (1440 twips per inch).
#pragma once

#include <vector>

#include "system/system.h"

namespace zantoli::win32 {

// LOGPIXELSX / LOGPIXELSY of the screen as this process sees it (96 when
// the screen cannot be asked).
int ScreenDpiX();
int ScreenDpiY();

inline float TwipsPerPixel(int dpi) { return 1440.0f / static_cast<float>(dpi > 0 ? dpi : 96); }

// Nearest pixel; NaN gives 0 and absurd values saturate at +-32767, so a bad
// settings file can never overflow a window coordinate.
int TwipsToPixels(float twips, int dpi);
inline float PixelsToTwips(int pixels, int dpi) {
    return static_cast<float>(pixels) * TwipsPerPixel(dpi);
}

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
