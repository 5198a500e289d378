// The start, the focus, and window messages reaching Form1's events.
#include "forms_fixture.h"

namespace zantoli::win32 {
namespace {

TEST_F(FormsTest, StartWritesTheMarkerShowsTheSplashOnTopAndPlacesTheWindowLowerRight) {
    // A marker left by an earlier run is overwritten, not appended to.
    std::ofstream(appDir / "zantoli.000", std::ios::binary) << "old contents that are longer";
    form1.Form_Load();

    EXPECT_EQ(FileBytes(appDir / "zantoli.000"), std::string("\x3A\x50\x0D\x0A"));
    EXPECT_TRUE(IsWindowVisible(SplashHwnd()));
    EXPECT_TRUE(IsTopmost(SplashHwnd()));
    EXPECT_FALSE(IsWindowVisible(Form1Hwnd())) << "shown only after the load";

    // No settings file: the lower right corner, 700 and 350 twips from the edges.
    const float screenW = ScreenWidthTwips(), screenH = ScreenHeightTwips();
    EXPECT_EQ(main.form().Top(), screenH - main.form().Height() - 700);
    EXPECT_EQ(main.form().Left(), screenW - main.form().Width() - 350);

    main.form().Show();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == main.textoEdit(); }, 2000))
        << "the focus is in " << static_cast<void*>(GetFocus());
    // The first display laid the controls out for the window's size.
    EXPECT_EQ(main.texto().Width(), design_frame::LayoutWidth(main.form()) - 100);
    EXPECT_EQ(main.texto().Top(),
              design_frame::LayoutHeight(main.form()) - DesignFieldHeight() - 350);
    ExpectTextoAlongTheClientArea();
}

TEST_F(FormsTest, ActivationAndFocusOfTheFormPutTheFocusIntoTheInputLine) {
    main.form().Show();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == main.textoEdit(); }, 2000))
        << "after the first display the focus is in " << static_cast<void*>(GetFocus());

    SetFocus(main.lista().Hwnd());
    ASSERT_EQ(GetFocus(), main.lista().Hwnd());
    SendMessageW(Form1Hwnd(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(GetFocus(), main.textoEdit()) << "Form_Activate";

    SetFocus(Form1Hwnd());
    EXPECT_EQ(GetFocus(), main.textoEdit()) << "Form_GotFocus";

    // Tab moves between lista and texto, in that order.
    MSG tab{main.textoEdit(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(main.PreTranslate(tab));
    EXPECT_EQ(GetFocus(), main.lista().Hwnd());
    tab.hwnd = main.lista().Hwnd();
    EXPECT_TRUE(main.PreTranslate(tab));
    EXPECT_EQ(GetFocus(), main.textoEdit());
}

// The CAD application, as far as the dispatch needs it: a window whose
// title begins with "Trazalia R14".
class EventWiringTest : public FormsTest {
protected:
    EventWiringTest() {
        std::ofstream(appDir / "alias.dat", std::ios::binary) << "L;*LINE\r\n";
        fs::create_directories(appDir / "var");
        main.form().Show();
        ForceForeground(Form1Hwnd());
    }
    std::string Exchange() { return FileBytes(appDir / "var" / "vuroview.var"); }
    // As the user types: into the command window while it is in front,
    // each character through the window's key entry.
    void Type(const std::wstring& keys) {
        BackToForm1();
        for (wchar_t key : keys) {
            const MSG character{main.textoEdit(), WM_CHAR, key, 1, 0, {}};
            if (!main.PreTranslate(character)) DispatchMessageW(&character);
        }
    }
    void BackToForm1() { ForceForeground(Form1Hwnd()); }
    WindowThread cad{L"Trazalia R14 - [Dibujo1]"};
};

TEST_F(EventWiringTest, EnterInTheInputLineSendsTheCommandAndKeepsTheTextAsTyped) {
    Type(L"l\r");

    EXPECT_EQ(Exchange(), "(command \"LINE\" )\r\n");
    EXPECT_EQ(main.lista().ListCount(), 1);
    EXPECT_EQ(main.lista().List(0), "l") << "the history keeps the text from before Enter";
    EXPECT_EQ(SendMessageW(main.texto().Hwnd(), CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(main.ultimo().Caption(), "LINE");
    EXPECT_EQ(TextOf(main.texto().Hwnd()), L"") << "no line break left in the box";
}

TEST_F(EventWiringTest, DoubleClickAndRightButtonMovesCountAsEnter) {
    Type(L"(setq a 1)\r");
    ASSERT_EQ(Exchange(), "(SETQ A 1)\r\n");
    Type(L"l\r");
    ASSERT_EQ(Exchange(), "(command \"LINE\" )\r\n");

    BackToForm1();
    SendMessageW(main.lista().Hwnd(), LB_SETCURSEL, 0, 0);
    SendMessageW(Form1Hwnd(), WM_COMMAND, MAKEWPARAM(2, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(main.lista().Hwnd()));
    EXPECT_EQ(Exchange(), "(SETQ A 1)\r\n");
    EXPECT_EQ(main.lista().ListCount(), 2) << "a history entry sent again adds nothing";

    BackToForm1();
    fs::remove(appDir / "var" / "vuroview.var");
    SendMessageW(Form1Hwnd(), WM_MOUSEMOVE, MK_LBUTTON | MK_MBUTTON, MAKELPARAM(3, 3));
    EXPECT_FALSE(fs::exists(appDir / "var" / "vuroview.var")) << "without the right button nothing is sent";

    // The box is empty: the right button repeats the last command.
    SendMessageW(Form1Hwnd(), WM_MOUSEMOVE, MK_RBUTTON | MK_SHIFT, MAKELPARAM(3, 3));
    EXPECT_EQ(Exchange(), "(SETQ A 1)\r\n");
    EXPECT_EQ(main.lista().ListCount(), 3);
    EXPECT_EQ(main.lista().List(2), "") << "the empty entry text, first used now";
}

}  // namespace
}  // namespace zantoli::win32
