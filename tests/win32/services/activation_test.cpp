#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "test_windows.h"
#include "win32/services/activation.h"
#include "win32/services/integrity.h"

namespace zantoli::win32 {
namespace {

using testing::CreateOwnWindow;
using testing::ForceForeground;
using testing::IsForeground;
using testing::Pump;
using testing::WindowThread;

// Something else in front first, so that an activation is visible.
void PutInFront(HWND window) {
    ForceForeground(window);
    ASSERT_TRUE(IsForeground(window));
}

// With another window in front first: an equal title, else a title that
// begins with the one asked for, else nothing and the front stays.
TEST(AppActivate, AnEqualTitleBeatsAPrefixMatchAndNoMatchChangesNothing) {
    const struct {
        const char* name;
        std::vector<const wchar_t*> titles;  // the last created is first in z-order
        int activated;                       // index into titles; -1: none
    } cases[] = {
        {"an equal title beats a newer prefix match", {L"Trazalia R14", L"Trazalia R14 - [Dibujo1]"}, 0},
        {"a prefix match when no title is equal", {L"Trazalia R14 - [Dibujo1]"}, 0},
        {"no match", {}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::unique_ptr<WindowThread>> windows;
        for (const wchar_t* title : c.titles) windows.push_back(std::make_unique<WindowThread>(title));
        WindowThread other(L"Otra ventana");
        PutInFront(other.hwnd());
        const Activation got = AppActivate("Trazalia R14");
        EXPECT_EQ(got, c.activated < 0 ? Activation::NotFound : Activation::InFront);
        EXPECT_TRUE(IsForeground(c.activated < 0 ? other.hwnd() : windows[c.activated]->hwnd()));
    }
}

TEST(AppActivate, WhichWindowATitleFinds) {
    WindowThread cad(L"Trazalia R14 - [Dibujo1]");
    WindowThread hidden(L"Trazalia R14", /*visible=*/false);
    WindowThread accented(L"Línea de comando ñ");
    struct Case {
        const wchar_t* title;
        HWND expected;
    };
    const Case cases[] = {
        {L"Trazalia R14", cad.hwnd()},  // the hidden equal title does not count
        {L"Trazalia R14 - [Dibujo1]", cad.hwnd()},
        {L"Trazalia", cad.hwnd()},
        {L"trazalia r14", nullptr},  // case matters
        {L"R14", nullptr},           // inside the title, not at its start
        {L"Trazalia R14 - [Dibujo1] ", nullptr},
        {L"", nullptr},
        {L"Línea de comando ñ", accented.hwnd()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(WindowTitle(c.expected));
        EXPECT_EQ(FindWindowByTitle(c.title), c.expected)
            << "title " << std::string(c.title, c.title + wcslen(c.title));
    }
    // The UTF-8 title reaches the same window.
    EXPECT_EQ(Activation::InFront, AppActivate(u8"Línea de comando ñ"));
    EXPECT_TRUE(IsForeground(accented.hwnd()));
}

TEST(AppActivate, AMinimisedWindowIsRestoredAndBroughtToTheFront) {
    WindowThread cad(L"Trazalia R14 - [Dibujo1]");
    WindowThread other(L"Otra ventana");
    ShowWindow(cad.hwnd(), SW_MINIMIZE);
    PutInFront(other.hwnd());
    ASSERT_TRUE(IsIconic(cad.hwnd()));

    EXPECT_EQ(Activation::InFront, AppActivate("Trazalia R14"));
    EXPECT_TRUE(IsForeground(cad.hwnd()));
    EXPECT_FALSE(IsIconic(cad.hwnd()));
}

TEST(AppActivate, BringToFrontReturnsOnlyOnceTheTargetIsInFront) {
    WindowThread cad(L"Trazalia R14 - [Dibujo1]");
    WindowThread other(L"Otra ventana");
    PutInFront(other.hwnd());

    ASSERT_TRUE(BringToFront(cad.hwnd()));
    // No pumping here: the switch must already be complete.
    EXPECT_EQ(GetForegroundWindow(), cad.hwnd());
    EXPECT_TRUE(BringToFront(cad.hwnd()));  // already in front
    EXPECT_TRUE(IsForeground(cad.hwnd()));
}

class WaitForFocus : public ::testing::Test {
protected:
    void SetUp() override {
        own_ = CreateOwnWindow(L"Linea de comando");
        ASSERT_NE(own_, nullptr);
    }
    void TearDown() override {
        if (IsWindow(own_)) DestroyWindow(own_);
        testing::onUser = nullptr;
        Pump(20);
    }
    // After `delay`, from another thread, as the user would by a click.
    std::thread Later(DWORD delay, HWND window, UINT message = 0) {
        return std::thread([=] {
            Sleep(delay);
            if (message == 0)
                ForceForeground(window);
            else
                PostMessageW(window, message, 0, 0);
        });
    }
    HWND own_ = nullptr;
};

TEST_F(WaitForFocus, TheTargetIsActivatedOnlyAfterTheOwnWindowHasTheFocus) {
    WindowThread cad(L"Trazalia R14 - [Dibujo1]");
    WindowThread other(L"Otra ventana");
    PutInFront(other.hwnd());
    const int before = testing::eventClock;

    std::thread user = Later(300, own_);
    const ULONGLONG start = GetTickCount64();
    const Activation found = AppActivate("Trazalia R14", own_);
    const ULONGLONG waited = GetTickCount64() - start;
    user.join();

    EXPECT_EQ(found, Activation::InFront);
    EXPECT_GE(waited, 250u);
    EXPECT_TRUE(IsForeground(cad.hwnd()));
    EXPECT_GT(testing::ownActivatedAt, before);
    EXPECT_GT(cad.ActivatedAt(), testing::ownActivatedAt.load());
}

TEST_F(WaitForFocus, NoWaitWhenTheOwnWindowAlreadyHasTheFocus) {
    WindowThread cad(L"Trazalia R14 - [Dibujo1]");
    PutInFront(own_);

    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(Activation::InFront, AppActivate("Trazalia R14", own_));
    EXPECT_LT(GetTickCount64() - start, 1000u);
    EXPECT_TRUE(IsForeground(cad.hwnd()));
}

TEST_F(WaitForFocus, TheWaitEndsWhenTheOwnWindowIsDestroyed) {
    WindowThread cad(L"Trazalia R14 - [Dibujo1]");
    WindowThread other(L"Otra ventana");
    PutInFront(other.hwnd());

    std::thread closer = Later(200, own_, WM_APP);
    EXPECT_EQ(Activation::InFront, AppActivate("Trazalia R14", own_));
    closer.join();
    EXPECT_FALSE(IsWindow(own_));
    EXPECT_TRUE(IsForeground(cad.hwnd()));
}

TEST_F(WaitForFocus, TheWaitEndsAfterItsBound) {
    WindowThread other(L"Otra ventana");
    PutInFront(other.hwnd());

    const ULONGLONG start = GetTickCount64();
    WaitUntilForeground(own_, 300);
    const ULONGLONG waited = GetTickCount64() - start;
    EXPECT_GE(waited, 250u);
    EXPECT_LT(waited, 1500u);
}

TEST_F(WaitForFocus, TheForegroundIsOwnWhileAnyWindowOfTheThreadIsInFront) {
    WindowThread other(L"Otra ventana");
    const HWND second = CreateOwnWindow(L"Mensaje");  // as a message box would be
    PutInFront(other.hwnd());
    EXPECT_FALSE(OwnsForeground(own_));
    PutInFront(second);
    EXPECT_TRUE(OwnsForeground(own_));
    PutInFront(own_);
    EXPECT_TRUE(OwnsForeground(own_));
    EXPECT_FALSE(OwnsForeground(nullptr));
    DestroyWindow(second);
}

// An event handled during the wait that activates again must not start a
// second wait inside the first.
TEST_F(WaitForFocus, AnActivationFromInsideTheWaitDoesNotWaitAgain) {
    WindowThread cad(L"Trazalia R14 - [Dibujo1]");
    WindowThread other(L"Otra ventana");
    PutInFront(other.hwnd());

    static HWND own;
    static Activation nestedFound;
    static ULONGLONG nestedTook;
    own = own_;
    nestedFound = Activation::NotFound;
    nestedTook = 0;
    testing::onUser = [] {
        const ULONGLONG start = GetTickCount64();
        nestedFound = AppActivate("Trazalia R14", own);
        nestedTook = GetTickCount64() - start;
        ForceForeground(own, 0);  // lets the outer wait finish
    };
    std::thread poster = Later(100, own_, WM_APP + 1);
    EXPECT_EQ(Activation::InFront, AppActivate("Trazalia R14", own_));
    poster.join();

    EXPECT_EQ(nestedFound, Activation::InFront);
    EXPECT_LT(nestedTook, 1000u);
    EXPECT_TRUE(IsForeground(cad.hwnd()));
}

// Where the token cannot be read, an elevated CAD program would go unnoticed.
TEST(IntegrityLevel, ThisProcessTokenCanBeRead) {
    EXPECT_TRUE(IntegrityLevelOf(GetCurrentProcess()).has_value());
}

}  // namespace
}  // namespace zantoli::win32
