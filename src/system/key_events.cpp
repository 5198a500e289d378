#include "system/key_events.h"

#include <iterator>

namespace zantoli {

namespace {

struct NamedKeyCode {
    std::uint16_t vk;
    bool extended;
};

NamedKeyCode CodeOf(NamedKey key) {
    switch (key) {
        case NamedKey::Backspace: return {0x08, false};
        case NamedKey::Break: return {0x03, true};
        case NamedKey::CapsLock: return {0x14, false};
        case NamedKey::Delete: return {0x2E, true};
        case NamedKey::Down: return {0x28, true};
        case NamedKey::End: return {0x23, true};
        case NamedKey::Enter: return {0x0D, false};
        case NamedKey::Escape: return {0x1B, false};
        case NamedKey::Help: return {0x2F, false};
        case NamedKey::Home: return {0x24, true};
        case NamedKey::Insert: return {0x2D, true};
        case NamedKey::Left: return {0x25, true};
        case NamedKey::NumLock: return {0x90, true};
        case NamedKey::PageDown: return {0x22, true};
        case NamedKey::PageUp: return {0x21, true};
        case NamedKey::PrintScreen: return {0x2C, true};
        case NamedKey::Right: return {0x27, true};
        case NamedKey::ScrollLock: return {0x91, false};
        case NamedKey::Tab: return {0x09, false};
        case NamedKey::Up: return {0x26, true};
        case NamedKey::Add: return {0x6B, false};
        case NamedKey::Subtract: return {0x6D, false};
        case NamedKey::Multiply: return {0x6A, false};
        case NamedKey::Divide: return {0x6F, true};
        default: break;
    }
    const int function = static_cast<int>(key) - static_cast<int>(NamedKey::F1);
    return {static_cast<std::uint16_t>(0x70 + function), false};  // F1 ...
}

constexpr unsigned kShiftKeys = kLeftShift | kRightShift;
constexpr unsigned kCtrlKeys = kLeftCtrl | kRightCtrl;
constexpr unsigned kAltKeys = kLeftAlt | kRightAlt;
constexpr unsigned kWinKeys = kLeftWin | kRightWin;
constexpr unsigned kAllKeys = kShiftKeys | kCtrlKeys | kAltKeys | kWinKeys;
// The keys whose lone press and release opens a menu.
constexpr unsigned kMenuKeys = kAltKeys | kWinKeys;
constexpr unsigned kExtendedKeys = kRightCtrl | kRightAlt | kLeftWin | kRightWin;
// Within one step, keys go in this order.
constexpr SidedModifier kAllModifiers[] = {kLeftCtrl, kRightCtrl, kLeftShift, kRightShift,
                                           kLeftAlt,  kRightAlt,  kLeftWin,   kRightWin};

class Planner {
public:
    Planner(ModifierState modifiers, const LayoutKeyOf& layoutKeyOf)
        : held_(modifiers.held & kAllKeys),
          // A recent key the user no longer holds is taken as down, so that
          // it is released before a stroke that must not have it.
          down_(held_ | (modifiers.recent & kAllKeys)),
          unannounced_(down_),
          maskDue_((down_ & kMenuKeys) != 0),
          layoutKeyOf_(layoutKeyOf) {}

