// Start and stop of the command window as the user meets them: the marker
// file, the title window, and the window reopening where it was left. The
// placement rules and the end for want of the CAD program are the fault
// tests'.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "driver/desk_fixture.h"

namespace e2e {
namespace {

class LifecycleTest : public DeskTest {
protected:
    void CloseAndWaitForExit(const CommandWindow& window) {
        window.PressCloseButton();
        ExpectExited("after its close button");
    }

    static void ExpectRect(HWND hwnd, const RECT& want) {
        RECT got{};
        EXPECT_TRUE(WaitUntil([&] { return got = WindowRect(hwnd), EqualRect(&got, &want) != FALSE; }, kStepTimeout))
            << "expected window rect (" << want.left << "," << want.top << ")-(" << want.right << ","
            << want.bottom << "); got (" << got.left << "," << got.top << ")-(" << got.right << "," << got.bottom
            << ")";
    }
};

TEST_F(LifecycleTest, MarkerLivesWhileTheWindowRunsAndGoesWithTheCloseButton) {
    dir_.Write(L"zantoli.000", "left behind by an earlier run\r\n");
    CommandWindow window = StartZantoli();
    EXPECT_EQ(Hex(FileBytes(dir_.File(L"zantoli.000")).value_or("")), "3A 50 0D 0A");

    CloseAndWaitForExit(window);
    EXPECT_FALSE(FileExists(dir_.File(L"zantoli.000"))) << "expected the marker gone after the close button";
    const std::string settings = FileBytes(dir_.File(L"zantoli.ini")).value_or("");
    const auto lines = CrLfLines(settings);
    ASSERT_EQ(lines.size(), 4u) << "expected Top, Left, Height, Width; got \"" << settings << "\"";
    const std::regex value("[ -][0-9]+(\\.[0-9]+)? ");
    for (const auto& line : lines) EXPECT_TRUE(std::regex_match(line, value)) << "line \"" << line << "\"";
}

TEST_F(LifecycleTest, TheTitleWindowGoesAndTheWindowReopensWhereLeft) {
    CommandWindow window = StartZantoli();
    // The title window shows with the command window and goes after about three seconds.
    const auto others = [&] {
        auto windows = VisibleTopWindows(zantoli().id());
        windows.erase(std::remove(windows.begin(), windows.end(), window.window()), windows.end());
        return windows.size();
    };
    EXPECT_EQ(others(), 1u) << "expected the title window beside \"Linea de comando\"";
    EXPECT_TRUE(WaitUntil([&] { return others() == 0; }, 6s)) << "expected the title window gone; still there";

    SetWindowPos(window.window(), nullptr, 120, 90, 330, 150, SWP_NOZORDER | SWP_NOACTIVATE);
    ExpectRect(window.window(), RECT{120, 90, 450, 240});
    CloseAndWaitForExit(window);

    window = StartZantoli();
    ExpectRect(window.window(), RECT{120, 90, 450, 240});
}

}  // namespace
}  // namespace e2e
