// The operator's key (Ctrl+Alt+Space unless opciones.ini names another)
// brings the command window from behind any program with the focus in its
// input line; a key another program holds is said once, and the command
// window works the same.
#include <gtest/gtest.h>

#include "driver/desk_fixture.h"
#include "driver/keyboard.h"

namespace e2e {
namespace {

class ShowKeyTest : public AtCad<DeskTest> {
protected:
    ShowKeyTest() { withShowKey_ = true; }
    // The key with its default, and the suggestions on.
    void SetUp() override {
        DeskTest::SetUp();
        StartCad();
        window_.emplace(StartZantoli());
    }

    // The window shows before the key is registered: wait until it is
    // taken, trying it for this thread meanwhile.
    static bool KeyTaken() {
        if (!RegisterHotKey(nullptr, 2, MOD_CONTROL | MOD_ALT, VK_SPACE)) return true;
        UnregisterHotKey(nullptr, 2);
        return false;
    }
};

// As hands press Ctrl+Alt+Space: Ctrl and Alt together and Space tapped, or
// Alt first and held a moment, then Ctrl and Space; Ctrl and Alt go up only
// once the command window is in front. Each time it comes from behind the
// CAD window ready to type, and the command typed reaches the CAD window.
TEST_F(ShowKeyTest, EveryOrderOfFingersBringsTheCommandWindowAndLosesNoCommand) {
    ASSERT_TRUE(WaitUntil(KeyTaken, kStepTimeout)) << "the command window did not register its key";
    const struct {
        const char* name;
        bool altFirst;
    } orders[] = {{"Ctrl and Alt together, Space tapped", false}, {"Alt first, held a moment", true}};
    BringToFront(cad_->window());
    size_t sent = 0;
    for (const auto& order : orders) {
        for (int repeat = 0; repeat < 5; ++repeat) {
            SCOPED_TRACE(std::string(order.name) + ", time " + std::to_string(repeat + 1));
            ASSERT_EQ(GetForegroundWindow(), cad_->window());
            if (order.altFirst) {
                KeysDown({VK_MENU});
                Sleep(100);
                KeysDown({VK_CONTROL, VK_SPACE});
            } else {
                KeysDown({VK_CONTROL, VK_MENU});
                PressKey(VK_SPACE);
            }
            const bool inFront = WaitUntil([&] { return GetForegroundWindow() == window_->window(); }, kStepTimeout);
            if (order.altFirst) KeysUp({VK_SPACE});
            KeysUp({VK_MENU, VK_CONTROL});
            ASSERT_TRUE(inFront) << "in front: \"" << Narrow(WindowTitle(GetForegroundWindow())) << "\"";
            ASSERT_TRUE(WaitUntil([&] { return ClassOf(FocusOf(window_->window())) == L"Edit"; }, kStepTimeout));

            TypeText(L"c");
            ASSERT_TRUE(WaitUntil([&] { return window_->InputText() == L"c"; }, kStepTimeout));
            PressKey(VK_RETURN);
            ++sent;
            ASSERT_EQ(cad_->WaitReceived(sent), Lines(sent, "(command \"CIRCLE\" )"));
            WaitInputCleared(*window_);
        }
    }
}

class TakenShowKeyTest : public ShowKeyTest {
protected:
    void SetUp() override {
        // This test's thread holds the key before the command window starts.
        ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, VK_SPACE));
        ShowKeyTest::SetUp();
    }
    void TearDown() override {
        ShowKeyTest::TearDown();
        UnregisterHotKey(nullptr, 1);
    }
};

TEST_F(TakenShowKeyTest, IsSaidOnceAndTheCommandWindowWorksTheSame) {
    const HWND box = WaitMessageBox(L"Zantoli", zantoli().id(), kStepTimeout);
    EXPECT_NE(MessageBoxPrompt(box).find(L"La tecla Ctrl+Alt+Espacio"), std::wstring::npos);
    EXPECT_NE(MessageBoxPrompt(box).find(dir_.File(L"opciones.ini")), std::wstring::npos);
    ClickOk(box);
    EXPECT_EQ(Send(L"l", 1), Lines{"(command \"LINE\" )"});
}

}  // namespace
}  // namespace e2e
