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

TEST_F(FormsTest, ADpiChangeMeasuresEverythingInTheNewDpiAndBackRestoresTheStart) {
    const auto minimum = [this] {
        MINMAXINFO info{};  // the minimum holds during a drag
        SendMessageW(Form1Hwnd(), WM_ENTERSIZEMOVE, 0, 0);
        SendMessageW(Form1Hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        SendMessageW(Form1Hwnd(), WM_EXITSIZEMOVE, 0, 0);
        return info.ptMinTrackSize;
    };
    const auto geometry = [&] {
        const POINT least = minimum();
        return Describe(OuterRectOf(Form1Hwnd())) + Describe(ChildRectOf(main.texto().Hwnd())) +
               Describe(ChildRectOf(main.lista().Hwnd())) + Describe(ChildRectOf(main.ultimo().Hwnd())) + " font " +
               std::to_string(FontHeightOf(main.lista().Hwnd())) + " minimum " + std::to_string(least.x) + "x" +
               std::to_string(least.y);
    };
    const auto changeDpi = [this](int newDpi, const RECT& suggested) {
        SendMessageW(Form1Hwnd(), WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi), reinterpret_cast<LPARAM>(&suggested));
    };
    form1.Form_Resize();
    const RECT start = OuterRectOf(Form1Hwnd());
    const std::string atStart = geometry();

    for (const int newDpi : {120, 144, 192}) {
        SCOPED_TRACE("to " + std::to_string(newDpi) + " DPI");
        const auto px = [newDpi](float twips) { return TwipsToPixels(twips, newDpi); };
        const RECT suggested{start.left + 7, start.top + 5, start.left + 7 + MulDiv(start.right - start.left, newDpi, dpi),
                             start.top + 5 + MulDiv(start.bottom - start.top, newDpi, dpi)};
        changeDpi(newDpi, suggested);

        EXPECT_EQ(Describe(OuterRectOf(Form1Hwnd())), Describe(suggested));
        EXPECT_EQ(FontHeightOf(main.texto().Hwnd()), -std::lround(8.25 * newDpi / 72));
        EXPECT_EQ(FontHeightOf(main.lista().Hwnd()), -std::lround(8.25 * newDpi / 72));
        if (TextHeightOf(main.texto().Hwnd()) + 6 <= px(315)) {
            const RECT field = ChildRectOf(main.texto().Hwnd());
            EXPECT_EQ(field.bottom - field.top, px(315)) << "the field fitted to the design height";
            EXPECT_EQ(main.texto().Height(), 315.0f);
        }
        ExpectTextoAlongTheClientArea();
        EXPECT_EQ(Describe(ChildRectOf(main.ultimo().Hwnd())),
                  Describe(RECT{px(5640), px(840), px(5640) + px(855), px(840) + px(255)}));
        const RECT outer = OuterRectOf(Form1Hwnd()), client = ClientRectOf(Form1Hwnd());
        EXPECT_EQ(minimum().x, px(2000 - 120) + (outer.right - outer.left) - client.right);
    }
    changeDpi(dpi, start);
    EXPECT_EQ(geometry(), atStart);
}

}  // namespace
}  // namespace zantoli::win32
