// A user at the command window with the CAD program open: what they type
// must reach the CAD side as one exact expression, and the window must keep
// its history, refuse blocked commands and repeat the last one.
#include <gtest/gtest.h>

#include <optional>

#include "driver/desk_fixture.h"
#include "driver/keyboard.h"
#include "refusal_texts.h"

namespace e2e {
namespace {

class CommandFlowTest : public AtCad<DeskTest> {
protected:
    explicit CommandFlowTest(const std::wstring& folderName = L"AppDir") : AtCad(folderName) {}
};

// The history keeps the entry as typed; the CAD side gets the alias's command.
TEST_F(CommandFlowTest, AnAliasReachesTheCadSideAsOneExpression) {
    EXPECT_EQ(Send(L"l", 1), Lines{"(command \"LINE\" )"});
    EXPECT_EQ(Hex(ExchangeBytes()), "28 63 6F 6D 6D 61 6E 64 20 22 4C 49 4E 45 22 20 29 0D 0A");
    EXPECT_EQ(cad_->Shown(), Entries{L"Comando: (command \"LINE\" )"});
    EXPECT_EQ(window_->History(), Entries{L"l"});
    EXPECT_EQ(window_->DropDown(), Entries{L"l"});
    EXPECT_EQ(window_->LastCommand(), L"LINE");
}

TEST_F(CommandFlowTest, RefusedCommandIsAnsweredAndNothingIsSent) {
    for (const wchar_t* refused : {L"menu", L"mm"}) {  // typed, and through its alias
        SCOPED_TRACE(Narrow(refused));
        window_->Enter(refused);
        HWND box = WaitMessageBox(L"Error", zantoli().id(), kStepTimeout);
        EXPECT_EQ(MessageBoxPrompt(box), BoxText(refusals::kInvalidCommand));
        ClickOk(box);
        WaitInputCleared(*window_);
        EXPECT_EQ(window_->History(), Entries{});
        EXPECT_EQ(window_->LastCommand(), L"");
    }
    // Keys reach the CAD side in order, so a refused command sent after all would arrive first.
    EXPECT_EQ(Send(L"circle", 1), Lines{"(command \"CIRCLE\" )"});
    EXPECT_EQ(window_->History(), Entries{L"circle"});
}

TEST_F(CommandFlowTest, EachFormOfExpressionArrivesExactly) {
    struct Case {
        const wchar_t* typed;
        const char* line;
    };
    // The forms of expression are a unit test's table; here only what the
    // real files and code page add.
    const Case cases[] = {
        {L"(setq a 1)", "(SETQ A 1)"},
        {L"", "(SETQ A 1)"},                  // Enter on the empty box repeats it
        {L"año", "(command \"A\xD1O\" )"},  // one byte per letter in the system code page
        {L"$>", ""},                          // a short line leaves nothing of the longer one before it
    };
    size_t count = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.typed));
        const Lines received = Send(c.typed, ++count);
        EXPECT_EQ(received.back(), c.line);
        EXPECT_EQ(Hex(ExchangeBytes()), Hex(std::string(c.line) + "\r\n"));
    }
}

TEST_F(CommandFlowTest, DoubleClickOnHistoryEntrySendsItAgain) {
    Send(L"l", 1);
    Send(L"circle", 2);
    window_->Focus();
    RECT item{};
    ASSERT_NE(SendMessageW(window_->history(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item)), LB_ERR);
    POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(window_->history(), &centre);
    DoubleClickAt(centre);
    EXPECT_EQ(cad_->WaitReceived(3).back(), "(command \"LINE\" )");
    EXPECT_EQ(window_->History(), (Entries{L"l", L"circle"}));
}

// Paths travel as wide text: an AppDir whose name is not plain ASCII works.
class AccentedAppDirTest : public CommandFlowTest {
protected:
    AccentedAppDirTest() : CommandFlowTest(L"Planos Año Señal") {}
};

TEST_F(AccentedAppDirTest, CommandAndMarkerLandInTheFolder) {
    EXPECT_EQ(Send(L"l", 1), Lines{"(command \"LINE\" )"});
    EXPECT_EQ(ExchangeBytes(), "(command \"LINE\" )\r\n");
    EXPECT_EQ(Hex(FileBytes(dir_.File(L"zantoli.000")).value_or("")), "3A 50 0D 0A");
}

}  // namespace
}  // namespace e2e
