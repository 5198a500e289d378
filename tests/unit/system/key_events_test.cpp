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
        {0x25, "Left"},             {0xBB, "Oem+"}};
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

std::string Plan(const char* keys, unsigned held) {
    return Describe(PlanKeyEvents(ParseKeyString(keys), held, CyrillicLayout));
}

// What a plan sends after its opening release of the Alt keys the user
// does not hold (checked here; the hotkey table shows it in full).
std::string PlanAfterAltRelease(const char* keys, unsigned held) {
    std::string tap;
    if ((held & (kLeftAlt | kRightAlt)) != (kLeftAlt | kRightAlt)) {
        tap = "LCtrl+ ";
        if (!(held & kLeftAlt)) tap += "LAlt- ";
        if (!(held & kRightAlt)) tap += "RAlt-* ";
        tap += "LCtrl- ";
    }
    const std::string plan = Plan(keys, held);
    EXPECT_EQ(plan.substr(0, tap.size()), tap);
    return plan.substr(tap.size());
}

TEST(PlanKeyEvents, TheHotkeyIsExactlyCtrlShiftKWhateverTheUserHolds) {
    struct Case {
        unsigned held;
        const char* events;
    };
    // An Alt the user does not hold is released first, in a Ctrl tap of
    // its own, for a window that saw it go down but not up.
    const Case cases[] = {
        {0, "LCtrl+ LAlt- RAlt-* LCtrl- LCtrl+ LShift+ K+ K- LShift- LCtrl-"},
        // A held Shift or Ctrl serves the chord and stays down; it is pressed
        // once more for a window that came to the front after it went down.
        {kLeftShift, "LCtrl+ LAlt- RAlt-* LCtrl- LCtrl+ LShift+ K+ K- LCtrl-"},
        {kRightShift | kRightCtrl, "LCtrl+ LAlt- RAlt-* LCtrl- RCtrl+* RShift+ K+ K-"},
        // Alt and Win go up and come back only while Ctrl is down.
        {kLeftAlt, "LCtrl+ RAlt-* LCtrl- LCtrl+ LAlt- LShift+ K+ K- LShift- LAlt+ LCtrl-"},
        {kLeftAlt | kRightAlt | kLeftShift, "LCtrl+ LAlt- RAlt-* LShift+ K+ K- LAlt+ RAlt+* LCtrl-"},
        {kLeftWin | kRightWin,
         "LCtrl+ LAlt- RAlt-* LCtrl- LCtrl+ LWin-* RWin-* LShift+ K+ K- LShift- LWin+* RWin+* LCtrl-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.held);
        EXPECT_EQ(Plan("^(+K)", c.held), c.events);
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
        // A held Alt alone is released and restored under a tapped Ctrl.
        {"a", kLeftAlt, "LCtrl+ LAlt- LCtrl- A+ A- LCtrl+ LAlt+ LCtrl-"},
        {"{+}", 0, "LShift+ Oem++ Oem+- LShift-"},
        {u8"ж", 0, "U+0436+ U+0436-"},
        {"%{LEFT}~", 0, "LCtrl+ LAlt+ LCtrl- Left+* Left-* LCtrl+ LAlt- LCtrl- Enter+ Enter-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        EXPECT_EQ(PlanAfterAltRelease(c.keys, c.held), c.events);
    }
}

// Whatever is held and sent, every key ends as the user holds it and no
// key is released while up or pressed while down, but for the one repeat
// of a held key and the one release of an Alt the user does not hold.
TEST(PlanKeyEvents, EveryKeyEndsAsTheUserHoldsIt) {
    const unsigned helds[] = {0, kLeftShift, kRightCtrl | kLeftAlt, kRightAlt | kLeftWin, 0xFF};
    const char* const strings[] = {"^(+K)", "+(aB)c", "%^{DEL}", "Hola~", u8"ñ€😀", "a^b%c"};
    for (const unsigned held : helds) {
        for (const char* keys : strings) {
            SCOPED_TRACE(std::string(keys) + " held " + std::to_string(held));
            std::map<std::pair<std::uint16_t, char16_t>, bool> down;
            for (unsigned bit = 1; bit <= kRightWin; bit <<= 1)
                if (held & bit) down[{VirtualKeyOf(static_cast<SidedModifier>(bit)), 0}] = true;
            const auto initial = down;
            std::map<std::pair<std::uint16_t, char16_t>, bool> named;
            for (const KeyEvent& e : PlanKeyEvents(ParseKeyString(keys), held, CyrillicLayout)) {
                const auto key = std::make_pair(e.vk, e.unicode);
                bool& isDown = down[key];
                const bool repeat = !e.up && isDown && initial.count(key) != 0 && !named[key];
                const bool altRelease = e.up && !isDown && !named[key] &&
                                        (e.vk == vk::kLeftAlt || e.vk == vk::kRightAlt);
                if (!repeat && !altRelease) {
                    EXPECT_NE(isDown, !e.up) << Describe({e});
                }
                isDown = !e.up;
                named[key] = true;
            }
            for (auto it = down.begin(); it != down.end();) it = it->second ? ++it : down.erase(it);
            EXPECT_EQ(down, initial);
        }
    }
}

}  // namespace
}  // namespace zantoli
