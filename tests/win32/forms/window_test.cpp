// The command window and its controls as the design gives them: styles,
// classes, geometry at the screen's DPI, and texts as ANSI bytes.
#include "forms_fixture.h"

namespace zantoli::win32 {
namespace {

TEST_F(FormsTest, CommandWindowIsASizableToolWindowWithCloseButtonOnly) {
    const HWND hwnd = Form1Hwnd();
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    EXPECT_EQ(TextOf(hwnd), L"Linea de comando");
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU) << "close button";
    EXPECT_TRUE(style & WS_THICKFRAME) << "sizable";
    EXPECT_TRUE(style & WS_CLIPCHILDREN) << "no flicker over the controls";
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_FALSE(style & (WS_POPUP | WS_CHILD));
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "thin caption, no taskbar button";
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    EXPECT_FALSE(IsWindowVisible(hwnd)) << "hidden until the start has placed it";

    EXPECT_NE(GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND), 0) << "a window without a brush never paints";
    const auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICON));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    const GdiObject<HBITMAP> maskBits(info.hbmMask), colourBits(info.hbmColor);
    BITMAP mask{};
    GetObjectW(maskBits.get(), sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, GetSystemMetrics(SM_CXICON));
}

TEST_F(FormsTest, ControlsAreAComboWithEditAnUnsortedNotifyingListAndALabel) {
    const HWND texto = main.texto().Hwnd();
    const HWND lista = main.lista().Hwnd();
    const HWND ultimo = main.ultimo().Hwnd();
    EXPECT_EQ(ClassOf(texto), L"ComboBox");
    EXPECT_EQ(GetWindowLongPtrW(texto, GWL_STYLE) & 3, CBS_DROPDOWN);
    EXPECT_EQ(GetParent(main.textoEdit()), texto);
    EXPECT_EQ(ClassOf(lista), L"ListBox");
    const LONG_PTR listStyle = GetWindowLongPtrW(lista, GWL_STYLE);
    EXPECT_TRUE(listStyle & LBS_NOTIFY) << "double-clicks must be reported";
    EXPECT_FALSE(listStyle & LBS_SORT) << "the history keeps the order of first use";
    EXPECT_EQ(ClassOf(ultimo), L"Static");
    EXPECT_TRUE(GetWindowLongPtrW(ultimo, GWL_STYLE) & WS_VISIBLE) << "visible, if out of sight";

    // Creation order is the z-order: texto stays drawn above lista where
    // the two overlap.
    EXPECT_EQ(GetWindow(Form1Hwnd(), GW_CHILD), texto);
    EXPECT_EQ(GetWindow(texto, GW_HWNDNEXT), lista);
    EXPECT_EQ(GetWindow(lista, GW_HWNDNEXT), ultimo);

    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(texto, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_STREQ(font.lfFaceName, L"Microsoft Sans Serif") << "TrueType, smoothed at every scaling";
    EXPECT_EQ(font.lfHeight, -MulDiv(33, dpi, 288)) << "8.25 pt";
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(lista, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
}

TEST_F(FormsTest, TheManifestMakesEveryWindowMeasureItsOwnMonitor) {
    // Wine reports per monitor for PerMonitorV2; Windows tells V2 apart.
    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(Form1Hwnd())),
              DPI_AWARENESS_PER_MONITOR_AWARE);
}

TEST_F(FormsTest, ControlsAreTheVersion6CommonControlsTheManifestAsksFor) {
    // Nothing imports comctl32: the manifest alone redirects the classes.
    const auto procedure =
        reinterpret_cast<LPCWSTR>(GetClassLongPtrW(main.texto().Hwnd(), GCLP_WNDPROC));
    HMODULE module = nullptr;
    ASSERT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                       GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                   procedure, &module));
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    std::wstring lower(path);
    for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
    EXPECT_NE(lower.find(L"common-controls"), std::wstring::npos) << "texto comes from " << path;
    EXPECT_NE(lower.find(L"comctl32.dll"), std::wstring::npos) << "texto comes from " << path;
}

