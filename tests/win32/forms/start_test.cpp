// The start and the focus. Enter, double-click and right-button moves are
// the end-to-end tests', with real keys and a real mouse.
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

}  // namespace
}  // namespace zantoli::win32
