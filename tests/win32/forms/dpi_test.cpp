// The command window moved to a monitor of another scaling: Windows sends
// WM_DPICHANGED with the DPI and a suggested rectangle; here the test sends
// it, since Wine has one DPI for every monitor.
#include "forms_fixture.h"

namespace zantoli::win32 {
namespace {

LONG FontHeightOf(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

class DpiChangeTest : public FormsTest {
protected:
    // Everything a DPI change measures anew, in pixels.
    std::string Geometry() {
        MINMAXINFO info{};
        SendMessageW(Form1Hwnd(), WM_ENTERSIZEMOVE, 0, 0);
        SendMessageW(Form1Hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        SendMessageW(Form1Hwnd(), WM_EXITSIZEMOVE, 0, 0);
        return "window " + Describe(OuterRectOf(Form1Hwnd())) + " client " + Describe(ClientRectOf(Form1Hwnd())) +
               " texto " + Describe(ChildRectOf(main.texto().Hwnd())) + " lista " +
               Describe(ChildRectOf(main.lista().Hwnd())) + " ultimo " + Describe(ChildRectOf(main.ultimo().Hwnd())) +
               " fonts " + std::to_string(FontHeightOf(main.texto().Hwnd())) + "/" +
               std::to_string(FontHeightOf(main.lista().Hwnd())) + " minimum " + std::to_string(info.ptMinTrackSize.x) +
               "x" + std::to_string(info.ptMinTrackSize.y);
    }
    void ChangeDpi(int newDpi, const RECT& suggested) {
        SendMessageW(Form1Hwnd(), WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi), reinterpret_cast<LPARAM>(&suggested));
    }
};

TEST_F(DpiChangeTest, EverythingIsMeasuredInTheNewDpiAndBackAgainAsAtTheStart) {
    form1.Form_Resize();
    const RECT start = OuterRectOf(Form1Hwnd());
    const std::string atStart = Geometry();

    for (const int newDpi : {120, 144, 192}) {
        SCOPED_TRACE("to " + std::to_string(newDpi) + " DPI");
        const auto scaled = [&](LONG pixels) { return static_cast<LONG>(MulDiv(pixels, newDpi, dpi)); };
        const RECT suggested{start.left + 7, start.top + 5, start.left + 7 + scaled(start.right - start.left),
                             start.top + 5 + scaled(start.bottom - start.top)};
        ChangeDpi(newDpi, suggested);
        const auto px = [newDpi](float twips) { return TwipsToPixels(twips, newDpi); };

        EXPECT_EQ(Describe(OuterRectOf(Form1Hwnd())), Describe(suggested));
        EXPECT_EQ(FontHeightOf(main.texto().Hwnd()), -std::lround(8.25 * newDpi / 72));
        EXPECT_EQ(FontHeightOf(main.lista().Hwnd()), -std::lround(8.25 * newDpi / 72));
        const RECT texto = ChildRectOf(main.texto().Hwnd());
        if (TextHeightOf(main.texto().Hwnd()) + 6 <= px(315)) {
            EXPECT_EQ(texto.bottom - texto.top, px(315)) << "the field fitted to the design height";
            EXPECT_EQ(main.texto().Height(), 315.0f);
        }
        ExpectTextoAlongTheClientArea();
        EXPECT_EQ(Describe(ChildRectOf(main.ultimo().Hwnd())),
                  Describe(RECT{px(5640), px(840), px(5640) + px(855), px(840) + px(255)}));

        MINMAXINFO info{};
        SendMessageW(Form1Hwnd(), WM_ENTERSIZEMOVE, 0, 0);
        SendMessageW(Form1Hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        SendMessageW(Form1Hwnd(), WM_EXITSIZEMOVE, 0, 0);
        const RECT outer = OuterRectOf(Form1Hwnd()), client = ClientRectOf(Form1Hwnd());
        EXPECT_NEAR(info.ptMinTrackSize.x, px(2000 - 120) + (outer.right - outer.left) - client.right, 1);
        EXPECT_NEAR(info.ptMinTrackSize.y,
                    px(main.texto().Height() + 350 - 360) + (outer.bottom - outer.top) - client.bottom, 1);
    }

    ChangeDpi(dpi, start);
    EXPECT_EQ(Geometry(), atStart);
}

}  // namespace
}  // namespace zantoli::win32
