// The command window and the title window as real windows, created in this
// process on the real services: styles, design geometry at the screen's DPI,
// the layout's minimums, the timer tick, the start, and the event wiring
// from window messages to Form1.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <string>
#include <thread>

#include "support/window_helpers.h"
#include "window/design_frame.h"
#include "window/form1.h"
#include "window/splash.h"
#include "win32/forms/main_window.h"
#include "win32/forms/splash_window.h"
#include "win32/services/screen.h"
#include "win32/services/win32_system.h"

namespace zantoli::win32 {
namespace {

namespace fs = std::filesystem;

using test_support::ClassOf;
using test_support::Pump;
using test_support::PumpUntil;
using test_support::TextOf;

RECT ClientRectOf(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

RECT OuterRectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

// A control's rectangle in its form's client area, in pixels.
RECT ChildRectOf(HWND child) {
    RECT r = OuterRectOf(child);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + ")";
}

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Both forms and their procedures, wired as zantoli.exe wires them, with
// the test executable's folder as AppDir.
class FormsTest : public ::testing::Test {
protected:
    FormsTest()
        : sys(CreateWin32System()),
          dpi(ScreenDpiX()),
          main(GetModuleHandleW(nullptr), dpi),
          splashWindow(GetModuleHandleW(nullptr), dpi),
          form1(*sys, main.form(), main.texto(), main.lista(), main.ultimo(), splashWindow.form()),
          splash(*sys, splashWindow.form(), main.form()) {
        appDir = fs::u8path(sys->AppDir());
        fs::remove(appDir / "zantoli.000");
        fs::remove(appDir / "zantoli.ini");
        main.Create(form1, *sys);
        sys->SetMainWindow(main.form().hWnd());
        splashWindow.Create(splash, *sys);
    }
    ~FormsTest() override {
        fs::remove(appDir / "zantoli.000");
        fs::remove(appDir / "alias.dat");
        fs::remove_all(appDir / "var");
    }

    int Px(float twips) const { return TwipsToPixels(twips, dpi); }
    // texto's field height follows its font: 315 twips with the design font.
    // Where the system's substitute for that font is taller, the field may
    // be higher, never lower (see FieldIsDesignHeightUnlessItsFontNeedsMore).
    float DesignFieldHeight() {
        const RECT field = OuterRectOf(main.texto().Hwnd());
        const int pixels = field.bottom - field.top;
        return pixels > Px(315) ? PixelsToTwips(pixels, dpi) : 315;
    }
    HWND Form1Hwnd() { return main.hwnd(); }

    // Where the design puts texto relative to the client area: 20 twips
    // wider than it, its bottom 10 twips below it (to a pixel's rounding).
    void ExpectTextoAlongTheClientArea() {
        const RECT client = ClientRectOf(Form1Hwnd());
        const RECT texto = ChildRectOf(main.texto().Hwnd());
        EXPECT_NEAR(texto.right, client.right + 20 / TwipsPerPixel(dpi), 1)
            << "client " << Describe(client) << ", texto " << Describe(texto);
        EXPECT_NEAR(texto.bottom, client.bottom + 10 / TwipsPerPixel(dpi), 1)
            << "client " << Describe(client) << ", texto " << Describe(texto);
    }
    HWND SplashHwnd() { return splashWindow.hwnd(); }

    // Sizes the window as another program (or a settings file) would.
    void ResizePixels(int width, int height) {
        SetWindowPos(Form1Hwnd(), nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    std::unique_ptr<Win32System> sys;
    int dpi;
    MainWindow main;
    SplashWindow splashWindow;
    Form1 form1;
    Splash splash;
    fs::path appDir;
};

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
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, GetSystemMetrics(SM_CXICON));
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
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
    EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
    EXPECT_EQ(font.lfHeight, -MulDiv(33, dpi, 288)) << "8.25 pt";
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(lista, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
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
    if (dpi == 120) {
        EXPECT_EQ(Describe(client), "(0,0 271x65)");
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
    TEXTMETRICW metrics{};
    HDC dc = GetDC(combo);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(combo, WM_GETFONT, 0, 0)));
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(combo, dc);
    const RECT field = OuterRectOf(combo);
    const int height = field.bottom - field.top;
    ASSERT_GE(height, Px(315));
    // Edges and padding take three pixels above and below the text.
    if (metrics.tmHeight + 6 > Px(315)) GTEST_SKIP() << "this font needs " << height << " px";
    EXPECT_EQ(height, Px(315)) << "text height " << metrics.tmHeight << " px";
}

// Layout results in the layout's measure (the client area plus the design
// frame, see design_frame.h) and in pixels on the screen.
struct LayoutCase {
    const char* name;
    int requestWidthPx, requestHeightPx;
    float width, height;      // the layout's W and H afterwards
    float textoTop, listaHeight;
};

TEST_F(FormsTest, SizesBelowTheMinimumSpringBackAndTheControlsFollow) {
    const float cH = main.texto().Height();
    ASSERT_EQ(cH, DesignFieldHeight());
    const float minHeight = cH + 350;
    // How much larger than the design frame this system's frame is.
    const float extraWidth = main.form().Width() - design_frame::LayoutWidth(main.form());
    const float extraHeight = main.form().Height() - design_frame::LayoutHeight(main.form());
    const float tallLayout = PixelsToTwips(Px(1500), dpi) - extraHeight;
    const float wideLayout = PixelsToTwips(400, dpi) - extraWidth;
    const float highLayout = PixelsToTwips(200, dpi) - extraHeight;
    const LayoutCase cases[] = {
        {"too narrow and too low", 60, 20, 2000, minHeight, 0, 200},
        {"too narrow only", 60, Px(1500), 2000, tallLayout, tallLayout - cH - 350,
         tallLayout - cH - 150},
        {"large", 400, 200, wideLayout, highLayout, highLayout - cH - 350, highLayout - cH - 150},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResizePixels(c.requestWidthPx, c.requestHeightPx);
        EXPECT_EQ(design_frame::LayoutWidth(main.form()), c.width);
        EXPECT_EQ(design_frame::LayoutHeight(main.form()), c.height);

        const float controlWidth = c.width - 100;
        EXPECT_EQ(main.texto().Width(), controlWidth);
        EXPECT_EQ(main.lista().Width(), controlWidth);
        EXPECT_EQ(main.texto().Top(), c.textoTop);
        EXPECT_EQ(main.lista().Height(), c.listaHeight);
        const RECT texto = ChildRectOf(main.texto().Hwnd());
        const RECT lista = ChildRectOf(main.lista().Hwnd());
        EXPECT_EQ(Describe(texto), Describe(RECT{0, Px(c.textoTop), Px(controlWidth),
                                                 Px(c.textoTop) + Px(cH)}));
        EXPECT_EQ(Describe(lista), Describe(RECT{0, 0, Px(controlWidth), Px(c.listaHeight)}));
        ExpectTextoAlongTheClientArea();
        if (dpi == 96 && &c == &cases[0]) {
            EXPECT_EQ(texto.right, 127) << "1900 twips are 126.67 pixels";
            EXPECT_EQ(Describe(lista), "(0,0 127x13)");
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

TEST_F(FormsTest, SplashIsALightCyanBorderedPopupCentredOnTheScreen) {
    const HWND hwnd = SplashHwnd();
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_EQ(style & WS_CAPTION, WS_BORDER) << "a one-pixel border, no title bar";
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_EQ(TextOf(hwnd), L"");

    const RECT client = ClientRectOf(hwnd);
    const RECT outer = OuterRectOf(hwnd);
    EXPECT_EQ(client.right, Px(3360));
    EXPECT_EQ(client.bottom, Px(1650));
    EXPECT_EQ(outer.right - outer.left, client.right + 2);
    EXPECT_EQ(outer.bottom - outer.top, client.bottom + 2);
    const int slackX = GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left);
    const int slackY = GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top);
    EXPECT_EQ(outer.left, slackX / 2);
    EXPECT_EQ(outer.top, slackY / 2);

    const struct {
        int number;
        const wchar_t* text;
        float left, top, width, height;
        LONG weight;
    } labels[] = {
        {1, L"Linea de Comando para Trazalia R14 v1.01", 120, 120, 3135, 735, FW_BOLD},
        {2, L"Vurotec", 120, 1080, 3135, 255, FW_NORMAL},
        {3, nullptr, 120, 1320, 3015, 255, FW_NORMAL},
    };
    for (const auto& l : labels) {
        SCOPED_TRACE(l.number);
        const HWND label = splashWindow.label(l.number);
        if (l.text) {
            EXPECT_EQ(TextOf(label), l.text);
        }
        EXPECT_TRUE(GetWindowLongPtrW(label, GWL_STYLE) & SS_CENTER);
        EXPECT_EQ(Describe(ChildRectOf(label)),
                  Describe(RECT{Px(l.left), Px(l.top), Px(l.left) + Px(l.width),
                                Px(l.top) + Px(l.height)}));
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        EXPECT_STREQ(font.lfFaceName, L"Arial");
        EXPECT_EQ(font.lfWeight, l.weight);
    }

    // The notice is one line in its label's width, in the font it has here.
    const HWND notice = splashWindow.label(3);
    const std::wstring text = TextOf(notice);
    EXPECT_FALSE(text.empty());
    HDC dc = GetDC(notice);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(notice, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(notice, dc);
    EXPECT_LE(extent.cx, ClientRectOf(notice).right) << "the notice would wrap";
}

// What the screen shows of `hwnd`'s client area, in a memory bitmap.
class ClientCapture {
public:
    explicit ClientCapture(HWND hwnd) {
        client_ = ClientRectOf(hwnd);
        POINT origin{0, 0};
        ClientToScreen(hwnd, &origin);
        screen_ = GetDC(nullptr);
        memory_ = CreateCompatibleDC(screen_);
        bitmap_ = CreateCompatibleBitmap(screen_, client_.right, client_.bottom);
        previous_ = SelectObject(memory_, bitmap_);
        BitBlt(memory_, 0, 0, client_.right, client_.bottom, screen_, origin.x, origin.y, SRCCOPY);
    }
    ~ClientCapture() {
        SelectObject(memory_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(memory_);
        ReleaseDC(nullptr, screen_);
    }
    COLORREF At(int x, int y) const { return GetPixel(memory_, x, y); }

private:
    RECT client_{};
    HDC screen_ = nullptr, memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

TEST_F(FormsTest, SplashPaintsLightCyanWithBlueText) {
    splashWindow.form().Show();
    SetWindowPos(SplashHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateWindow(SplashHwnd());
    Pump(200);
    const RECT client = ClientRectOf(SplashHwnd());
    const ClientCapture shot(SplashHwnd());

    EXPECT_EQ(shot.At(2, 2), RGB(192, 255, 255));
    EXPECT_EQ(shot.At(client.right - 3, client.bottom - 3), RGB(192, 255, 255));
    // Between the labels only the background shows.
    EXPECT_EQ(shot.At(client.right / 2, Px(1000)), RGB(192, 255, 255));

    // The title: blue on light cyan, smoothed edges blending the two.
    int text = 0, foreign = 0;
    for (int y = Px(120); y < Px(855); ++y) {
        for (int x = Px(120); x < Px(3255); ++x) {
            const COLORREF c = shot.At(x, y);
            if (c == RGB(192, 255, 255)) continue;
            if (GetBValue(c) >= 250 && GetRValue(c) < 192 && GetRValue(c) <= GetGValue(c) + 2) {
                ++text;
            } else {
                ++foreign;
            }
        }
    }
    EXPECT_GT(text, 100) << "the title is drawn in blue";
    EXPECT_EQ(foreign, 0) << "no colour but blue and its blends with the background";
}

// Another program's window, on a thread of its own.
class OtherWindow {
public:
    OtherWindow(const wchar_t* title, bool topmost) {
        thread_ = std::thread([this, title, topmost] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
            wc.lpszClassName = L"ZantoliFormsTestOther";
            RegisterClassW(&wc);
            HWND hwnd = CreateWindowExW(topmost ? WS_EX_TOPMOST : 0, wc.lpszClassName, title,
                                        WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                                        nullptr, nullptr, wc.hInstance, nullptr);
            hwnd_.store(hwnd);
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            DestroyWindow(hwnd);
        });
        while (!hwnd_.load()) Sleep(1);
        threadId_ = GetWindowThreadProcessId(hwnd_.load(), nullptr);
    }
    ~OtherWindow() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    HWND hwnd() const { return hwnd_.load(); }

private:
    std::thread thread_;
    std::atomic<HWND> hwnd_{nullptr};
    DWORD threadId_ = 0;
};

bool IsTopmost(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST; }

// True when `upper` comes before `lower` in the z-order of top-level windows.
bool IsAbove(HWND upper, HWND lower) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == upper) return true;
        if (w == lower) return false;
    }
    return false;
}

TEST_F(FormsTest, TimerTickHidesTheSplashAndPutsTheCommandWindowOnTopWithoutActivatingIt) {
    main.form().Show();
    splashWindow.form().Show();
    Pump(50);
    OtherWindow intruder(L"Encima de todo", true);
    SetForegroundWindow(intruder.hwnd());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == intruder.hwnd(); }, 2000));
    ASSERT_FALSE(IsTopmost(Form1Hwnd()));
    ASSERT_TRUE(IsAbove(intruder.hwnd(), Form1Hwnd()));

