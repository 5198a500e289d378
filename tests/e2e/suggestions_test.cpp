// The suggestions beside the input line follow what is typed and only show:
// Down and Tab put one into the input line, and Enter sends what the input
// line holds, with or without an entry chosen. The list stays inside the
// work area wherever the window is, and the history outlives a restart.
#include <gtest/gtest.h>

#include "driver/desk_fixture.h"
#include "driver/keyboard.h"

namespace e2e {
namespace {

class SuggestionsTest : public AtCad<DeskTest> {
protected:
    HWND Popup() {
        for (HWND hwnd : VisibleTopWindows(zantoli(zantoli_.size() - 1).id())) {
            if (ClassOf(hwnd) == L"ZantoliSugerencias") return hwnd;
        }
        return nullptr;
    }
    // What the list shows, as a screen reader reads it; nothing while hidden.
    Entries Shown() {
        const HWND popup = Popup();
        return popup ? ListBoxItems(GetWindow(popup, GW_CHILD)) : Entries{};
    }
    void ExpectShown(const Entries& expected) {
        EXPECT_TRUE(WaitUntil([&] { return Shown() == expected; }, kStepTimeout))
            << "the list shows " << Shown().size() << " entries, the first \""
            << Narrow(Shown().empty() ? L"" : Shown()[0]) << "\"";
    }
    void Type(const std::wstring& text) {
        TypeText(text);
        ASSERT_TRUE(WaitUntil([&] { return window_->InputText() == text; }, kStepTimeout));
    }
};

TEST_F(SuggestionsTest, DownAndTabFillTheInputLineAndEnterSendsWhatItHolds) {
    EXPECT_EQ(Send(L"circle", 1).back(), "(command \"CIRCLE\" )");
    window_->Focus();
    Type(L"c");
    ExpectShown({L"C, CIRCLE", L"circle"});  // the alias with what it sends, then the history
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return window_->InputText() == L"circle"; }, kStepTimeout));
    ExpectShown({});
    PressKey(VK_RETURN);
    EXPECT_EQ(cad_->WaitReceived(2).back(), "(command \"CIRCLE\" )");
    WaitInputCleared(*window_);

    // Found by its command; chosen but not taken: Enter sends what was typed.
    window_->Focus();
    Type(L"circ");
    ExpectShown({L"C, CIRCLE", L"circle"});
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    EXPECT_EQ(cad_->WaitReceived(3).back(), "(command \"CIRC\" )");
    EXPECT_EQ(window_->History(), (Entries{L"circle", L"circ"}));

    // A refused alias is shown, marked, and Down passes over it.
    window_->Focus();
    Type(L"m");
    ExpectShown({L"MM, MENU, no se envía"});
    PressKey(VK_DOWN);
    PressKey(VK_TAB);
    EXPECT_EQ(window_->InputText(), L"m");
}

// At the bottom of the work area the list opens above the input line, at
// the top below it; it never leaves the work area, and it moves with the
// window.
TEST_F(SuggestionsTest, InsideTheWorkAreaAtTheBottomAndTheTop) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT outer = WindowRect(window_->window());
    const int height = outer.bottom - outer.top;
    for (const bool atBottom : {true, false}) {
        SCOPED_TRACE(atBottom ? "at the bottom" : "at the top");
        const int top = atBottom ? work.bottom - height : work.top;
        SetWindowPos(window_->window(), nullptr, work.left + 20, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        window_->Focus();
        Type(L"c");
        ASSERT_TRUE(WaitUntil([&] { return !Shown().empty(); }, kStepTimeout));
        const RECT field = WindowRect(window_->input());
        RECT list = WindowRect(Popup());
        EXPECT_TRUE(list.left >= work.left && list.right <= work.right && list.top >= work.top &&
                    list.bottom <= work.bottom)
            << "list " << list.left << "," << list.top << "," << list.right << "," << list.bottom << " work "
            << work.right << "x" << work.bottom;
        if (atBottom) {
            EXPECT_EQ(list.bottom, field.top);
        } else {
            EXPECT_EQ(list.top, field.bottom);
        }
        // The window moves: the list goes with it.
        SetWindowPos(window_->window(), nullptr, work.left + 60, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        EXPECT_TRUE(WaitUntil([&] { return WindowRect(Popup()).left == WindowRect(window_->input()).left; },
                              kStepTimeout));
        PressKey(VK_ESCAPE);
        PressKey(VK_BACK);
        ASSERT_TRUE(WaitUntil([&] { return window_->InputText().empty(); }, kStepTimeout));
        // Enter with the list open still reaches the CAD side.
        EXPECT_EQ(Send(L"circle", atBottom ? 1 : 2).back(), "(command \"CIRCLE\" )");
    }
}

TEST_F(SuggestionsTest, TheHistorySurvivesARestartAndADamagedFileIsSaidOnce) {
    Send(L"zoom", 1);
    Send(L"zoom", 2);
    Send(L"zona", 3);
    EXPECT_TRUE(WaitUntil(
        [&] { return FileBytes(dir_.File(L"historial.dat")).value_or("").find("zona") != std::string::npos; },
        kStepTimeout))
        << "written a moment after the command, while the window runs";
    window_->PressCloseButton();
    ExpectExited("on its close button");
    ASSERT_EQ(FileBytes(dir_.File(L"historial.dat")).value_or("").substr(0, 2), "2\t");

    window_.emplace(StartZantoli());
    window_->Focus();
    Type(L"zo");
    ExpectShown({L"zoom", L"zona"});  // most used first
    EXPECT_TRUE(window_->History().empty()) << "the history list still starts empty";
    zantoli(1).Kill();

    dir_.Write(L"historial.dat", std::string("\x01\x02 no es un historial\r\n", 23));
    zantoli_.push_back(ChildProcess::Start(dir_.File(L"zantoli.exe"), {}, dir_.path()));
    const HWND box = WaitMessageBox(L"Zantoli", zantoli(2).id(), kStartTimeout);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(MessageBoxPrompt(box).find(L"línea 1: no tiene la forma"), std::wstring::npos)
        << Narrow(MessageBoxPrompt(box));
    ClickOk(box);
    window_.emplace(CommandWindow::Find(zantoli(2).id()));
    EXPECT_TRUE(FileExists(dir_.File(L"historial.dat.dañado")));
    EXPECT_FALSE(FileExists(dir_.File(L"historial.dat")));
}

}  // namespace
}  // namespace e2e
