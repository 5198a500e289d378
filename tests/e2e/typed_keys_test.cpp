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

}  // namespace
}  // namespace e2e
