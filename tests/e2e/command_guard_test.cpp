// A command reaches the CAD side only when the user means it and exactly
// as typed: not from a mouse move while the CAD window is in front, not
// changed by a key the user still holds, not with a character the CAD side
// would read as another one.
#include <gtest/gtest.h>

#include "driver/desk_fixture.h"
#include "driver/keyboard.h"
#include "refusal_texts.h"
#include "standin_messages.h"

namespace e2e {
namespace {

class CommandGuardTest : public AtCad<DeskTest> {
protected:
    void RightButtonMove() const {
        PostMessageW(window_->window(), WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(4, 4));
    }
    // Long enough for a command to have gone, had one been started.
    static void Settle() { Sleep(700); }
};

TEST_F(CommandGuardTest, RightButtonMovesSendOnlyWhileTheCommandWindowIsInFront) {
    window_->Focus();
    TypeText(L"c");
    ASSERT_TRUE(WaitUntil([&] { return window_->InputText() == L"c"; }, kStepTimeout));
    RightButtonMove();
    EXPECT_EQ(cad_->WaitReceived(1), Lines{"(command \"CIRCLE\" )"});
    WaitInputCleared(*window_);

    // The CAD window is in front now: a further move sends nothing, says nothing...
    ASSERT_EQ(GetForegroundWindow(), cad_->window());
    RightButtonMove();
    Settle();
    // ...and bringing the command window back sends nothing either.
    window_->Focus();
    Settle();
    EXPECT_EQ(cad_->Received().size(), 1u);
    for (HWND hwnd : VisibleTopWindows(zantoli().id()))
        EXPECT_NE(ClassOf(hwnd), L"#32770") << "a message box came up: " << Narrow(WindowTitle(hwnd));

    RightButtonMove();
    EXPECT_EQ(cad_->WaitReceived(2).back(), "(command \"CIRCLE\" )");
}

TEST_F(CommandGuardTest, AShiftTheUserHoldsNeitherChangesTheHotkeyNorIsLetGo) {
    window_->Focus();
    TypeText(L"line");
    ASSERT_TRUE(WaitUntil([&] { return window_->InputText() == L"line"; }, kStepTimeout));
    INPUT shift{};
    shift.type = INPUT_KEYBOARD;
    shift.ki.wVk = VK_LSHIFT;
    ASSERT_EQ(SendInput(1, &shift, sizeof shift), 1u);
    PressKey(VK_RETURN);
    const Lines received = cad_->WaitReceived(1);
    WaitInputCleared(*window_);
    const bool stillDown = GetAsyncKeyState(VK_SHIFT) < 0;
    shift.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &shift, sizeof shift);

    EXPECT_EQ(received, Lines{"(command \"LINE\" )"});
    EXPECT_TRUE(stillDown) << "the held Shift was let go by the hotkey";
    // One hotkey only: a second one would have logged the line again.
    EXPECT_EQ(Send(L"c", 2).back(), "(command \"CIRCLE\" )");
}

TEST_F(CommandGuardTest, ACharacterTheCodePageLacksIsRefusedAndKeptInTheBox) {
    window_->Focus();
    TypeText(L"xπy");
    ASSERT_TRUE(WaitUntil([&] { return window_->InputText() == L"xπy"; }, kStepTimeout));
    PressKey(VK_RETURN);
    HWND box = WaitMessageBox(L"Error", zantoli().id(), kStepTimeout);
    EXPECT_EQ(MessageBoxPrompt(box), BoxText(refusals::kUnsendableCharacters));
    ClickOk(box);
    EXPECT_EQ(window_->InputText(), L"xπy");
    EXPECT_EQ(window_->History(), Entries{});
    EXPECT_EQ(window_->LastCommand(), L"");
    EXPECT_EQ(ExchangeBytes(), "(missing)");
    // Characters of the code page go as before.
    window_->Focus();
    SendMessageW(window_->input(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    EXPECT_EQ(Send(L"x€ñ", 1), Lines{"(command \"X\x80\xD1\" )"});
}

// What the CAD program cannot take now is refused with a message and kept
// in the box; nothing is written or sent until the user presses Enter again.
class CadNotReadyTest : public CommandGuardTest {
protected:
    void ExpectRefused(const std::wstring& typed, const char* prompt, const std::string& exchange) {
        HWND box = WaitMessageBox(L"Error", zantoli().id(), kStepTimeout + kStepTimeout);
        EXPECT_EQ(MessageBoxPrompt(box), BoxText(prompt));
        ClickOk(box);
        EXPECT_EQ(window_->InputText(), typed);
        EXPECT_EQ(ExchangeBytes(), exchange);
    }
};

TEST_F(CadNotReadyTest, AModalDialogInTheCadKeepsTheCommandUntilItIsClosed) {
    PostMessageW(cad_->window(), standin::kMsgOpenDialog, 0, 0);
    HWND dialog = WaitMessageBox(standin::kDialogTitle, cad_->process().id(), kStepTimeout);
    window_->Enter(L"c");
    ExpectRefused(L"c", refusals::kDialogOpen, "(missing)");
    EXPECT_EQ(cad_->Received().size(), 0u);

    ClickOk(dialog);
    window_->Focus();
    PressKey(VK_RETURN);
    EXPECT_EQ(cad_->WaitReceived(1), Lines{"(command \"CIRCLE\" )"});
}

TEST_F(CadNotReadyTest, ABusyCadIsWaitedForAMomentAndRefusedWhenItStaysBusy) {
    PostMessageW(cad_->window(), standin::kMsgBusy, 1000, 0);
    EXPECT_EQ(Send(L"c", 1), Lines{"(command \"CIRCLE\" )"});

    PostMessageW(cad_->window(), standin::kMsgBusy, 4500, 0);
    window_->Enter(L"l");
    ExpectRefused(L"l", refusals::kBusy, "(command \"CIRCLE\" )\r\n");
    // Once it answers again the same Enter goes through, and the first
    // command was evaluated once only.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(cad_->window(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    window_->Focus();
    PressKey(VK_RETURN);
    EXPECT_EQ(cad_->WaitReceived(2), (Lines{"(command \"CIRCLE\" )", "(command \"LINE\" )"}));
}

}  // namespace
}  // namespace e2e
