// Start, placement and stop of the command window as the user meets them:
// the title window, the marker file, the window reopening where it was, the
// minimum size, and the end when there is no CAD program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>

#include "driver/desk_fixture.h"

namespace e2e {
namespace {

class LifecycleTest : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        HDC screen = GetDC(nullptr);
        twipsPerPixel_ = 1440.0 / GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }

    int Pixels(double twips) const { return static_cast<int>(twips / twipsPerPixel_ + 0.5); }

    void CloseAndWaitForExit(const CommandWindow& window) {
        window.PressCloseButton();
        ExpectExited("after its close button");
    }

    // The window reaches the rectangle, or the message shows where it stopped.
    static void ExpectRect(HWND hwnd, const RECT& want, int slack) {
        RECT got{};
        const bool reached = WaitUntil(
            [&] {
                got = WindowRect(hwnd);
                return std::abs(got.left - want.left) <= slack && std::abs(got.top - want.top) <= slack &&
                       std::abs(got.right - want.right) <= slack && std::abs(got.bottom - want.bottom) <= slack;
            },
            kStepTimeout);
        EXPECT_TRUE(reached) << "expected window rect (" << want.left << "," << want.top << ")-(" << want.right
                             << "," << want.bottom << ") within " << slack << " px; got (" << got.left << ","
                             << got.top << ")-(" << got.right << "," << got.bottom << ")";
    }

    double twipsPerPixel_ = 15;
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

TEST_F(LifecycleTest, FirstStartNearTheLowerRightThenReopensWhereLeft) {
    CommandWindow window = StartZantoli();
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const RECT first = WindowRect(window.window());
    EXPECT_NEAR(first.bottom, screenHeight - Pixels(700), 1) << "gap below the window on a first start";
    EXPECT_NEAR(first.right, screenWidth - Pixels(350), 1) << "gap right of the window on a first start";

    // The title window shows with the command window and goes after about three seconds.
    const auto others = [&] {
        auto windows = VisibleTopWindows(zantoli().id());
        windows.erase(std::remove(windows.begin(), windows.end(), window.window()), windows.end());
        return windows.size();
    };
    EXPECT_EQ(others(), 1u) << "expected the title window beside \"Linea de comando\"";
    EXPECT_TRUE(WaitUntil([&] { return others() == 0; }, 6s)) << "expected the title window gone; still there";

    SetWindowPos(window.window(), nullptr, 120, 90, 330, 150, SWP_NOZORDER | SWP_NOACTIVATE);
    ExpectRect(window.window(), RECT{120, 90, 450, 240}, 0);
    CloseAndWaitForExit(window);

    window = StartZantoli();
    ExpectRect(window.window(), RECT{120, 90, 450, 240}, 0);
}

// The minimums hold for the client area plus the design frame (60 twips at
// the left, right and bottom, 300 at the top), whatever frame the system
// draws; the input line then spans the client area and ends 10 twips below it.
TEST_F(LifecycleTest, SizedBelowTheMinimumItSpringsBack) {
    CommandWindow window = StartZantoli();
    const RECT combo = WindowRect(window.input());
    const int comboHeight = combo.bottom - combo.top;
    SetWindowPos(window.window(), nullptr, 0, 0, 40, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    const int minClientWidth = Pixels(2000 - 120), minClientHeight = comboHeight + Pixels(350 - 360);
    RECT client{};
    const bool reached = WaitUntil(
        [&] {
            GetClientRect(window.window(), &client);
            return std::abs(client.right - minClientWidth) <= 1 && std::abs(client.bottom - minClientHeight) <= 1;
        },
        kStepTimeout);
    EXPECT_TRUE(reached) << "expected a client area of " << minClientWidth << "x" << minClientHeight
                         << " px; got " << client.right << "x" << client.bottom;
    RECT input = WindowRect(window.input());
    MapWindowPoints(HWND_DESKTOP, window.window(), reinterpret_cast<POINT*>(&input), 2);
    EXPECT_NEAR(input.right, client.right + Pixels(20), 1) << "right edge of the input box";
    EXPECT_NEAR(input.bottom, client.bottom + Pixels(10), 1) << "lower edge of the input box";
}

TEST_F(LifecycleTest, WithoutTheCadWindowTheUserIsToldAndTheProgramEnds) {
    CommandWindow window = StartZantoli();
    window.Enter(L"line");
    HWND box = WaitMessageBox(L"Atención", zantoli().id(), kStepTimeout);
    EXPECT_EQ(MessageBoxPrompt(box), L"Esta aplicación funciona en conjunto con Trazalia R14.");
    ClickOk(box);
    ExpectExited("after the message that the CAD program is missing");
    EXPECT_FALSE(FileExists(dir_.File(L"var\\vuroview.var"))) << "expected nothing written for the CAD side";
    EXPECT_FALSE(FileExists(dir_.File(L"zantoli.000")))
        << "expected the marker removed, so the launcher can start the window again";
}

}  // namespace
}  // namespace e2e
