// Every command typed reaches the CAD window once, whatever the order of the
// operator's fingers and however fast the next command follows: the CAD
// stand-in has a menu bar, and a lone Alt press and release there would
// swallow the hotkey.
#include <gtest/gtest.h>

#include "driver/desk_fixture.h"
#include "driver/keyboard.h"
#include "standin_messages.h"
#include "support/window_helpers.h"

namespace e2e {
namespace {

using zantoli::test_support::AltOrder;
using zantoli::test_support::ForceForeground;

class TypedKeysTest : public AtCad<DeskTest> {
protected:
    static Lines Repeated(const std::string& expression, size_t count) { return Lines(count, expression); }
};

// A foreground switch made with Alt pressed before Ctrl: the CAD window may
// see only the Alt press, and the rest goes to the command window.
TEST_F(TypedKeysTest, ACommandWindowBroughtForwardWithAltFirstStillSendsEveryCommand) {
    constexpr size_t kCommands = 8;
    for (size_t i = 1; i <= kCommands; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(ForceForeground(window_->window(), 2000, AltOrder::AltFirst));
        TypeText(L"l");
        ASSERT_TRUE(WaitUntil([&] { return window_->InputText() == L"l"; }, kStepTimeout));
        PressKey(VK_RETURN);
        ASSERT_EQ(cad_->WaitReceived(i), Repeated("(command \"LINE\" )", i));
        WaitInputCleared(*window_);
    }
}

// Keys typed while the command window waits for a busy CAD window come
// after the first command, in their order.
TEST_F(TypedKeysTest, ACommandTypedWhileTheCadIsBusyFollowsTheFirst) {
    window_->Focus();
    PostMessageW(cad_->window(), standin::kMsgBusy, 1500, 0);
    TypeText(L"l");
    PressKey(VK_RETURN);
    Sleep(300);  // the first command is waiting for the CAD window now
    TypeText(L"c");
    PressKey(VK_RETURN);
    EXPECT_EQ(cad_->WaitReceived(2), (Lines{"(command \"LINE\" )", "(command \"CIRCLE\" )"}));
    WaitInputCleared(*window_);
    EXPECT_EQ(window_->History(), (Entries{L"l", L"c"}));
}

class ShowKeyRouteTest : public TypedKeysTest {
protected:
    ShowKeyRouteTest() { withShowKey_ = true; }
    static bool KeyTaken() {
        if (!RegisterHotKey(nullptr, 2, MOD_CONTROL | MOD_ALT, VK_SPACE)) return true;
        UnregisterHotKey(nullptr, 2);
        return false;
    }
};

// The system-wide key pressed Alt first and held a moment, then Ctrl, then
// Space, released once the command window is in front.
TEST_F(ShowKeyRouteTest, TheKeyPressedAltFirstLosesNoCommand) {
    ASSERT_TRUE(WaitUntil(KeyTaken, kStepTimeout)) << "the command window did not register its key";
    BringToFront(cad_->window());
    constexpr size_t kCommands = 10;
    for (size_t i = 1; i <= kCommands; ++i) {
        SCOPED_TRACE(i);
        KeysDown({VK_MENU});
        Sleep(100);
        KeysDown({VK_CONTROL, VK_SPACE});
        const bool inFront = WaitUntil([&] { return GetForegroundWindow() == window_->window(); }, kStepTimeout);
        KeysUp({VK_SPACE});
        KeysUp({VK_MENU, VK_CONTROL});
        ASSERT_TRUE(inFront) << "in front: \"" << Narrow(TitleOf(GetForegroundWindow())) << "\"";
        TypeText(L"c");
        ASSERT_TRUE(WaitUntil([&] { return window_->InputText() == L"c"; }, kStepTimeout));
        PressKey(VK_RETURN);
        ASSERT_EQ(cad_->WaitReceived(i), Repeated("(command \"CIRCLE\" )", i));
        WaitInputCleared(*window_);
    }
}

}  // namespace
}  // namespace e2e
