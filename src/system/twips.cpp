#include "system/twips.h"

#include <cmath>

namespace zantoli {

int TwipsToPixels(float twips, int dpi) {
    constexpr double kLimit = 32767;
    if (std::isnan(twips)) return 0;
    const double pixels = static_cast<double>(twips) / static_cast<double>(TwipsPerPixel(dpi));
    if (pixels >= kLimit) return static_cast<int>(kLimit);
    if (pixels <= -kLimit) return -static_cast<int>(kLimit);
    return static_cast<int>(std::lround(pixels));
}

int TwipsGeometry::DpiOf(Measure measure) const {
    const bool position = measure == Measure::Left || measure == Measure::Top;
    return topLevel_ && position ? dpi_.system : dpi_.monitor;
}

float TwipsGeometry::Read(Measure measure, int actualPixels) const {
    const Memo& memo = memos_[static_cast<int>(measure)];
    const int dpi = DpiOf(measure);
    if (memo.valid && memo.pixels == actualPixels && memo.dpi == dpi) return memo.twips;
    return PixelsToTwips(actualPixels, dpi);
}

int TwipsGeometry::Remember(Measure measure, float twips) {
    const int dpi = DpiOf(measure);
    memos_[static_cast<int>(measure)] = Memo{true, twips, TwipsToPixels(twips, dpi), dpi};
    return memos_[static_cast<int>(measure)].pixels;
}

}  // namespace zantoli