TEST_F(FormsTest, ClientAreaAndControlsHaveTheirDesignGeometryAtTheScreenDpi) {
    SCOPED_TRACE("dpi " + std::to_string(dpi));
    const RECT client = ClientRectOf(Form1Hwnd());
    EXPECT_EQ(client.right, Px(3255));
    EXPECT_EQ(client.bottom, Px(780));
    if (dpi == 96) {
        EXPECT_EQ(Describe(client), "(0,0 217x52)");
    }

    struct Expected {
        const char* name;
        Placeable& control;
        HWND hwnd;
        float left, top, width, height;
    } controls[] = {
        {"texto", main.texto(), main.texto().Hwnd(), 0, 480, 3255, DesignFieldHeight()},
        {"lista", main.lista(), main.lista().Hwnd(), 0, 0, 3255, 450},
        {"ultimo", main.ultimo(), main.ultimo().Hwnd(), 5640, 840, 855, 255},
    };
    for (const Expected& c : controls) {
        SCOPED_TRACE(c.name);
        const RECT r = ChildRectOf(c.hwnd);
        EXPECT_EQ(Describe(r), Describe(RECT{Px(c.left), Px(c.top), Px(c.left) + Px(c.width),
                                             Px(c.top) + Px(c.height)}));
        EXPECT_EQ(c.control.Left(), c.left);
        EXPECT_EQ(c.control.Top(), c.top);
        EXPECT_EQ(c.control.Width(), c.width);
        EXPECT_EQ(c.control.Height(), c.height);
    }
    // The form reports its outer rectangle.
    const RECT outer = OuterRectOf(Form1Hwnd());
    EXPECT_EQ(main.form().Width(), PixelsToTwips(outer.right - outer.left, dpi));
    EXPECT_EQ(main.form().Left(), PixelsToTwips(outer.left, dpi));
}

TEST_F(FormsTest, FieldIsDesignHeightUnlessItsFontNeedsMore) {
    const HWND combo = main.texto().Hwnd();
    const RECT field = OuterRectOf(combo);
    const int height = field.bottom - field.top;
    ASSERT_GE(height, Px(315));
    // Edges and padding take three pixels above and below the text.
    if (TextHeightOf(combo) + 6 > Px(315)) GTEST_SKIP() << "this font needs " << height << " px";
    EXPECT_EQ(height, Px(315)) << "text height " << TextHeightOf(combo) << " px";
}

TEST_F(FormsTest, ControlTextsCrossAsAnsiBytes) {
    if (GetACP() != 1252) GTEST_SKIP() << "the cases are written in code page 1252, not " << GetACP();
    const struct {
        std::string ansi;
        std::wstring shown;
    } cases[] = {
        {"L\xCDNEA \xD1", L"LÍNEA Ñ"},
        {"\x80 5", L"€ 5"},
        {"(command \"x\" )", L"(command \"x\" )"},
        {"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ansi);
        main.texto().SetText(c.ansi);
        EXPECT_EQ(TextOf(main.texto().Hwnd()), c.shown);
        EXPECT_EQ(main.texto().Text(), c.ansi);
        EXPECT_FALSE(main.texto().TextHasUnmappableCharacters());
        main.ultimo().SetCaption(c.ansi);
        EXPECT_EQ(TextOf(main.ultimo().Hwnd()), c.shown);
        EXPECT_EQ(main.ultimo().Caption(), c.ansi);
    }
    // A character the code page lacks reads as "?", never as a look-alike
    // ("p" for "π"), and the box tells that it holds one.
    SetWindowTextW(main.texto().Hwnd(), L"xπy");
    EXPECT_EQ(main.texto().Text(), "x?y");
    EXPECT_TRUE(main.texto().TextHasUnmappableCharacters());
    SetWindowTextW(main.texto().Hwnd(), L"áéñü€");
    EXPECT_EQ(main.texto().Text(), "\xE1\xE9\xF1\xFC\x80");
    EXPECT_FALSE(main.texto().TextHasUnmappableCharacters());

    main.lista().AddItem("\xE1ngulo");
    main.lista().AddItem("");
    main.lista().AddItem("b");
    EXPECT_EQ(main.lista().ListCount(), 3);
    EXPECT_EQ(main.lista().List(0), "\xE1ngulo");
    EXPECT_EQ(main.lista().List(1), "");
    EXPECT_EQ(main.lista().List(2), "b") << "unsorted: appended at the end";
    EXPECT_EQ(main.lista().List(-1), "") << "no selection reads as empty";
    EXPECT_EQ(main.lista().List(3), "");
    EXPECT_EQ(main.lista().ListIndex(), -1);
    SendMessageW(main.lista().Hwnd(), LB_SETCURSEL, 2, 0);
    EXPECT_EQ(main.lista().ListIndex(), 2);
}

}  // namespace
}  // namespace zantoli::win32
