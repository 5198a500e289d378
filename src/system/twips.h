// Twips (1440 to the inch) and pixels, and which DPI converts which measure
// of a window.
#pragma once

namespace zantoli {

inline float TwipsPerPixel(int dpi) { return 1440.0f / static_cast<float>(dpi > 0 ? dpi : 96); }

// Nearest pixel; NaN gives 0 and absurd values saturate at +-32767, so a bad
// settings file can never overflow a window coordinate.
int TwipsToPixels(float twips, int dpi);
inline float PixelsToTwips(int pixels, int dpi) {
    return static_cast<float>(pixels) * TwipsPerPixel(dpi);
}

// The DPIs of one top-level window. Its position is a point of the desktop
// and converts with the system DPI, as every screen measure in twips does,
// so positions saved on any monitor keep their meaning. Its size, and every
// measure inside it, belong to the monitor it is on and convert with that
// monitor's DPI, which changes when the window moves to another monitor.
struct WindowDpi {
    int system = 96;
    int monitor = 96;
};

// A position and size in twips.
struct TwipsRect {
    float left, top, width, height;
};

enum class Measure { Left, Top, Width, Height };

// The four measures of a window (a top-level window, or a control inside
// one) as the procedures last set them. Pixels round 2000 twips to 1995 on
// the way back; while the window still has the pixels a value gave at the
// same DPI, it reads back exactly as set, so the layout's arithmetic sees
// its own numbers.
class TwipsGeometry {
public:
    // `dpi` belongs to the top-level window and outlives this object.
    TwipsGeometry(const WindowDpi& dpi, bool topLevel) : dpi_(dpi), topLevel_(topLevel) {}

    float Read(Measure measure, int actualPixels) const;
    // The pixels to apply.
    int Remember(Measure measure, float twips);
    int DpiOf(Measure measure) const;

private:
    struct Memo {
        bool valid = false;
        float twips = 0;
        int pixels = 0;
        int dpi = 0;
    };

    const WindowDpi& dpi_;
    bool topLevel_;
    Memo memos_[4];
};

}  // namespace zantoli
