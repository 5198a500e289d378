// Whatever the settings file holds, the command window opens where it can
// be used: a file that is unreadable or junk gives the first-start
// placement, saved edges beyond the screen come back onto it, and a saved
// size beyond any screen is applied as far as the system allows.
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
        zantoli_.back().Kill();
        zantoli_.clear();
        DeleteFileW(dir_.File(L"zantoli.ini").c_str());
        return at;
    }

    int Pixels(double twips) const { return static_cast<int>(std::lround(twips / TwipsPerPixel())); }
};

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// The rules for what a file holds are the unit tables'; here only the rows
// a real file and the real screen add.
TEST_F(SettingsFileFault, EveryFileOpensTheWindowWhereItCanBeUsed) {
    const RECT first = OpenOn(std::nullopt);
    ASSERT_EQ(first.bottom, GetSystemMetrics(SM_CYSCREEN) - Pixels(700)) << "first start: the gap below the window";
    ASSERT_EQ(first.right, GetSystemMetrics(SM_CXSCREEN) - Pixels(350)) << "first start: the gap right of the window";

    struct Case {
        const char* what;
        std::string settings;
        bool lock;
        RECT want;
    };
    const Case cases[] = {
        {"binary junk without line ends", std::string("\0\xFF\x01garbage\x80\x90", 12), false, first},
        {"locked by another program", " 1500 \r\n 3000 \r\n 1200 \r\n 4000 \r\n", true, first},
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
