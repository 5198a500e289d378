#include "win32/services/send_keys.h"

#include <iterator>

namespace zantoli::win32 {

namespace {

struct VirtualKey {
    WORD code;
    bool extended;
};

VirtualKey VirtualKeyOf(NamedKey key) {
    switch (key) {
        case NamedKey::Backspace: return {VK_BACK, false};
        case NamedKey::Break: return {VK_CANCEL, true};
        case NamedKey::CapsLock: return {VK_CAPITAL, false};
        case NamedKey::Delete: return {VK_DELETE, true};
        case NamedKey::Down: return {VK_DOWN, true};
        case NamedKey::End: return {VK_END, true};
        case NamedKey::Enter: return {VK_RETURN, false};
        case NamedKey::Escape: return {VK_ESCAPE, false};
        case NamedKey::Help: return {VK_HELP, false};
        case NamedKey::Home: return {VK_HOME, true};
        case NamedKey::Insert: return {VK_INSERT, true};
        case NamedKey::Left: return {VK_LEFT, true};
        case NamedKey::NumLock: return {VK_NUMLOCK, true};
        case NamedKey::PageDown: return {VK_NEXT, true};
        case NamedKey::PageUp: return {VK_PRIOR, true};
        case NamedKey::PrintScreen: return {VK_SNAPSHOT, true};
        case NamedKey::Right: return {VK_RIGHT, true};
        case NamedKey::ScrollLock: return {VK_SCROLL, false};
        case NamedKey::Tab: return {VK_TAB, false};
        case NamedKey::Up: return {VK_UP, true};
        case NamedKey::Add: return {VK_ADD, false};
        case NamedKey::Subtract: return {VK_SUBTRACT, false};
        case NamedKey::Multiply: return {VK_MULTIPLY, false};
        case NamedKey::Divide: return {VK_DIVIDE, true};
        default: break;
    }
    const int function = static_cast<int>(key) - static_cast<int>(NamedKey::F1);
    return {static_cast<WORD>(VK_F1 + function), false};
}

INPUT KeyEvent(WORD vk, bool up, bool extended = false) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    // Some programs read the scan code rather than the virtual key.
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

INPUT UnicodeEvent(wchar_t unit, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = static_cast<WORD>(unit);
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

struct Modifier {
    unsigned bit;
    WORD vk;
};
// Pressed in this order and released in the reverse one.
const Modifier kModifiers[] = {{kModCtrl, VK_CONTROL}, {kModShift, VK_SHIFT}, {kModAlt, VK_MENU}};

class InputBuilder {
public:
    void Stroke(const KeyStroke& stroke) {
        if (!stroke.isCharacter) {
            const VirtualKey key = VirtualKeyOf(stroke.key);
            Hold(stroke.modifiers);
            Press(key.code, key.extended);
            return;
        }
        const char32_t ch = stroke.character;
        if (ch <= 0xFFFF) {
            const SHORT scan = VkKeyScanW(static_cast<wchar_t>(ch));
            const unsigned shiftState = scan == -1 ? 0xFFu : (static_cast<unsigned>(scan) >> 8) & 0xFFu;
            // Bits beyond Shift, Ctrl and Alt (Hankaku, layout specials)
            // cannot be pressed reliably.
            if (scan != -1 && (shiftState & ~7u) == 0) {
                unsigned needed = stroke.modifiers;
                if (shiftState & 1) needed |= kModShift;
                if (shiftState & 2) needed |= kModCtrl;
                if (shiftState & 4) needed |= kModAlt;
                Hold(needed);
                Press(static_cast<WORD>(scan & 0xFF), false);
                return;
            }
        }
        Hold(stroke.modifiers);
        if (ch <= 0xFFFF) {
            PressUnicode(static_cast<wchar_t>(ch));
        } else {
            const char32_t v = ch - 0x10000;
            PressUnicode(static_cast<wchar_t>(0xD800 + (v >> 10)));
            PressUnicode(static_cast<wchar_t>(0xDC00 + (v & 0x3FF)));
        }
    }

    std::vector<INPUT> Finish() {
        Hold(kModNone);
        return std::move(inputs_);
    }

private:
    void Hold(unsigned wanted) {
        for (auto m = std::rbegin(kModifiers); m != std::rend(kModifiers); ++m)
            if ((held_ & m->bit) && !(wanted & m->bit)) inputs_.push_back(KeyEvent(m->vk, true));
        for (const Modifier& m : kModifiers)
            if (!(held_ & m.bit) && (wanted & m.bit)) inputs_.push_back(KeyEvent(m.vk, false));
        held_ = wanted;
    }

    void Press(WORD vk, bool extended) {
        inputs_.push_back(KeyEvent(vk, false, extended));
        inputs_.push_back(KeyEvent(vk, true, extended));
    }

    void PressUnicode(wchar_t unit) {
        inputs_.push_back(UnicodeEvent(unit, false));
        inputs_.push_back(UnicodeEvent(unit, true));
    }

    unsigned held_ = kModNone;
    std::vector<INPUT> inputs_;
};

}  // namespace

std::vector<INPUT> KeyStrokeInputs(const std::vector<KeyStroke>& strokes) {
    InputBuilder builder;
    for (const KeyStroke& stroke : strokes) builder.Stroke(stroke);
    return builder.Finish();
}

void SendKeyString(const std::string& keys) {
    std::vector<INPUT> inputs = KeyStrokeInputs(ParseKeyString(keys));
    if (inputs.empty()) return;
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace zantoli::win32
