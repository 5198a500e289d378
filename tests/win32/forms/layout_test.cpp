// The layout on real windows: controls along the client area whatever the
// frame, the minimums, and sizes set by the procedures or by absurd values.
#include "forms_fixture.h"

namespace zantoli::win32 {
namespace {

// Sizes the system gives the window: below the minimum it springs back,
// and the controls always fill the client area the design's way (the
// arithmetic itself is the portable layout's, tested natively).
TEST_F(FormsTest, SizesBelowTheMinimumSpringBackAndTheControlsFollow) {
    const struct {
        const char* name;
        int widthPx, heightPx;
        bool kept;  // above the minimum both ways
    } cases[] = {{"too narrow and too low", 60, 20, false},
                 {"too narrow only", 60, Px(1500), false},
                 {"large", 400, 200, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResizePixels(c.widthPx, c.heightPx);
        const RECT outer = OuterRectOf(Form1Hwnd());
        EXPECT_GE(design_frame::LayoutWidth(main.form()), 2000);
        EXPECT_GE(design_frame::LayoutHeight(main.form()), main.texto().Height() + 350);
        if (c.kept) {
            EXPECT_EQ(Describe(RECT{0, 0, outer.right - outer.left, outer.bottom - outer.top}),
                      Describe(RECT{0, 0, c.widthPx, c.heightPx}));
        } else {
            EXPECT_EQ(design_frame::LayoutWidth(main.form()), 2000) << "sprung back to the minimum width";
        }
        ExpectTextoAlongTheClientArea();
        const RECT texto = ChildRectOf(main.texto().Hwnd()), lista = ChildRectOf(main.lista().Hwnd());
        EXPECT_EQ(lista.left, 0);
        EXPECT_EQ(lista.top, 0);
        EXPECT_EQ(lista.right, texto.right);
        EXPECT_NEAR(lista.bottom, texto.top + 200 / TwipsPerPixel(dpi), 1) << "the list reaches 200 under texto's top";
        if (dpi == 96 && c.widthPx == 60) {
            EXPECT_EQ(texto.right, 127) << "1900 twips are 126.67 pixels";
        }
    }
    // ultimo is never moved.
    EXPECT_EQ(Describe(ChildRectOf(main.ultimo().Hwnd())),
              Describe(RECT{Px(5640), Px(840), Px(5640) + Px(855), Px(840) + Px(255)}));
}

// Windows 10/11 frames differ from the design frame; a thicker frame
// stands in for them here. The controls keep their places relative to the
// client area, and the minimums hold for it.
TEST_F(FormsTest, AnotherFrameKeepsTheControlsAlongTheClientArea) {
    const RECT designOuter = OuterRectOf(Form1Hwnd()), designClient = ClientRectOf(Form1Hwnd());
    SetWindowLongPtrW(Form1Hwnd(), GWL_EXSTYLE,
                      GetWindowLongPtrW(Form1Hwnd(), GWL_EXSTYLE) | WS_EX_DLGMODALFRAME |
                          WS_EX_CLIENTEDGE);
    SetWindowPos(Form1Hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT outer = OuterRectOf(Form1Hwnd()), client = ClientRectOf(Form1Hwnd());
    ASSERT_GT((outer.right - outer.left) - client.right,
              (designOuter.right - designOuter.left) - designClient.right)
        << "the frame did not grow";

    for (const SIZE request : {SIZE{Px(6000), Px(3000)}, SIZE{40, 30}}) {
        SCOPED_TRACE(std::to_string(request.cx) + "x" + std::to_string(request.cy) + " px");
        ResizePixels(request.cx, request.cy);
        ExpectTextoAlongTheClientArea();
        EXPECT_GE(design_frame::LayoutWidth(main.form()), 2000);
        EXPECT_GE(design_frame::LayoutHeight(main.form()), main.texto().Height() + 350);
    }
}

TEST_F(FormsTest, SizesSetByTheProceduresRaiseTheLayoutAtOnce) {
    // As leeIni does with a settings file: the nested layout has run before
    // the setter returns.
    main.form().SetHeight(0);
    EXPECT_EQ(design_frame::LayoutHeight(main.form()), DesignFieldHeight() + 350);
    EXPECT_EQ(main.texto().Top(), 0);
    EXPECT_EQ(main.lista().Height(), 200);
    main.form().SetWidth(-5000);
    EXPECT_EQ(design_frame::LayoutWidth(main.form()), 2000);
    EXPECT_EQ(main.lista().Width(), 1900);
}

TEST_F(FormsTest, AbsurdMeasuresSaturateInsteadOfOverflowing) {
    const struct {
        const char* name;
        float value;
    } cases[] = {{"huge", 3.0e38f}, {"minus huge", -3.0e38f}, {"infinite", std::numeric_limits<float>::infinity()},
                 {"not a number", std::numeric_limits<float>::quiet_NaN()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        main.form().SetLeft(c.value);
        main.form().SetTop(c.value);
        main.form().SetWidth(c.value);
        main.form().SetHeight(c.value);
        const RECT outer = OuterRectOf(Form1Hwnd());
        EXPECT_LE(std::abs(outer.left), 32767);
        EXPECT_LE(std::abs(outer.top), 32767);
        EXPECT_GE(design_frame::LayoutWidth(main.form()), 2000) << "the minimum still holds";
        EXPECT_GE(design_frame::LayoutHeight(main.form()), 665);
        EXPECT_LE(outer.right - outer.left, 32767);
    }
}

TEST_F(FormsTest, ADragStopsAtTheMinimumButOtherSizesAreLeftToTheLayout) {
    MINMAXINFO info{};
    SendMessageW(Form1Hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_LT(info.ptMinTrackSize.x, Px(2000)) << "outside a drag the layout corrects sizes";

    SendMessageW(Form1Hwnd(), WM_ENTERSIZEMOVE, 0, 0);
    info = MINMAXINFO{};
    SendMessageW(Form1Hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(Form1Hwnd(), WM_EXITSIZEMOVE, 0, 0);
    const float frameWidth = main.form().Width() - main.form().ScaleWidth();
    const float frameHeight = main.form().Height() - main.form().ScaleHeight();
    EXPECT_EQ(info.ptMinTrackSize.x, Px(2000 - 120 + frameWidth));
    EXPECT_EQ(info.ptMinTrackSize.y, Px(DesignFieldHeight() + 350 - 360 + frameHeight));
}

}  // namespace
}  // namespace zantoli::win32
