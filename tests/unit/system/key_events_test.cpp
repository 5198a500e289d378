#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "system/key_events.h"

namespace zantoli {
namespace {

// "LCtrl+ K+ K- LCtrl-": + down, - up, * extended, U+xxxx a Unicode unit.
std::string Describe(const std::vector<KeyEvent>& events) {
    const std::map<std::uint16_t, std::string> names = {
        {vk::kLeftShift, "LShift"}, {vk::kRightShift, "RShift"}, {vk::kLeftCtrl, "LCtrl"},
        {vk::kRightCtrl, "RCtrl"},  {vk::kLeftAlt, "LAlt"},      {vk::kRightAlt, "RAlt"},
        {vk::kLeftWin, "LWin"},     {vk::kRightWin, "RWin"},     {0x0D, "Enter"},
        {0x25, "Left"},             {0xBB, "Oem+"},       {vk::kMask, "Mask"}};
    std::string text;
    for (const KeyEvent& e : events) {
        if (!text.empty()) text += ' ';
        if (e.unicode != 0) {
            char unit[8];
            std::snprintf(unit, sizeof unit, "U+%04X", static_cast<unsigned>(e.unicode));
            text += unit;
        } else if (const auto name = names.find(e.vk); name != names.end()) {
            text += name->second;
        } else {
            text += static_cast<char>(e.vk);
        }
        text += e.up ? '-' : '+';
        if (e.extended) text += '*';
    }
    return text;
}

// A Cyrillic layout: no Latin letters; "+" on its own key with Shift.
std::optional<LayoutKey> CyrillicLayout(char16_t ch) {
    if (ch == u'+') return LayoutKey{0xBB, kModShift};
    return std::nullopt;
}

std::string Plan(const char* keys, unsigned held, unsigned recent = 0) {
    return Describe(PlanKeyEvents(ParseKeyString(keys), {held, recent}, CyrillicLayout));
}

constexpr unsigned kAlts = kLeftAlt | kRightAlt, kWins = kLeftWin | kRightWin;

// Held keys, and the keys the receiving window may have seen go down last.
struct Row {
    unsigned held, recent;
    const char* events;
};

TEST(PlanKeyEvents, TheHotkeyIsExactlyCtrlShiftKWhateverTheUserHoldsAndTheWindowSaw) {
    const Row rows[] = {
        // Nothing held, nothing lately: the chord alone.
        {0, 0, "LCtrl+ LShift+ K+ K- LShift- LCtrl-"},
        // Alt went down in the CAD window and up elsewhere (a press of the
        // system-wide key, Alt first): released after a tap of the mask key.
        {0, kLeftAlt, "Mask+ Mask- LAlt- LCtrl+ LShift+ K+ K- LShift- LCtrl-"},
        {0, kLeftAlt | kLeftCtrl, "Mask+ Mask- LAlt- LCtrl+ LShift+ K+ K- LShift- LCtrl-"},
        {0, kRightWin, "Mask+ Mask- RWin-* LCtrl+ LShift+ K+ K- LShift- LCtrl-"},
        // A held Shift or Ctrl serves the chord and stays down; it is pressed
        // once more for a window that came to the front after it went down.
        {kLeftShift, 0, "LCtrl+ LShift+ K+ K- LCtrl-"},
        {kRightShift | kRightCtrl, kRightShift, "RCtrl+* RShift+ K+ K-"},
        // A held Alt or Windows key goes up first and down last, each time
        // after a tap, so neither its release nor the user's is a lone tap.
        {kLeftAlt, kLeftAlt, "Mask+ Mask- LAlt- LCtrl+ LShift+ K+ K- LShift- LCtrl- LAlt+ Mask+ Mask-"},
        {kAlts | kLeftShift, 0, "Mask+ Mask- RAlt-* LAlt- LCtrl+ LShift+ K+ K- LCtrl- LAlt+ RAlt+* Mask+ Mask-"},
        {kWins, 0, "Mask+ Mask- RWin-* LWin-* LCtrl+ LShift+ K+ K- LShift- LCtrl- LWin+* RWin+* Mask+ Mask-"},
        // AltGr (the right Alt with the left Ctrl): the Alt goes up before
        // Ctrl goes down, since its release may take the left Ctrl with it.
        {kRightAlt | kLeftCtrl, 0, "Mask+ Mask- RAlt-* LCtrl+ LShift+ K+ K- LShift- RAlt+* Mask+ Mask-"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.events);
        EXPECT_EQ(Plan("^(+K)", row.held, row.recent), row.events);
    }
}

TEST(PlanKeyEvents, KeysAndCharactersBesidesTheHotkey) {
    struct Case {
        const char* keys;
        unsigned held;
        const char* events;
    };
    const Case cases[] = {
        // Letters go by their own key even on a layout without them.
        {"k", 0, "K+ K-"},
        {"Ab1", 0, "LShift+ A+ A- LShift- B+ B- 1+ 1-"},
        {"+(ab)c", 0, "LShift+ A+ A- B+ B- LShift- C+ C-"},
        // A held Shift would make a capital: up for the letter, then back.
        {"a", kLeftShift, "LShift- A+ A- LShift+"},
        {"a", kLeftAlt, "Mask+ Mask- LAlt- A+ A- LAlt+ Mask+ Mask-"},
        {"{+}", 0, "LShift+ Oem++ Oem+- LShift-"},
        {u8"ж", 0, "U+0436+ U+0436-"},
        // Alt's own stroke is the tap before its release.
        {"%{LEFT}~", 0, "LAlt+ Left+* Left-* LAlt- Enter+ Enter-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        EXPECT_EQ(Plan(c.keys, c.held), c.events);
    }
}

// For every key string, held keys and keys the window saw lately: no key is
// released while up or pressed while down (but for the one repeat of a key
// that may be down and the one release of a recent one); no Alt or Windows
// key goes up, nor is left down for the user to release, without another
// key pressed and released since it went down; a K goes with exactly the
// modifiers asked for; every key ends as the user holds it.
TEST(PlanKeyEvents, NoLoneAltAndEveryKeyEndsAsTheUserHoldsIt) {
    const unsigned helds[] = {0, kLeftShift, kRightCtrl | kLeftAlt, kRightAlt | kLeftWin, 0xFF};
    const unsigned recents[] = {0, kLeftAlt, kRightAlt | kLeftCtrl, kWins | kRightShift, 0xFF};
    const char* const strings[] = {"^(+K)", "+(aB)c", "%^{DEL}", "Hola~", u8"ñ€😀", "a^b%c", "%{LEFT}"};
    for (const unsigned held : helds) {
        for (const unsigned recent : recents) {
            for (const char* keys : strings) {
                SCOPED_TRACE(std::string(keys) + " held " + std::to_string(held) + " recent " +
                             std::to_string(recent));
                std::map<std::uint16_t, bool> down, named, lonely;
                std::map<std::uint16_t, unsigned> bitOf;
                for (unsigned bit = 1; bit <= kRightWin; bit <<= 1) {
                    const std::uint16_t key = VirtualKeyOf(static_cast<SidedModifier>(bit));
                    bitOf[key] = bit;
                    down[key] = (held & bit) != 0;
                    // The window may have seen it go down with nothing after.
                    if (bit & (kAlts | kWins)) lonely[key] = ((held | recent) & bit) != 0;
                }
                const auto initial = down;
                std::map<std::uint16_t, bool> pressedSince;  // down since a menu key last changed
                for (const KeyEvent& e : PlanKeyEvents(ParseKeyString(keys), {held, recent}, CyrillicLayout)) {
                    const std::uint16_t key = e.unicode != 0 ? 0xFFFF : e.vk;
                    bool& isDown = down[key];
                    const bool mayBeDown = bitOf.count(key) != 0 && ((held | recent) & bitOf[key]) != 0;
                    if (named[key] || !mayBeDown) {
                        EXPECT_NE(isDown, !e.up) << Describe({e});
                    }
                    if (lonely.count(key) != 0) {
                        if (e.up) {
                            EXPECT_FALSE(lonely[key]) << "lone " << Describe({e});
                        }
                        lonely[key] = !e.up;
                        pressedSince.clear();
                    } else if (!e.up) {
                        pressedSince[key] = true;
                    } else if (pressedSince[key]) {
                        for (auto& [menuKey, alone] : lonely) alone = false;
                    }
                    if (key == 'K' && !e.up) {
                        EXPECT_TRUE(down[vk::kLeftCtrl] || down[vk::kRightCtrl]);
                        EXPECT_TRUE(down[vk::kLeftShift] || down[vk::kRightShift]);
                        for (const auto& [menuKey, alone] : lonely) EXPECT_FALSE(down[menuKey]);
                    }
                    isDown = !e.up;
                    named[key] = true;
                }
                for (const auto& [key, alone] : lonely) {
                    if (down[key]) {
                        EXPECT_FALSE(alone) << "held key " << key << " left down without a tap";
                    }
                }
                for (const auto& [key, isDown] : initial) EXPECT_EQ(down[key], isDown) << key;
                for (const auto& [key, isDown] : down) {
                    if (initial.count(key) == 0) {
                        EXPECT_FALSE(isDown) << key;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace zantoli
