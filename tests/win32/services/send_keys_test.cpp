#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "test_windows.h"
#include "win32/services/activation.h"
#include "win32/services/send_keys.h"
#include "win32/services/win32_system.h"

namespace zantoli::win32 {
namespace {

using testing::IsForeground;
using testing::Pump;
using testing::WindowThread;

struct Event {
    WORD vk;
    bool up;
    bool operator==(const Event& o) const { return vk == o.vk && up == o.up; }
};

std::vector<Event> Events(const std::string& keys) {
    std::vector<Event> events;
    for (const INPUT& input : KeyStrokeInputs(ParseKeyString(keys))) {
        EXPECT_EQ(input.type, static_cast<DWORD>(INPUT_KEYBOARD));
        events.push_back({input.ki.wVk, (input.ki.dwFlags & KEYEVENTF_KEYUP) != 0});
    }
    return events;
}

constexpr Event D(WORD vk) { return {vk, false}; }
constexpr Event U(WORD vk) { return {vk, true}; }

TEST(KeyStrokeInputs, TheCadHotkeyIsOneKBetweenCtrlAndShift) {
    const std::vector<INPUT> inputs = KeyStrokeInputs(ParseKeyString("^(+K)"));
    const std::vector<Event> expected = {D(VK_CONTROL), D(VK_SHIFT), D('K'),
                                         U('K'),        U(VK_SHIFT), U(VK_CONTROL)};
    EXPECT_EQ(Events("^(+K)"), expected);
    for (const INPUT& input : inputs) {
        EXPECT_NE(input.ki.wScan, 0) << "vk " << input.ki.wVk;
        EXPECT_EQ(input.ki.dwFlags & (KEYEVENTF_UNICODE | KEYEVENTF_EXTENDEDKEY), 0u);
    }
}

TEST(KeyStrokeInputs, ModifiersChangeOnlyBetweenKeysThatNeedIt) {
    struct Case {
        const char* keys;
        std::vector<Event> expected;
    };
    const Case cases[] = {
        {"ab", {D('A'), U('A'), D('B'), U('B')}},
        {"+(ab)c", {D(VK_SHIFT), D('A'), U('A'), D('B'), U('B'), U(VK_SHIFT), D('C'), U('C')}},
        // An upper-case letter needs Shift by itself.
        {"Ab", {D(VK_SHIFT), D('A'), U('A'), U(VK_SHIFT), D('B'), U('B')}},
        {"^a%b", {D(VK_CONTROL), D('A'), U('A'), U(VK_CONTROL), D(VK_MENU), D('B'), U('B'),
                  U(VK_MENU)}},
        {"%{F4}~", {D(VK_MENU), D(VK_F4), U(VK_F4), U(VK_MENU), D(VK_RETURN), U(VK_RETURN)}},
        {"{TAB 2}", {D(VK_TAB), U(VK_TAB), D(VK_TAB), U(VK_TAB)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        EXPECT_EQ(Events(c.keys), c.expected);
    }
}

TEST(KeyStrokeInputs, NavigationKeysAreMarkedExtended) {
    const auto inputs = KeyStrokeInputs(ParseKeyString("{LEFT}{DEL}{ENTER}"));
    ASSERT_EQ(inputs.size(), 6u);
    EXPECT_TRUE(inputs[0].ki.dwFlags & KEYEVENTF_EXTENDEDKEY);
    EXPECT_TRUE(inputs[2].ki.dwFlags & KEYEVENTF_EXTENDEDKEY);
    EXPECT_FALSE(inputs[4].ki.dwFlags & KEYEVENTF_EXTENDEDKEY);
}

// Whatever the string, a key goes up only after the string put it down, so
// a key the user holds is never released by it.
TEST(KeyStrokeInputs, ReleaseOnlyWhatTheStringPressed) {
    const char* const strings[] = {"^(+K)", "+(aB)c", "%^{DEL}", "Hola~", "{+}{^}{%}", "+{TAB 3}x",
                                   u8"ñ€"};
    for (const char* keys : strings) {
        SCOPED_TRACE(keys);
        std::set<std::pair<WORD, WORD>> down;  // (vk, unicode unit)
        for (const INPUT& input : KeyStrokeInputs(ParseKeyString(keys))) {
            const auto key = std::make_pair(input.ki.wVk, (input.ki.dwFlags & KEYEVENTF_UNICODE)
                                                              ? input.ki.wScan
                                                              : WORD{0});
            if (input.ki.dwFlags & KEYEVENTF_KEYUP)
                EXPECT_EQ(down.erase(key), 1u) << "released vk " << key.first << " unit " << key.second;
            else
                EXPECT_TRUE(down.insert(key).second) << "pressed twice: vk " << key.first;
        }
        EXPECT_TRUE(down.empty()) << "left down: " << down.size();
    }
}

class KeysToAnotherWindow : public ::testing::Test {
protected:
    // Waits until the target has seen `count` WM_CHAR or key-ups of 'K'.
    static void WaitFor(const std::function<bool()>& done) {
        const ULONGLONG end = GetTickCount64() + 3000;
        while (!done() && GetTickCount64() < end) Pump(10);
        Pump(100);  // anything extra would arrive now
    }
};

TEST_F(KeysToAnotherWindow, OneCtrlShiftKReachesTheActivatedWindow) {
    WindowThread cad(L"Trazalia R14 - [Dibujo1]");
    WindowThread other(L"Otra ventana");
    SetForegroundWindow(other.hwnd());
    ASSERT_TRUE(IsForeground(other.hwnd()));

    auto system = CreateWin32System();
    ASSERT_TRUE(system->AppActivate("Trazalia R14", false));
    system->SendKeys("^(+K)");  // at once, as the dispatch does
    WaitFor([&] {
        const auto ups = cad.KeyUps();
        return std::count(ups.begin(), ups.end(), static_cast<WPARAM>(VK_CONTROL)) > 0;
    });

    std::vector<testing::KeySeen> ks;
    for (const auto& key : cad.KeyDowns())
        if (key.vk == 'K') ks.push_back(key);
    ASSERT_EQ(ks.size(), 1u) << "K pressed " << ks.size() << " times";
    EXPECT_TRUE(ks[0].ctrl);
    EXPECT_TRUE(ks[0].shift);
    EXPECT_FALSE(ks[0].alt);
    EXPECT_TRUE(other.KeyDowns().empty()) << "keys reached the window left behind";
    EXPECT_GE(GetAsyncKeyState(VK_CONTROL), 0) << "Ctrl still held";
    EXPECT_GE(GetAsyncKeyState(VK_SHIFT), 0) << "Shift still held";
}

TEST_F(KeysToAnotherWindow, CharactersArriveAsTyped) {
    WindowThread cad(L"Trazalia R14 - [Dibujo1]");
    ASSERT_TRUE(AppActivate("Trazalia R14"));
    ASSERT_TRUE(IsForeground(cad.hwnd()));

    // ñ and € have no key on the test keyboard and go as Unicode characters.
    const std::wstring expected = L"Hola +(X)a ñ€\r";
    SendKeyString(u8"Hola {+}{(}+x{)}a ñ€~");
    WaitFor([&] { return cad.Chars().size() >= expected.size(); });
    EXPECT_EQ(cad.Chars(), expected);
}

}  // namespace
}  // namespace zantoli::win32
