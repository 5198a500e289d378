#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <thread>

#include "system/ansi_upper.h"
#include "system/file_error.h"
#include "test_windows.h"
#include "win32/services/encoding.h"
#include "win32/services/event_boundary.h"
#include "win32/services/screen.h"
#include "win32/services/win32_system.h"

namespace zantoli::win32 {
namespace {

using testing::CreateOwnWindow;
using testing::Pump;

WindowHandle Handle(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }

TEST(Win32System, AppDirIsTheProgramsFolderWithoutATrailingBackslash) {
    auto system = CreateWin32System();
    const std::string dir = system->AppDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_NE(dir.back(), '\\');
    EXPECT_TRUE(system->FileExists(dir + "\\services_tests.exe")) << dir;
}

// What a message box showed, read by a second thread that then presses OK.
struct BoxSeen {
    bool found = false;
    std::wstring prompt;
    HWND owner = nullptr;
    HICON icon = nullptr;
};

std::thread AnswerBox(const std::wstring& caption, BoxSeen& seen,
                      std::function<void(const BoxSeen&)> beforeOk = nullptr) {
    return std::thread([caption, &seen, beforeOk] {
        HWND box = nullptr;
        for (int i = 0; i < 500 && box == nullptr; ++i) {
            box = FindWindowW(L"#32770", caption.c_str());
            if (box == nullptr) Sleep(10);
        }
        if (box == nullptr) return;
        seen.found = true;
        seen.prompt = test_support::MessageBoxPrompt(box);
        seen.owner = GetWindow(box, GW_OWNER);
        // The icon is the box's one static with SS_ICON style.
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t cls[32] = {};
            GetClassNameW(child, cls, 32);
            if (lstrcmpiW(cls, L"Static") == 0 &&
                (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                IsWindowVisible(child))
                seen.icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        }
        if (beforeOk) beforeOk(seen);
        SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    });
}

TEST(Win32System, MsgBoxShowsTheExactPromptTitleAndIcon) {
    auto system = CreateWin32System();
    const HWND main = CreateOwnWindow(L"Linea de comando");
    system->SetMainWindow(Handle(main));
    struct Case {
        const char* prompt;
        const char* title;
        int style;
        LPCWSTR icon;  // nullptr: none
    };
    const Case cases[] = {
        {u8"Esta aplicación funciona en conjunto con Trazalia R14.", u8"Atención", 0, nullptr},
        {u8"Comando inválido.", "Zantoli", 16, IDI_HAND},
        {"No se ha podido ejecutar la linea de comando", "ERROR", 64, IDI_ASTERISK},
        {u8"Dos líneas:\nñ € ü", u8"Atención", 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prompt);
        BoxSeen seen;
        std::thread answer = AnswerBox(Utf8ToWide(c.title), seen);
        const int pressed = system->MsgBox(c.prompt, c.title, c.style);
        answer.join();
        ASSERT_TRUE(seen.found) << "no message box captioned " << c.title;
        EXPECT_EQ(pressed, IDOK);
        EXPECT_EQ(seen.prompt, Utf8ToWide(c.prompt));
        EXPECT_EQ(seen.owner, main);
        if (c.icon == nullptr)
            EXPECT_EQ(seen.icon, nullptr);
        else
            EXPECT_EQ(seen.icon, LoadIconW(nullptr, c.icon));
    }
    DestroyWindow(main);
    Pump(20);
}

TEST(Win32System, MsgBoxWithoutALiveMainWindowHasNoOwner) {
    auto system = CreateWin32System();
    const HWND main = CreateOwnWindow(L"Linea de comando");
    system->SetMainWindow(Handle(main));
    DestroyWindow(main);
    BoxSeen seen;
    std::thread answer = AnswerBox(L"Sin dueño", seen);
    EXPECT_EQ(system->MsgBox("Texto", u8"Sin dueño", 0), IDOK);
    answer.join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.owner, nullptr);
}

// The portable upper-casing that the tests of the procedures use must agree
// with the system's in code page 1252, byte by byte.
TEST(Win32System, UCaseAgreesWithWindows1252ForEveryByte) {
    if (GetACP() != 1252) GTEST_SKIP() << "ANSI code page is " << GetACP() << ", not 1252";
    auto system = CreateWin32System();
    for (int b = 1; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(system->UCase(one), UpperCaseWindows1252(one)) << "byte 0x" << std::hex << b;
    }
    EXPECT_EQ(system->UCase(std::string("l\xEDnea\0\xF1", 7)), std::string("L\xCDNEA\0\xD1", 7));
    EXPECT_EQ(system->UCase(""), "");
}

TEST(Win32System, ScreenSizeIsInTwipsOfTheRealDpi) {
    auto system = CreateWin32System();
    const int dpi = ScreenDpiX();
    if (1440 % dpi != 0) GTEST_SKIP() << "screen at " << dpi << " DPI: twips per pixel are not whole";
    const int perPixel = 1440 / dpi;
    EXPECT_EQ(system->ScreenWidth(), static_cast<float>(GetSystemMetrics(SM_CXSCREEN) * perPixel));
    EXPECT_EQ(system->ScreenHeight(), static_cast<float>(GetSystemMetrics(SM_CYSCREEN) * perPixel));
}

TEST(Win32System, MakeTopmostFloatsAWindowWhereItIs) {
    auto system = CreateWin32System();
    const HWND window = CreateOwnWindow(L"Encima");
    RECT before{}, after{};
    GetWindowRect(window, &before);
    system->MakeTopmost(Handle(window));
    GetWindowRect(window, &after);
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(EqualRect(&before, &after));
    DestroyWindow(window);
    Pump(20);
}

TEST(Win32System, DoEventsDispatchesWhatIsPendingAndKeepsAQuitRequest) {
    auto system = CreateWin32System();
    static int handled;
    handled = 0;
    const HWND window = CreateOwnWindow(L"Eventos");
    testing::onUser = [] { ++handled; };
    for (int i = 0; i < 3; ++i) PostMessageW(window, WM_APP + 1, 0, 0);
    PostQuitMessage(7);
    system->DoEvents();
    testing::onUser = nullptr;
    EXPECT_EQ(handled, 3);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT lost";
    EXPECT_EQ(msg.wParam, 7u);
    DestroyWindow(window);
    Pump(20);
}

TEST(EventBoundaryDeathTest, AnUncaughtFailureShowsTheStandardErrorMessageAndEnds) {
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            auto system = CreateWin32System();
            // Printed before OK is pressed: End follows at once.
            static BoxSeen seen;
            AnswerBox(L"Zantoli", seen, [](const BoxSeen& box) {
                std::string prompt = WideToUtf8(box.prompt);
                for (char& c : prompt)
                    if (c == '\n') c = '/';
                std::fprintf(stderr, "caja:%s#%s\n", prompt.c_str(),
                             box.icon == LoadIconW(nullptr, IDI_HAND) ? "stop" : "otro");
                std::fflush(stderr);
            }).detach();
            RunEventHandler(*system, [] {
                throw FileError(file_op::kWrite, "C:\\Zantoli\\zantoli.ini", "Acceso denegado.");
            });
            std::fprintf(stderr, "volvio\n");
        },
        ::testing::ExitedWithCode(kExitFailure),
        "caja:No se ha podido escribir el archivo C:\\\\Zantoli\\\\zantoli.ini:/Acceso denegado.#stop");
}

TEST(EventBoundaryDeathTest, EndEndsTheProgramAtOnce) {
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            CreateWin32System()->End(kExitNoCadWindow);
            std::fprintf(stderr, "volvio\n");
        },
        ::testing::ExitedWithCode(kExitNoCadWindow), "^$");
}

}  // namespace
}  // namespace zantoli::win32
