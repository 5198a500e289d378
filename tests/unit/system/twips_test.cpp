#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>

#include "system/twips.h"
#include "window/settings_format.h"

namespace zantoli {
namespace {

TEST(Twips, TwipsToPixelsRoundsAndSaturates) {
    struct Case {
        float twips;
        int dpi;
        int pixels;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {15, 96, 1},      {7, 96, 0},          {8, 96, 1},        {-15, 96, -1},
        {-8, 96, -1},     {1440, 120, 120},    {6000, 120, 500},  {4800, 96, 320},
        {1e30f, 96, 32767}, {-1e30f, 96, -32767}, {nan, 96, 0},   {1440, 0, 96},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.twips << " twips at " << c.dpi << " DPI");
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels);
    }
    EXPECT_EQ(PixelsToTwips(320, 96), 4800.0f);
    EXPECT_EQ(PixelsToTwips(-2, 120), -24.0f);
}

struct PixelRect {
    int left, top, width, height;
    bool operator==(const PixelRect& o) const { return std::tie(left, top, width, height) == std::tie(o.left, o.top, o.width, o.height); }
};

// What the closing program writes to the settings file for a window with
// `pixels` at `dpi`, read back as the next start reads it.
PixelRect SaveAndRestore(const PixelRect& pixels, const WindowDpi& saved, const WindowDpi& restored) {
    const TwipsGeometry closing(saved, true);
    const auto line = [](float twips) { return SettingValue(SettingLine(twips)); };
    const float left = line(closing.Read(Measure::Left, pixels.left));
    const float top = line(closing.Read(Measure::Top, pixels.top));
    const float width = line(closing.Read(Measure::Width, pixels.width));
    const float height = line(closing.Read(Measure::Height, pixels.height));
    TwipsGeometry starting(restored, true);
    return PixelRect{starting.Remember(Measure::Left, left), starting.Remember(Measure::Top, top),
                     starting.Remember(Measure::Width, width), starting.Remember(Measure::Height, height)};
}

// Positions belong to the desktop (system DPI), sizes to the monitor the
// window is on. Rows with monitor == system are the primary monitor, where
// a file of the builds that measured everything with the system DPI reads
// as before.
TEST(Twips, ASavedPlacementRestoresToTheSamePixelsWithoutDrift) {
    const int dpis[] = {96, 120, 144, 168, 192};
    const PixelRect windows[] = {{1234, 567, 333, 117}, {-1921, -7, 217, 79}, {2561, 1441, 1001, 999}};
    for (const int system : dpis) {
        for (const int monitor : dpis) {
            const WindowDpi dpi{system, monitor};
            for (const PixelRect& window : windows) {
                SCOPED_TRACE(::testing::Message() << "system " << system << ", monitor " << monitor
                                                  << ", window at " << window.left << "," << window.top);
                PixelRect now = window;
                for (int cycle = 0; cycle < 50 && now == window; ++cycle) now = SaveAndRestore(now, dpi, dpi);
                EXPECT_TRUE(now == window) << "became " << now.left << "," << now.top << " " << now.width
                                           << "x" << now.height;

                // Reopened on a monitor of another scaling (it moved there
                // while closed): where it was, in that monitor's size.
                const PixelRect moved = SaveAndRestore(window, dpi, WindowDpi{system, 96});
                EXPECT_EQ(moved.left, window.left);
                EXPECT_EQ(moved.top, window.top);
                EXPECT_NEAR(moved.width, window.width * 96.0 / monitor, 0.5);
            }
        }
    }
}

TEST(Twips, ASetMeasureReadsBackExactlyOnlyAtTheDpiItWasSetAt) {
    WindowDpi dpi{96, 96};
    TwipsGeometry control(dpi, false);
    const int pixels = control.Remember(Measure::Width, 2000);
    EXPECT_EQ(control.Read(Measure::Width, pixels), 2000.0f) << "not 1995";
    dpi.monitor = 144;
    EXPECT_EQ(control.Read(Measure::Width, pixels), 1330.0f) << "the same pixels on another monitor";
}

}  // namespace
}  // namespace zantoli
