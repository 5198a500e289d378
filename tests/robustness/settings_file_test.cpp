// Whatever the settings file holds, the command window opens somewhere:
// a file that is cut short, empty, unreadable or without line ends gives
// the first-start placement; values that are not numbers count as 0; saved
// edges beyond the screen come back onto it, a window on no monitor opens
// where it would on a first start; sizes below the minimum are raised to it.
#include <cmath>

#include "fault_fixture.h"

namespace robustness {
namespace {

class SettingsFileFault : public FaultTest {
protected:
    // Opens the window on `settings` (none when empty optional) and returns
    // where it stands; the window is closed again without saving.
    RECT OpenOn(const std::optional<std::string>& settings, bool lock = false) {
        if (settings) dir_.Write(L"zantoli.ini", *settings);
        std::unique_ptr<LockedFile> held;
        if (lock) held = std::make_unique<LockedFile>(dir_.File(L"zantoli.ini"));
        CommandWindow window = StartZantoli();
        const RECT at = WindowRect(window.window());
        comboHeight_ = WindowRect(window.input()).bottom - WindowRect(window.input()).top;
        RECT client{};
        GetClientRect(window.window(), &client);
        frame_ = SIZE{(at.right - at.left) - client.right, (at.bottom - at.top) - client.bottom};
        zantoli_.back().Kill();
        zantoli_.clear();
        DeleteFileW(dir_.File(L"zantoli.ini").c_str());
        return at;
    }

    int Pixels(double twips) const { return static_cast<int>(std::lround(twips / TwipsPerPixel())); }

    int comboHeight_ = 0;
    SIZE frame_{};  // outer size less client size, in pixels
};

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

TEST_F(SettingsFileFault, EveryFileOpensTheWindowWhereItCanBeUsed) {
    const RECT first = OpenOn(std::nullopt);
    const int width = first.right - first.left, height = first.bottom - first.top;
    // The minimums hold for the client area plus the design frame (120 x 360
    // twips); the outer size adds the real frame.
    const int perPixel = TwipsPerPixel();
    const double minWidthTwips = 2000 - 120 + frame_.cx * perPixel;
    // The field reads its design 315 twips while it has their pixels.
    const double fieldTwips = comboHeight_ == Pixels(315) ? 315 : comboHeight_ * perPixel;
    const double minHeightTwips = fieldTwips + 350 - 360 + frame_.cy * perPixel;
    const int minWidth = Pixels(minWidthTwips), minHeight = Pixels(minHeightTwips);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_EQ(first.bottom, screenHeight - Pixels(700)) << "first start: the gap below the window";
    ASSERT_EQ(first.right, screenWidth - Pixels(350)) << "first start: the gap right of the window";
    const int defaultLeft = Pixels(screenWidth * perPixel - minWidthTwips - 350);
    const int defaultTop = Pixels(screenHeight * perPixel - minHeightTwips - 700);

    struct Case {
        const char* what;
        std::string settings;
        bool lock;
        RECT want;
    };
    const Case cases[] = {
        {"empty", "", false, first},
        {"cut short after two lines", " 1500 \r\n 3000 \r\n", false, first},
        {"binary junk without line ends", std::string("\0\xFF\x01garbage\x80\x90", 12), false, first},
        {"locked by another program", " 1500 \r\n 3000 \r\n 1200 \r\n 4000 \r\n", true, first},
        // Wholly left of and above the screen: the first-start corner, at the minimum size.
        {"negative edges and sizes", "-1500\r\n-3000\r\n-100\r\n-2\r\n", false,
         {defaultLeft, defaultTop, defaultLeft + minWidth, defaultTop + minHeight}},
        {"partly left of and above the screen", "-150\r\n-300\r\n 1200 \r\n 4000 \r\n", false,
         {Pixels(-300), Pixels(-150), Pixels(-300) + Pixels(4000), Pixels(-150) + Pixels(1200)}},
        {"edges far beyond the screen",
         "99999999999999999999999999999999999999999999999\r\n 25000 \r\n 1200 \r\n 4000 \r\n", false,
         {Pixels(10), Pixels(10), Pixels(10) + Pixels(4000), Pixels(10) + Pixels(1200)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RECT got = OpenOn(c.settings, c.lock);
        EXPECT_TRUE(EqualRect(&got, &c.want)) << "expected " << Describe(c.want) << "; got " << Describe(got);
    }
    EXPECT_GT(width, minWidth);
    EXPECT_GT(height, minHeight);
}

// A saved size beyond any screen is applied as far as the system lets a
// window grow, and the window still opens with its top edge on the screen.
TEST_F(SettingsFileFault, HugeSizesOpenAsLargeAsTheSystemAllows) {
    const RECT got = OpenOn(" 150 \r\n 300 \r\n 999999999999 \r\n 999999999999 \r\n");
    EXPECT_EQ(got.top, Pixels(150));
    EXPECT_EQ(got.left, Pixels(300));
    EXPECT_GE(got.right - got.left, GetSystemMetrics(SM_CXSCREEN) - Pixels(300)) << Describe(got);
    EXPECT_GE(got.bottom - got.top, GetSystemMetrics(SM_CYSCREEN) - Pixels(150)) << Describe(got);
}

}  // namespace
}  // namespace robustness
