#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "test_windows.h"
#include "win32/services/activation.h"
#include "win32/services/send_keys.h"
#include "win32/services/win32_system.h"

namespace zantoli::win32 {
namespace {

using testing::ForceForeground;
using testing::IsForeground;
using testing::Pump;
using testing::WindowThread;

// The planned events (tested natively) reach SendInput with the scan code
// of each key and the flags of its kind.
TEST(KeyStrokeInputs, EachEventCarriesItsScanCodeAndFlags) {
    const auto inputs = KeyStrokeInputs(ParseKeyString(u8"^(+K){LEFT}ж"), {kRightAlt, 0});
    struct Expected {
        WORD vk, scan;
        DWORD flags;
    };
    const Expected expected[] = {
        // The held right Alt goes up after a tap of the unassigned mask key.
        {0xE8, 0, 0}, {0xE8, 0, KEYEVENTF_KEYUP}, {VK_RMENU, 0, KEYEVENTF_KEYUP | KEYEVENTF_EXTENDEDKEY},
        {VK_LCONTROL, 0, 0}, {VK_LSHIFT, 0, 0},   {'K', 0, 0}, {'K', 0, KEYEVENTF_KEYUP},
        {VK_LSHIFT, 0, KEYEVENTF_KEYUP}, {VK_LCONTROL, 0, KEYEVENTF_KEYUP},
        {VK_LEFT, 0, KEYEVENTF_EXTENDEDKEY}, {VK_LEFT, 0, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP},
        {0, 0x0436, KEYEVENTF_UNICODE}, {0, 0x0436, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP},
        // ... and comes back, with a tap after it for the user's release.
        {VK_RMENU, 0, KEYEVENTF_EXTENDEDKEY}, {0xE8, 0, 0}, {0xE8, 0, KEYEVENTF_KEYUP},
    };
    ASSERT_EQ(inputs.size(), std::size(expected));
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        SCOPED_TRACE(i);
        const KEYBDINPUT& ki = inputs[i].ki;
        EXPECT_EQ(inputs[i].type, static_cast<DWORD>(INPUT_KEYBOARD));
        EXPECT_EQ(ki.wVk, expected[i].vk);
        EXPECT_EQ(ki.dwFlags, expected[i].flags);
        if (expected[i].vk == 0)
            EXPECT_EQ(ki.wScan, expected[i].scan);
        else
            EXPECT_EQ(ki.wScan, MapVirtualKeyW(ki.wVk, MAPVK_VK_TO_VSC));
    }
}

class KeysToAnotherWindow : public ::testing::Test {
protected:
    // Pumps until `done`, then a moment more: anything extra would arrive now.
    static void WaitFor(const std::function<bool()>& done) {
        test_support::PumpUntil(done, 3000);
        Pump(100);
    }

    // Waits until the chord's Ctrl has gone up in `cad`, after K; its
    // presses of K.
    static std::vector<testing::KeySeen> KPressesOf(const WindowThread& cad) {
        WaitFor([&] {
            const auto ups = cad.KeyUps();
            const auto k = std::find(ups.begin(), ups.end(), static_cast<WPARAM>('K'));
            return std::find(k, ups.end(), static_cast<WPARAM>(VK_CONTROL)) != ups.end();
        });
        std::vector<testing::KeySeen> ks;
        for (const auto& key : cad.KeyDowns())
            if (key.vk == 'K') ks.push_back(key);
        return ks;
    }

    // Exactly one K, seen with Ctrl and Shift and without Alt.
    static void ExpectTheHotkeyOnce(const std::vector<testing::KeySeen>& ks) {
        ASSERT_EQ(ks.size(), 1u) << "K pressed " << ks.size() << " times";
        EXPECT_TRUE(ks[0].ctrl);
        EXPECT_TRUE(ks[0].shift);
        EXPECT_FALSE(ks[0].alt);
    }

    // Keys as the user presses or releases them.
    static bool ByHand(std::initializer_list<WORD> keys, DWORD flags) {
        std::vector<INPUT> inputs;
        for (const WORD vk : keys) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = vk;
            input.ki.dwFlags = flags;
            inputs.push_back(input);
        }
        return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
    }
};

