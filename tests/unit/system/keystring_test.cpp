#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "system/keystring.h"

namespace zantoli {
namespace {

using Strokes = std::vector<KeyStroke>;

KeyStroke C(char32_t ch, unsigned mods = kModNone) { return KeyStroke::Character(ch, mods); }
KeyStroke N(NamedKey key, unsigned mods = kModNone) { return KeyStroke::Named(key, mods); }

std::string Describe(const Strokes& strokes) {
    std::string text;
    for (const KeyStroke& s : strokes) {
        if (s.modifiers & kModCtrl) text += "Ctrl+";
        if (s.modifiers & kModShift) text += "Shift+";
        if (s.modifiers & kModAlt) text += "Alt+";
        text += s.isCharacter ? "U+" + std::to_string(static_cast<unsigned>(s.character))
                              : "key" + std::to_string(static_cast<int>(s.key));
        text += ' ';
    }
    return text;
}

TEST(KeyString, TheCadHotkeyIsOneKWithCtrlAndShiftHeld) {
    EXPECT_EQ(ParseKeyString("^(+K)"), (Strokes{C('K', kModCtrl | kModShift)}));
}

struct ParseCase {
    const char* keys;
    Strokes expected;
};

TEST(KeyString, ModifiersHoldTheNextKeyOrTheWholeGroup) {
    const ParseCase cases[] = {
        {"", {}},
        {"ab", {C('a'), C('b')}},
        {"+ab", {C('a', kModShift), C('b')}},
        {"+(ab)c", {C('a', kModShift), C('b', kModShift), C('c')}},
        {"^+%x", {C('x', kModCtrl | kModShift | kModAlt)}},
        {"^(a+(b)c)", {C('a', kModCtrl), C('b', kModCtrl | kModShift), C('c', kModCtrl)}},
        {"(ab)", {C('a'), C('b')}},
        {"%{F4}", {N(NamedKey::F4, kModAlt)}},
        {"^~", {N(NamedKey::Enter, kModCtrl)}},
        {"+{TAB 3}", {N(NamedKey::Tab, kModShift), N(NamedKey::Tab, kModShift),
                      N(NamedKey::Tab, kModShift)}},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.keys);
        const Strokes got = ParseKeyString(c.keys);
        EXPECT_EQ(got, c.expected) << "got " << Describe(got);
    }
}

TEST(KeyString, BracesNameKeysOrQuoteTheSpecialCharacters) {
    const ParseCase cases[] = {
        {"~", {N(NamedKey::Enter)}},
        {"{ENTER}{enter}", {N(NamedKey::Enter), N(NamedKey::Enter)}},
        {"{TAB}{ESC}{BS}{BKSP}{BACKSPACE}",
         {N(NamedKey::Tab), N(NamedKey::Escape), N(NamedKey::Backspace),
          N(NamedKey::Backspace), N(NamedKey::Backspace)}},
        {"{F1}{F12}{F16}", {N(NamedKey::F1), N(NamedKey::F12), N(NamedKey::F16)}},
        {"{DEL}{INS}{PGDN}{PGUP}{HOME}{END}",
         {N(NamedKey::Delete), N(NamedKey::Insert), N(NamedKey::PageDown),
          N(NamedKey::PageUp), N(NamedKey::Home), N(NamedKey::End)}},
        {"{+}{^}{%}{~}{(}{)}{{}{}}",
         {C('+'), C('^'), C('%'), C('~'), C('('), C(')'), C('{'), C('}')}},
        {"{x 3}", {C('x'), C('x'), C('x')}},
        {"{} 2}", {C('}'), C('}')}},
        {"{LEFT 0}", {}},
        {"{  2}", {C(' '), C(' ')}},
        {"[a]", {C('['), C('a'), C(']')}},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.keys);
        const Strokes got = ParseKeyString(c.keys);
        EXPECT_EQ(got, c.expected) << "got " << Describe(got);
    }
}

TEST(KeyString, CharactersAreUnicodeCodePointsFromUtf8) {
    EXPECT_EQ(ParseKeyString(u8"ñ+é{€ 2}"),
              (Strokes{C(0xF1), C(0xE9, kModShift), C(0x20AC), C(0x20AC)}));
    EXPECT_EQ(ParseKeyString("\xF0\x9F\x98\x80"), (Strokes{C(0x1F600)}));
}

struct ErrorCase {
    const char* keys;
    std::size_t position;  // zero-based byte offset of the fault
};

TEST(KeyString, MalformedStringsAreRefusedWithThePlaceOfTheFault) {
    const ErrorCase cases[] = {
        {"^", 0},            {"ab+", 2},           {"^(", 1},
        {"(a", 0},           {"a)", 1},            {"^()", 1},
        {"(+)", 1},          {"}", 0},             {"{", 0},
        {"{ENTER", 0},       {"{}", 0},            {"{NOPE}", 1},
        {"{F17}", 1},        {"{TAB x}", 5},       {"{TAB }", 5},
        {"{TAB 1001}", 5},   {"{TAB 99999999999999999999}", 5},
        {"\xC3", 0},         {"a\x80", 1},         {"\xC0\x80", 0},
        {"\xED\xA0\x80", 0}, {"\xF4\x90\x80\x80", 0},
        {"((a", 1},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.keys);
        try {
            const Strokes got = ParseKeyString(c.keys);
            ADD_FAILURE() << "accepted as " << Describe(got);
        } catch (const KeyStringError& e) {
            EXPECT_EQ(e.position(), c.position) << e.what();
        }
    }
}

TEST(KeyString, TheErrorMessageQuotesTheStringAndCountsFromOne) {
    try {
        ParseKeyString("{NOPE}");
        FAIL() << "accepted";
    } catch (const KeyStringError& e) {
        EXPECT_STREQ(e.what(),
                     u8"Cadena de teclas no válida \"{NOPE}\" en la posición 2: "
                     u8"tecla desconocida {NOPE}");
    }
}

TEST(KeyString, DeepNestingAndLongStringsDoNotExhaustTheStack) {
    const std::string deep = std::string(100000, '(') + "a" + std::string(100000, ')');
    EXPECT_EQ(ParseKeyString(deep), (Strokes{C('a')}));
    const std::string modifiers = std::string(100000, '^') + "a";
    EXPECT_EQ(ParseKeyString(modifiers), (Strokes{C('a', kModCtrl)}));
}

}  // namespace
}  // namespace zantoli