    SendMessageW(SplashHwnd(), WM_TIMER, SplashWindow::kTimer1, 0);
    Pump(50);

    EXPECT_FALSE(IsWindowVisible(SplashHwnd()));
    EXPECT_TRUE(IsWindow(SplashHwnd())) << "hidden, not unloaded";
    EXPECT_TRUE(IsTopmost(Form1Hwnd()));
    EXPECT_TRUE(IsAbove(Form1Hwnd(), intruder.hwnd())) << "at the top of the topmost windows";
    EXPECT_EQ(GetForegroundWindow(), intruder.hwnd()) << "the tick must not take the focus";

    // Later ticks repeat the same and keep the splash hidden.
    SendMessageW(SplashHwnd(), WM_TIMER, SplashWindow::kTimer1, 0);
    EXPECT_FALSE(IsWindowVisible(SplashHwnd()));
}

TEST_F(FormsTest, Timer1TicksAboutThreeSecondsAfterTheSplashIsCreated) {
    const auto start = std::chrono::steady_clock::now();
    splashWindow.form().Show();
    ASSERT_TRUE(IsWindowVisible(SplashHwnd()));
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(SplashHwnd()); }, 8000))
        << "Timer1 never ticked";
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // Set when the splash was created, a little before `start`.
    EXPECT_GE(elapsed, std::chrono::milliseconds(2500));
    EXPECT_TRUE(IsTopmost(Form1Hwnd()));
}

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
        SetForegroundWindow(Form1Hwnd());
        PumpUntil([&] { return GetForegroundWindow() == Form1Hwnd(); }, 2000);
    }
    std::string Exchange() { return FileBytes(appDir / "var" / "vuroview.var"); }
    // As the user types: into the command window while it is in front.
    void Type(const std::wstring& keys) {
        BackToForm1();
        for (wchar_t key : keys) SendMessageW(main.textoEdit(), WM_CHAR, key, 1);
    }
    void BackToForm1() {
        SetForegroundWindow(Form1Hwnd());
        PumpUntil([&] { return GetForegroundWindow() == Form1Hwnd(); }, 2000);
    }
    OtherWindow cad{L"Trazalia R14 - [Dibujo1]", false};
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