TEST_F(KeysToAnotherWindow, OneCtrlShiftKReachesTheActivatedWindow) {
    WindowThread cad(L"Trazalia R14 - [Dibujo1]");
    WindowThread other(L"Otra ventana");
    ForceForeground(other.hwnd());
    ASSERT_TRUE(IsForeground(other.hwnd()));

    auto system = CreateWin32System();
    ASSERT_EQ(system->AppActivate("Trazalia R14", false), Activation::InFront);
    EXPECT_EQ(HeldModifiers(), 0u);
    EXPECT_TRUE(system->SendKeys("^(+K)"));  // at once, as the dispatch does
    ExpectTheHotkeyOnce(KPressesOf(cad));
    EXPECT_TRUE(other.KeyDowns().empty()) << "keys reached the window left behind";
    EXPECT_GE(GetAsyncKeyState(VK_CONTROL), 0) << "Ctrl still held";
    EXPECT_GE(GetAsyncKeyState(VK_SHIFT), 0) << "Shift still held";
}

// The user still holds Shift and Alt when the command goes: the window sees
// Ctrl+Shift+K without Alt, and both keys are still down afterwards.
TEST_F(KeysToAnotherWindow, KeysTheUserHoldsNeitherChangeTheHotkeyNorEndUp) {
    WindowThread cad(L"Trazalia R14 - [Dibujo1]");
    ASSERT_EQ(AppActivate("Trazalia R14"), Activation::InFront);
    ASSERT_TRUE(ByHand({VK_LSHIFT, VK_LMENU}, 0));
    WaitFor([] { return GetAsyncKeyState(VK_LMENU) < 0; });
    ASSERT_EQ(HeldModifiers(), static_cast<unsigned>(kLeftShift | kLeftAlt));

    EXPECT_TRUE(SendKeyString("^(+K)"));
    const std::vector<testing::KeySeen> ks = KPressesOf(cad);
    EXPECT_EQ(HeldModifiers(), static_cast<unsigned>(kLeftShift | kLeftAlt));
    ByHand({VK_LSHIFT, VK_LMENU}, KEYEVENTF_KEYUP);
    ExpectTheHotkeyOnce(ks);
}

// The CAD window saw Ctrl and Alt go down and lost the focus before they
// went up (the key that brings the command window does this): its thread
// still takes them as down. The chord must still arrive without Alt.
TEST_F(KeysToAnotherWindow, AnAltTheWindowSawPressedButNeverReleasedIsNotPartOfTheHotkey) {
    WindowThread cad(L"Trazalia R14 - [Dibujo1]");
    WindowThread other(L"Otra ventana");
    ASSERT_EQ(AppActivate("Trazalia R14"), Activation::InFront);
    ASSERT_TRUE(ByHand({VK_LCONTROL, VK_LMENU}, 0));
    WaitFor([&] { return cad.KeyDowns().size() >= 2; });
    ASSERT_TRUE(BringToFront(other.hwnd()));
    ASSERT_TRUE(ByHand({VK_LCONTROL, VK_LMENU}, KEYEVENTF_KEYUP));
    WaitFor([&] { return other.KeyUps().size() >= 2; });
    // The command window's thread retrieves those releases and notes them.
    for (const WORD vk : {VK_LCONTROL, VK_LMENU}) NoteKeyMessage(MSG{other.hwnd(), WM_KEYUP, vk, 0, 0, {}});

    ASSERT_EQ(AppActivate("Trazalia R14"), Activation::InFront);
    EXPECT_TRUE(SendKeyString("^(+K)"));
    ExpectTheHotkeyOnce(KPressesOf(cad));
}

TEST_F(KeysToAnotherWindow, CharactersArriveAsTyped) {
    WindowThread cad(L"Trazalia R14 - [Dibujo1]");
    ASSERT_EQ(AppActivate("Trazalia R14"), Activation::InFront);
    ASSERT_TRUE(IsForeground(cad.hwnd()));

    // ñ and € have no key on the test keyboard and go as Unicode characters.
    const std::wstring expected = L"Hola +(X)a ñ€\r";
    EXPECT_TRUE(SendKeyString(u8"Hola {+}{(}+x{)}a ñ€~"));
    WaitFor([&] { return cad.Chars().size() >= expected.size(); });
    EXPECT_EQ(cad.Chars(), expected);
}

}  // namespace
}  // namespace zantoli::win32
