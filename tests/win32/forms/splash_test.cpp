// The title window: its look, its paint, and Timer1 putting the command
// window back on top.
#include "forms_fixture.h"

namespace zantoli::win32 {
namespace {

TEST_F(FormsTest, SplashIsALightCyanBorderedPopupCentredOnTheCommandWindowsMonitor) {
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
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(Form1Hwnd(), MONITOR_DEFAULTTONULL), &monitor));
    const RECT& screen = monitor.rcMonitor;
    EXPECT_EQ(outer.left, screen.left + (screen.right - screen.left - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, screen.top + (screen.bottom - screen.top - (outer.bottom - outer.top)) / 2);

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
    SIZE extent{};
    {
        const WindowDC dc(notice);
        const SelectedObject font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(notice, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    EXPECT_LE(extent.cx, ClientRectOf(notice).right) << "the notice would wrap";
}

// What the screen shows of `hwnd`'s client area, in a memory bitmap.
class ClientCapture {
public:
    explicit ClientCapture(HWND hwnd)
        : client_(ClientRectOf(hwnd)),
          memory_(CreateCompatibleDC(screen_.get())),
          bitmap_(CreateCompatibleBitmap(screen_.get(), client_.right, client_.bottom)),
          selected_(memory_.get(), bitmap_.get()) {
        POINT origin{0, 0};
        ClientToScreen(hwnd, &origin);
        BitBlt(memory_.get(), 0, 0, client_.right, client_.bottom, screen_.get(), origin.x, origin.y, SRCCOPY);
    }
    COLORREF At(int x, int y) const { return GetPixel(memory_.get(), x, y); }

private:
    struct MemoryDCTraits {
        using Handle = HDC;
        static Handle Invalid() { return nullptr; }
        static bool Close(Handle dc) { return DeleteDC(dc) != FALSE; }
    };
    RECT client_;
    WindowDC screen_{nullptr};
    UniqueHandle<MemoryDCTraits> memory_;
    GdiObject<HBITMAP> bitmap_;
    SelectedObject selected_;
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

TEST_F(FormsTest, TimerTickHidesTheSplashAndPutsTheCommandWindowOnTopWithoutActivatingIt) {
    // Only this test's ticks: on a slow machine the splash's own timer
    // could tick before the intruder is in front.
    KillTimer(SplashHwnd(), SplashWindow::kTimer1);
    main.form().Show();
    splashWindow.form().Show();
    Pump(50);
    WindowThread intruder(L"Encima de todo", true, true);
    ASSERT_TRUE(ForceForeground(intruder.hwnd()));
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

}  // namespace
}  // namespace zantoli::win32
