#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <vector>

#include "fakes/form_fixture.h"
#include "system/file_error.h"
#include "system/app_files.h"
#include "window/settings_format.h"

namespace zantoli::testing {
namespace {

class PlacementTest : public FormFixture {
protected:
    std::string SettingsPath() const { return AppPath(app_files::kSettings); }

    void ExpectPlacement(float top, float left, float height, float width) {
        EXPECT_EQ(window.top, top);
        EXPECT_EQ(window.left, left);
        EXPECT_EQ(window.height, height);
        EXPECT_EQ(window.width, width);
    }
    // Lower edge 700 above the screen's bottom, right edge 350 left of its
    // right edge (screen 15360 x 11520), designed size kept.
    void ExpectDefaultPlacement(float top = 9680, float left = 11635) {
        ExpectPlacement(top, left, 1140, 3375);
    }
};

TEST_F(PlacementTest, FirstStartPlacesTheWindowNearTheLowerRightCorner) {
    form.leeIni();
    ExpectDefaultPlacement();
    EXPECT_EQ(window.resizeEvents, 0);
}

TEST_F(PlacementTest, SavedPlacementIsAppliedWithTheStrictScreenChecks) {
    const std::string huge(45, '9');
    const struct {
        const char* name;
        std::string file;
        float top, left, height, width;
    } cases[] = {
        {"plain", " 900 \r\n 1200 \r\n 2000 \r\n 5000 \r\n", 900, 1200, 2000, 5000},
        // Kept by the strict checks, but wholly off the screen: the default.
        {"at the screen's edges", " 11520 \r\n 15360 \r\n 1140 \r\n 3375 \r\n", 9680, 11635,
         1140, 3375},
        {"just inside", " 11519.5 \r\n 15359.5 \r\n 1140 \r\n 3375 \r\n", 9680, 11635, 1140,
         3375},
        {"beyond the screen", " 11521 \r\n 15361 \r\n 1140 \r\n 3375 \r\n", 10, 10, 1140, 3375},
        {"negative positions", "-100 \r\n-450 \r\n 1140 \r\n 3375 \r\n", -100, -450, 1140, 3375},
        // 0 for a size is applied, then the layout raises it to the minimum.
        {"garbage and empty lines", "x\r\n\r\nabc\r\n \r\n", 0, 0, 665, 2000},
        {"extra lines", " 1 \r\n 2 \r\n 3000 \r\n 4000 \r\n 5 \r\nrubbish\r\n", 1, 2, 3000, 4000},
        {"lone line feeds", " 1\n 2\n 3000\n 4000", 1, 2, 3000, 4000},
        // Left of every monitor: the default corner for that size, its top
        // kept on the screen.
        {"huge numbers", huge + "\r\n-" + huge + "\r\n" + huge + "\r\n 4000 \r\n", 0, 11010,
         FLT_MAX, 4000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window.top = window.left = 0;
        window.width = 3375;
        window.height = 1140;
        sys.files[SettingsPath()] = c.file;
        form.leeIni();
        ExpectPlacement(c.top, c.left, c.height, c.width);
    }
}

// The primary screen is 15360 x 11520; a second monitor of 19200 x 10800
// lies beside it, or is gone. The window is 3375 x 1140; its caption must
// keep a part to drag it by on a monitor's work area.
TEST_F(PlacementTest, SavedPlacementIsKeptWhereItsCaptionCanBeGrabbed) {
    const std::vector<ScreenArea> bottomTaskbar{{0, 0, 15360, 10920}};
    const struct {
        const char* name;
        std::vector<FakeSystem::Monitor> others;
        std::vector<ScreenArea> workAreas;
        float savedTop, savedLeft, top, left;
    } cases[] = {
        {"primary only", {}, {}, 900, 1200, 900, 1200},
        {"second monitor right", {{15360, 0, 19200, 10800}}, {}, 900, 20000, 900, 20000},
        {"beyond the second monitor", {{15360, 0, 19200, 10800}}, {}, 900, 34561, 900, 10},
        {"second monitor below", {{0, 11520, 19200, 10800}}, {}, 15000, 1200, 15000, 1200},
        {"second monitor left", {{-19200, 0, 19200, 10800}}, {}, 900, -15000, 900, -15000},
        {"second monitor above", {{0, -10800, 19200, 10800}}, {}, -5000, 1200, -5000, 1200},
        {"second monitor left gone", {}, {}, 900, -15000, 9680, 11635},
        {"second monitor above gone", {}, {}, -5000, 1200, 9680, 11635},
        {"caption above the screen", {}, {}, -200, 1200, 9680, 11635},
        {"caption half above the screen", {}, {}, -150, 1200, -150, 1200},
        {"only the close button on the screen", {}, {}, 900, -2600, 9680, 11635},
        {"a grip's width on the screen", {}, {}, 900, -2015, 900, -2015},
        {"caption under the taskbar", {}, bottomTaskbar, 10950, 1200, 9680, 11635},
        {"caption just above the taskbar", {}, bottomTaskbar, 10770, 1200, 10770, 1200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sys.otherMonitors = c.others;
        sys.workAreas = c.workAreas;
        window.top = window.left = 0;
        sys.files[SettingsPath()] = SettingLine(c.savedTop) + SettingLine(c.savedLeft) +
                                    " 1140 \r\n 3375 \r\n";
        form.leeIni();
        ExpectPlacement(c.top, c.left, 1140, 3375);
    }
}

// Today's corner (700 above the bottom, 350 from the right) where it fits
// the primary work area; a taskbar elsewhere moves it just inside.
TEST_F(PlacementTest, FirstStartCornerStaysInThePrimaryWorkArea) {
    const struct {
        const char* name;
        ScreenArea work;
        float top, left;
    } cases[] = {
        {"bottom taskbar", {0, 0, 15360, 10920}, 9680, 11635},
        {"tall bottom taskbar", {0, 0, 15360, 10000}, 8860, 11635},
        {"right taskbar", {0, 0, 14400, 11520}, 9680, 11025},
        {"top taskbar", {0, 960, 15360, 10560}, 9680, 11635},
        {"work area smaller than the window", {600, 300, 3000, 1000}, 300, 600},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sys.workAreas = {c.work};
        form.leeIni();
        ExpectDefaultPlacement(c.top, c.left);
    }
}

TEST_F(PlacementTest, ShortEmptyUnreadableOrHiddenFileGivesTheDefaultPlacement) {
    const struct {
        const char* name;
        const char* file;
        bool unreadable, hidden;
    } cases[] = {
        {"empty", "", false, false},
        {"three lines", " 900 \r\n 1200 \r\n 2000 \r\n", false, false},
        {"unreadable", " 900 \r\n 1200 \r\n 2000 \r\n 5000 \r\n", true, false},
        {"hidden", " 900 \r\n 1200 \r\n 2000 \r\n 5000 \r\n", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window.top = window.left = 0;
        sys.files[SettingsPath()] = c.file;
        sys.readFailures.clear();
        sys.hiddenFiles.clear();
        if (c.unreadable) sys.readFailures[SettingsPath()] = "Acceso denegado.";
        if (c.hidden) sys.hiddenFiles.insert(SettingsPath());
        EXPECT_NO_THROW(form.leeIni());
        ExpectDefaultPlacement();
    }
}

TEST_F(PlacementTest, SavedFileHoldsFourLinesAndReadsBackTheSamePlacement) {
    window.top = 123.25f;
    window.left = -45.5f;
    window.height = 2000.75f;
    window.width = 4000.125f;
    sys.files[SettingsPath()] = "old contents that were longer than the new ones\r\n";

    form.guardaIni();
    EXPECT_EQ(sys.files[SettingsPath()], " 123.25 \r\n-45.5 \r\n 2000.75 \r\n 4000.125 \r\n");

    window.top = window.left = 0;
    window.height = 1140;
    window.width = 3375;
    form.leeIni();
    ExpectPlacement(123.25f, -45.5f, 2000.75f, 4000.125f);
}

}  // namespace
}  // namespace zantoli::testing
