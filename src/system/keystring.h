// The key-string notation for synthesised keystrokes:
//   ^ Ctrl, + Shift, % Alt       hold the modifier over the next key or group
//   ( ... )                      a group that the preceding modifiers hold
//   ~                            Enter
//   {ENTER} {TAB} {F1} ...       a named key
//   {+} {^} {%} {~} {(} {)} {{} {}}   the character itself
//   {LEFT 3} {x 3}               a key repeated
// Any other character stands for itself. The string is UTF-8.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zantoli {

enum KeyModifier : unsigned {
    kModNone = 0,
    kModShift = 1,
    kModCtrl = 2,
    kModAlt = 4,
};

enum class NamedKey {
    Backspace, Break, CapsLock, Delete, Down, End, Enter, Escape, Help, Home, Insert,
    Left, NumLock, PageDown, PageUp, PrintScreen, Right, ScrollLock, Tab, Up,
    F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12, F13, F14, F15, F16,
    Add, Subtract, Multiply, Divide,
};

// One press and release of a key with modifiers held.
struct KeyStroke {
    unsigned modifiers = kModNone;  // KeyModifier bits
    bool isCharacter = false;
    NamedKey key = NamedKey::Enter;  // when !isCharacter
    char32_t character = 0;          // when isCharacter: a Unicode code point

    static KeyStroke Named(NamedKey key, unsigned modifiers = kModNone);
    static KeyStroke Character(char32_t ch, unsigned modifiers = kModNone);
    bool operator==(const KeyStroke& other) const;
    bool operator!=(const KeyStroke& other) const { return !(*this == other); }
};

class KeyStringError : public std::invalid_argument {
public:
    KeyStringError(const std::string& keys, std::size_t position, const std::string& reason);
    std::size_t position() const { return position_; }

private:
    std::size_t position_;
};

// Highest repeat count accepted in {KEY n}.
inline constexpr unsigned kMaxKeyRepeat = 1000;

// Throws KeyStringError for a malformed string: an unknown name, an unclosed
// brace or parenthesis, a modifier with nothing to hold, invalid UTF-8.
std::vector<KeyStroke> ParseKeyString(std::string_view keys);

}  // namespace zantoli
