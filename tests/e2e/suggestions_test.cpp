// The suggestions under the input line follow what is typed and only show:
// Down and Tab put one into the input line, and Enter sends what the input
// line holds, with or without an entry chosen.
#include <gtest/gtest.h>

#include "driver/desk_fixture.h"
#include "driver/keyboard.h"

namespace e2e {
namespace {

class SuggestionsTest : public AtCad<DeskTest> {
protected:
    // What the list shows; nothing while it is hidden.
    Entries Shown() {
        for (HWND hwnd : VisibleTopWindows(zantoli().id())) {
            if (ClassOf(hwnd) == L"ZantoliSugerencias") return ListBoxItems(GetWindow(hwnd, GW_CHILD));
        }
        return {};
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
    ExpectShown({L"C  CIRCLE", L"circle"});  // the alias with its command, then the history
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return window_->InputText() == L"circle"; }, kStepTimeout));
    ExpectShown({});
    PressKey(VK_RETURN);
    EXPECT_EQ(cad_->WaitReceived(2).back(), "(command \"CIRCLE\" )");
    WaitInputCleared(*window_);

    // An entry chosen but not taken: Enter sends what was typed.
    window_->Focus();
    Type(L"circ");
    ExpectShown({L"circle"});
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    EXPECT_EQ(cad_->WaitReceived(3).back(), "(command \"CIRC\" )");
    EXPECT_EQ(window_->History(), (Entries{L"circle", L"circ"}));
}

}  // namespace
}  // namespace e2e
