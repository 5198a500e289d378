// Both forms and their procedures as real windows, created in this process
// on the real services and wired as zantoli.exe wires them, with helpers to
// read their geometry. Shared by the tests of each feature.
#pragma once

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

#include "support/temp_folder.h"
#include "support/window_helpers.h"
#include "support/window_thread.h"
#include "window/design_frame.h"
#include "form1/form1.h"
#include "window/splash.h"
#include "win32/forms/main_window.h"
#include "win32/forms/splash_window.h"
#include "win32/services/handles.h"
#include "win32/services/screen.h"
#include "win32/services/win32_system.h"

namespace zantoli::win32 {

namespace fs = std::filesystem;

using test_support::ForceForeground;
using test_support::ClassOf;
using test_support::Pump;
using test_support::PumpUntil;
using test_support::TextOf;

inline RECT ClientRectOf(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

inline RECT OuterRectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

// A control's rectangle in its form's client area, in pixels.
inline RECT ChildRectOf(HWND child) {
    RECT r = OuterRectOf(child);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The height of text in a control's font, in pixels.
inline int TextHeightOf(HWND control) {
    TEXTMETRICW metrics{};
    const WindowDC dc(control);
    const SelectedObject font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    GetTextMetricsW(dc.get(), &metrics);
    return metrics.tmHeight;
}

inline std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + ")";
}

inline std::string FileBytes(const fs::path& path) { return test_support::FileBytes(path.wstring()).value_or(""); }

// Both forms and their procedures, wired as zantoli.exe wires them, with
// the test executable's folder as AppDir.
class FormsTest : public ::testing::Test {
protected:
    FormsTest()
        : sys(CreateWin32System()),
          dpi(ScreenDpiX()),
          main(GetModuleHandleW(nullptr)),
          splashWindow(GetModuleHandleW(nullptr)),
          form1(*sys, main.form(), main.texto(), main.lista(), main.ultimo(), splashWindow.form()),
          splash(*sys, splashWindow.form(), main.form()) {
        appDir = fs::u8path(sys->AppDir());
        fs::remove(appDir / "zantoli.000");
        fs::remove(appDir / "zantoli.ini");
        main.Create(form1, *sys);
        sys->SetMainWindow(main.form().hWnd());
        splashWindow.Create(splash, *sys, main.hwnd());
    }
    ~FormsTest() override { fs::remove(appDir / "zantoli.000"); }

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
    // wider than it, its bottom 10 twips below it (to a pixel's rounding),
    // at the window's DPI.
    void ExpectTextoAlongTheClientArea() {
        const int windowDpi = main.dpi().monitor;
        const RECT client = ClientRectOf(Form1Hwnd());
        const RECT texto = ChildRectOf(main.texto().Hwnd());
        EXPECT_NEAR(texto.right, client.right + 20 / TwipsPerPixel(windowDpi), 1)
            << "client " << Describe(client) << ", texto " << Describe(texto);
        EXPECT_NEAR(texto.bottom, client.bottom + 10 / TwipsPerPixel(windowDpi), 1)
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

// Another program's window, on a thread of its own.
using test_support::WindowThread;

inline bool IsTopmost(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST; }

// True when `upper` comes before `lower` in the z-order of top-level windows.
inline bool IsAbove(HWND upper, HWND lower) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == upper) return true;
        if (w == lower) return false;
    }
    return false;
}

}  // namespace zantoli::win32
