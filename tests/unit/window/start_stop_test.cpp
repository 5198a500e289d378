#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fakes/form_fixture.h"
#include "system/file_error.h"
#include "system/app_files.h"
#include "window/program_ending.h"
#include "window/splash.h"

namespace zantoli::testing {
namespace {

class StartStopTest : public FormFixture {
protected:
    std::string Marker() const { return AppPath(app_files::kMarker); }
    std::string Settings() const { return AppPath(app_files::kSettings); }

    void Close() {
        std::int16_t cancel = 0;
        EXPECT_THROW(form.Form_Unload(cancel), ProgramEnded);
        EXPECT_EQ(cancel, 0);
    }
};

TEST_F(StartStopTest, StartShowsTheTitleOnTopThenWritesTheMarkerThenPlacesTheWindow) {
    sys.files[Marker()] = "left behind by an earlier run, and longer";
    bool sawEvents = false;
    sys.onDoEvents = [&] {
        sawEvents = true;
        EXPECT_TRUE(splash.visible);
        EXPECT_EQ(sys.madeTopmost, std::vector<WindowHandle>{splash.hWnd()});
        EXPECT_EQ(sys.files[Marker()], std::string("\x3A\x50\x0D\x0A"));
        EXPECT_EQ(window.top, 0) << "placement read before the pending events ran";
    };

    form.Form_Load();

    EXPECT_TRUE(sawEvents);
    EXPECT_EQ(sys.doEventsCount, 1);
    EXPECT_EQ(window.top, 9680);
    EXPECT_EQ(window.left, 11635);
    EXPECT_EQ(sys.files[Marker()], ":P\r\n");
}

TEST_F(StartStopTest, MarkerThatCannotBeWrittenStopsTheStartBeforeThePlacement) {
    sys.writeFailures[Marker()] = "Acceso denegado.";
    sys.files[Settings()] = " 900 \r\n 1200 \r\n 2000 \r\n 5000 \r\n";

    EXPECT_THROW(form.Form_Load(), FileError);

    EXPECT_TRUE(splash.visible);
    EXPECT_EQ(sys.madeTopmost.size(), 1u);
    EXPECT_EQ(sys.doEventsCount, 0);
    EXPECT_EQ(window.top, 0);
}

TEST_F(StartStopTest, CloseRemovesTheMarkerSavesThePlacementAndEnds) {
    for (const bool markerPresent : {true, false}) {
        SCOPED_TRACE(markerPresent ? "marker present" : "marker already removed");
        sys.files.clear();
        sys.doEventsCount = 0;
        if (markerPresent) sys.files[Marker()] = ":P\r\n";
        window.top = 900;
        window.left = -30;
        sys.onDoEvents = [&] {
            EXPECT_EQ(sys.files.count(Settings()), 1u) << "events ran before the save";
        };

        Close();

        EXPECT_FALSE(sys.FileExists(Marker()));
        EXPECT_EQ(sys.files[Settings()], " 900 \r\n-30 \r\n 1140 \r\n 3375 \r\n");
        EXPECT_EQ(sys.doEventsCount, 1);
        EXPECT_TRUE(sys.Ended());
        EXPECT_EQ(sys.exitCode, kExitClosed);
    }
}

TEST_F(StartStopTest, SettingsThatCannotBeWrittenAtCloseAreReported) {
    sys.files[Marker()] = ":P\r\n";
    sys.writeFailures[Settings()] = "Acceso denegado.";
    std::int16_t cancel = 0;

    try {
        form.Form_Unload(cancel);
        FAIL() << "the close went on";
    } catch (const ProgramEnding& failure) {
        EXPECT_EQ(failure.what(), FileError::Compose("escribir", Settings(), "Acceso denegado."));
    }
    EXPECT_FALSE(sys.FileExists(Marker()));
}

TEST_F(StartStopTest, EveryTimerTickHidesTheTitleAndPutsTheCommandWindowOnTop) {
    Splash title(sys, splash, window);
    splash.visible = true;

    title.Timer1_Timer();
    title.Timer1_Timer();

    EXPECT_FALSE(splash.visible);
    EXPECT_FALSE(window.visible) << "hiding the title must not touch the command window";
    EXPECT_EQ(sys.madeTopmost, (std::vector<WindowHandle>{window.hWnd(), window.hWnd()}));
    EXPECT_EQ(texto.focusCount, 0);
}

}  // namespace
}  // namespace zantoli::testing
