// Every command typed reaches the CAD window once, whatever the order of the
// operator's fingers and however fast the next command follows: the CAD
// stand-in has a menu bar, and a lone Alt press and release there would
// swallow the hotkey.
#include <gtest/gtest.h>

#include "driver/desk_fixture.h"
#include "driver/keyboard.h"
#include "standin_messages.h"

namespace e2e {
namespace {

class TypedKeysTest : public AtCad<DeskTest> {
protected:
    static Lines Repeated(const std::string& expression, size_t count) { return Lines(count, expression); }
};

// The old way of bringing a window forward: Alt down, Ctrl down, Ctrl up,
// Alt up, with the switch under way. Split here where a quick switch splits
// it: the CAD window sees only the Alt press, the command window the rest.
TEST_F(TypedKeysTest, ACommandWindowBroughtForwardWithAltFirstStillSendsEveryCommand) {
    constexpr size_t kCommands = 6;
    for (size_t i = 1; i <= kCommands; ++i) {
        SCOPED_TRACE(i);
        BringToFront(cad_->window());
        KeysDown({VK_MENU});
        Sleep(100);
        SetForegroundWindow(window_->window());
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window_->window(); }, kStepTimeout));
        KeysDown({VK_CONTROL});
        KeysUp({VK_MENU, VK_CONTROL});
        window_->Enter(L"l");
        ASSERT_EQ(cad_->WaitReceived(i), Repeated("(command \"LINE\" )", i));
        WaitInputCleared(*window_);
    }
}

// A second command typed at once after the first, or while the command
// window waits for a busy CAD window, comes after the first, in order.
TEST_F(TypedKeysTest, ASecondCommandTypedAtOnceOrWhileTheCadIsBusyFollowsTheFirst) {
    const struct {
        const char* name;
        WPARAM busyMs;
        DWORD pauseMs;  // between the first Enter and the second command
    } cases[] = {{"at once", 0, 0}, {"while the CAD is busy", 1500, 300}};
    size_t sent = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window_->Focus();
        if (c.busyMs) PostMessageW(cad_->window(), standin::kMsgBusy, c.busyMs, 0);
        TypeText(L"l");
        PressKey(VK_RETURN);
        Sleep(c.pauseMs);
        TypeText(L"c");
        PressKey(VK_RETURN);
        sent += 2;
        const Lines received = cad_->WaitReceived(sent);
        EXPECT_EQ(Lines(received.end() - 2, received.end()), (Lines{"(command \"LINE\" )", "(command \"CIRCLE\" )"}));
        WaitInputCleared(*window_);
    }
    EXPECT_EQ(window_->History(), (Entries{L"l", L"c"}));
}

}  // namespace
}  // namespace e2e