    void Stroke(const KeyStroke& stroke) {
        if (!stroke.isCharacter) {
            const NamedKeyCode code = CodeOf(stroke.key);
            Change(StateFor(stroke.modifiers));
            Tap(code.vk, code.extended);
            return;
        }
        const char32_t ch = stroke.character;
        // The virtual key of A-Z is the letter itself on every layout, even
        // one without Latin letters; a capital needs Shift.
        if (ch >= 'A' && ch <= 'Z') {
            Change(StateFor(stroke.modifiers | kModShift));
            Tap(static_cast<std::uint16_t>(ch), false);
            return;
        }
        if ((ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9')) {
            Change(StateFor(stroke.modifiers));
            Tap(static_cast<std::uint16_t>(ch >= 'a' ? ch - 'a' + 'A' : ch), false);
            return;
        }
        if (ch <= 0xFFFF && layoutKeyOf_) {
            if (const std::optional<LayoutKey> key = layoutKeyOf_(static_cast<char16_t>(ch))) {
                Change(StateFor(stroke.modifiers | key->modifiers));
                Tap(key->vk, false);
                return;
            }
        }
        Change(StateFor(stroke.modifiers));
        if (ch <= 0xFFFF) {
            TapUnicode(static_cast<char16_t>(ch));
        } else {
            const char32_t v = ch - 0x10000;
            TapUnicode(static_cast<char16_t>(0xD800 + (v >> 10)));
            TapUnicode(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        }
    }

    std::vector<KeyEvent> Finish() {
        unannounced_ = 0;  // what no stroke needed stays as it is
        Change(held_);
        // The user will release a held Alt or Windows key that went down
        // again here: not as a lone tap.
        if (maskDue_ && (down_ & kMenuKeys) != 0) Mask();
        return std::move(events_);
    }

private:
    // The keys down while a key with `modifiers` (KeyModifier bits) goes:
    // a side already down serves, else the left one goes down; every other
    // modifier, the Windows keys included, is up.
    unsigned StateFor(unsigned modifiers) const {
        unsigned state = 0;
        const auto want = [&](unsigned modifier, unsigned sides, unsigned left) {
            if (modifiers & modifier) state |= (down_ & sides) != 0 ? (down_ & sides) : left;
        };
        want(kModCtrl, kCtrlKeys, kLeftCtrl);
        want(kModShift, kShiftKeys, kLeftShift);
        want(kModAlt, kAltKeys, kLeftAlt);
        return state;
    }

    // Alt and Windows keys go up first and down last, so that neither is
    // ever down together with a Shift going down or up (Alt with Shift
    // switches the keyboard layout); and where the right Alt is AltGr, its
    // release also releases the left Ctrl, which must then go down after it.
    //
    // A held key that serves the target is pressed once more (a repeat):
    // the window that receives the keys may have come to the front after
    // the user pressed it, and a program's thread may know only the key
    // presses it has received itself.
    void Change(unsigned target) {
        const unsigned toPress = (target & ~down_) | (target & unannounced_);
        const unsigned toRelease = down_ & ~target;
        if ((toRelease & kMenuKeys) != 0 && maskDue_) Mask();
        Release(toRelease & kMenuKeys);
        Release(toRelease & ~kMenuKeys);
        Press(toPress & ~kMenuKeys);
        Press(toPress & kMenuKeys);
        if ((toPress & kMenuKeys) != 0) maskDue_ = true;
    }

    void Press(unsigned keys) { Turn(keys, false); }
    void Release(unsigned keys) { Turn(keys, true); }

    // Keys go up in the reverse of the order they go down.
    void Turn(unsigned keys, bool up) {
        for (std::size_t i = 0; i < std::size(kAllModifiers); ++i) {
            const SidedModifier key = kAllModifiers[up ? std::size(kAllModifiers) - 1 - i : i];
            if ((keys & key) == 0) continue;
            events_.push_back({VirtualKeyOf(key), up, (key & kExtendedKeys) != 0, 0});
            down_ = up ? down_ & ~key : down_ | key;
            unannounced_ &= ~key;
        }
    }

    // A window's default handling opens its menu when Alt goes up with no
    // other key pressed and released since Alt went down (the shell does
    // the same with Start and the Windows key).
    void Mask() { Tap(vk::kMask, false); }

    void Tap(std::uint16_t vk, bool extended) {
        events_.push_back({vk, false, extended, 0});
        events_.push_back({vk, true, extended, 0});
        maskDue_ = false;
    }

    void TapUnicode(char16_t unit) {
        events_.push_back({0, false, false, unit});
        events_.push_back({0, true, false, unit});
        maskDue_ = false;
    }

    const unsigned held_;
    unsigned down_;
    unsigned unannounced_;  // keys down that no event has named yet
    bool maskDue_;          // an Alt or Windows key may be down with no tap since
    const LayoutKeyOf& layoutKeyOf_;
    std::vector<KeyEvent> events_;
};

}  // namespace

std::uint16_t VirtualKeyOf(SidedModifier key) {
    switch (key) {
        case kLeftShift: return vk::kLeftShift;
        case kRightShift: return vk::kRightShift;
        case kLeftCtrl: return vk::kLeftCtrl;
        case kRightCtrl: return vk::kRightCtrl;
        case kLeftAlt: return vk::kLeftAlt;
        case kRightAlt: return vk::kRightAlt;
        case kLeftWin: return vk::kLeftWin;
        case kRightWin: return vk::kRightWin;
    }
    return 0;
}

std::vector<KeyEvent> PlanKeyEvents(const std::vector<KeyStroke>& strokes, ModifierState modifiers,
                                    const LayoutKeyOf& layoutKeyOf) {
    if (strokes.empty()) return {};
    Planner planner(modifiers, layoutKeyOf);
    for (const KeyStroke& stroke : strokes) planner.Stroke(stroke);
    return planner.Finish();
}

}  // namespace zantoli
