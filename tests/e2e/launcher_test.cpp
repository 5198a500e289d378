// The launcher and the command window together, as the user starts them:
// one window however often the launcher runs, and a fresh start after the
// command window has ended for want of the CAD program.
#include <gtest/gtest.h>

#include "driver/desk_fixture.h"

namespace e2e {
namespace {

class LauncherTest : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        dir_.CopyIn(ProgramPath(L"pellix.exe"), L"pellix.exe");
    }

    // Runs the launcher to its end; it must not linger.
    void RunLauncher() {
        ChildProcess pellix = ChildProcess::Start(dir_.File(L"pellix.exe"), {}, dir_.path());
        ASSERT_TRUE(pellix.WaitExit(kStepTimeout)) << "expected pellix.exe to end at once; it still runs";
        EXPECT_EQ(pellix.ExitCode().value_or(STILL_ACTIVE), 0u);
    }

    // The window the launcher started, whose process the fixture then owns.
    CommandWindow WindowStartedByLauncher() {
        CommandWindow window = CommandWindow::Find(0);
        DWORD pid = 0;
        GetWindowThreadProcessId(window.window(), &pid);
        zantoli_.clear();
        zantoli_.push_back(ChildProcess::Adopt(pid));
        return window;
    }

    static size_t CommandWindowCount() {
        size_t count = 0;
        for (HWND hwnd : VisibleTopWindows(0)) count += WindowTitle(hwnd) == kCommandCaption;
        return count;
    }
};

TEST_F(LauncherTest, StartsTheCommandWindowOnceThenBringsItToTheFront) {
    StartCad();
    RunLauncher();
    CommandWindow window = WindowStartedByLauncher();
    EXPECT_EQ(Hex(FileBytes(dir_.File(L"zantoli.000")).value_or("")), "3A 50 0D 0A");

    BringToFront(cad_->window());
    RunLauncher();
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window.window(); }, kStepTimeout))
        << "expected \"Linea de comando\" in front after the second launch; got \""
        << Narrow(WindowTitle(GetForegroundWindow())) << "\"";
    EXPECT_EQ(CommandWindowCount(), 1u) << "windows titled \"Linea de comando\"";
    EXPECT_EQ(FindTopWindow(L"ERROR", 0), nullptr) << "expected no launcher message";
}

TEST_F(LauncherTest, StartsItAgainAfterItEndedForWantOfTheCadProgram) {
    RunLauncher();
    WindowStartedByLauncher().Enter(L"line");
    ClickOk(WaitMessageBox(L"Atención", zantoli().id(), kStepTimeout));
    ExpectExited("after the message that the CAD program is missing");

    RunLauncher();
    WindowStartedByLauncher();
    EXPECT_EQ(FindTopWindow(L"ERROR", 0), nullptr) << "expected no launcher message";
    EXPECT_EQ(CommandWindowCount(), 1u) << "windows titled \"Linea de comando\"";
}

}  // namespace
}  // namespace e2e
