#include "win32/services/send_keys.h"

namespace zantoli::win32 {

namespace {

// The layout's key for a character, with the Shift, Ctrl and Alt it needs.
std::optional<LayoutKey> LayoutKeyOfCharacter(char16_t ch) {
    const SHORT scan = VkKeyScanW(static_cast<wchar_t>(ch));
    if (scan == -1) return std::nullopt;
    const unsigned shiftState = (static_cast<unsigned>(scan) >> 8) & 0xFFu;
    // Bits beyond Shift, Ctrl and Alt (Hankaku, layout specials) cannot be
    // pressed reliably.
    if ((shiftState & ~7u) != 0) return std::nullopt;
    unsigned modifiers = kModNone;
    if (shiftState & 1) modifiers |= kModShift;
    if (shiftState & 2) modifiers |= kModCtrl;
    if (shiftState & 4) modifiers |= kModAlt;
    return LayoutKey{static_cast<std::uint16_t>(scan & 0xFF), modifiers};
}

INPUT ToInput(const KeyEvent& event) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    const DWORD up = event.up ? KEYEVENTF_KEYUP : 0;
    if (event.unicode != 0) {
        input.ki.wScan = static_cast<WORD>(event.unicode);
        input.ki.dwFlags = KEYEVENTF_UNICODE | up;
        return input;
    }
    input.ki.wVk = event.vk;
    // Some programs read the scan code rather than the virtual key.
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(event.vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up | (event.extended ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

// One thread sends the keys, and it is the thread whose messages are noted.
thread_local unsigned recentModifiers = 0;

// The side of a modifier in a key message; 0 for any other key.
unsigned SidedModifierOf(const MSG& msg) {
    const bool extended = (msg.lParam & (1 << 24)) != 0;
    switch (msg.wParam) {
    case VK_SHIFT: {
        const UINT scan = (static_cast<UINT>(msg.lParam) >> 16) & 0xFFu;
        return MapVirtualKeyW(scan, MAPVK_VSC_TO_VK_EX) == VK_RSHIFT ? kRightShift : kLeftShift;
    }
    case VK_CONTROL: return extended ? kRightCtrl : kLeftCtrl;
    case VK_MENU: return extended ? kRightAlt : kLeftAlt;
    case VK_LSHIFT: return kLeftShift;
    case VK_RSHIFT: return kRightShift;
    case VK_LCONTROL: return kLeftCtrl;
    case VK_RCONTROL: return kRightCtrl;
    case VK_LMENU: return kLeftAlt;
    case VK_RMENU: return kRightAlt;
    case VK_LWIN: return kLeftWin;
    case VK_RWIN: return kRightWin;
    default: return 0;
    }
}

}  // namespace

void NoteKeyMessage(const MSG& msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_SYSKEYDOWN ||
        msg.message == WM_SYSKEYUP)
        recentModifiers |= SidedModifierOf(msg);
}

unsigned RecentModifiers() { return recentModifiers; }

unsigned HeldModifiers() {
    unsigned held = 0;
    for (unsigned bit = kLeftShift; bit <= kRightWin; bit <<= 1) {
        const auto key = static_cast<SidedModifier>(bit);
        if (GetAsyncKeyState(VirtualKeyOf(key)) < 0) held |= bit;
    }
    return held;
}

std::vector<INPUT> KeyStrokeInputs(const std::vector<KeyStroke>& strokes, ModifierState modifiers) {
    std::vector<INPUT> inputs;
    for (const KeyEvent& event : PlanKeyEvents(strokes, modifiers, LayoutKeyOfCharacter))
        inputs.push_back(ToInput(event));
    return inputs;
}

bool SendKeyString(const std::string& keys) {
    std::vector<INPUT> inputs = KeyStrokeInputs(ParseKeyString(keys), {HeldModifiers(), recentModifiers});
    if (inputs.empty()) return true;
    if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size()) return false;
    recentModifiers = 0;
    return true;
}

}  // namespace zantoli::win32
