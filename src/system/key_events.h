// Parsed keystrokes turned into the exact list of key-down and key-up events
// to synthesise, taking into account the modifier keys the user is holding
// at that moment. Virtual-key codes are the platform's values.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "system/keystring.h"

namespace zantoli {

// Modifier keys by side, as the user may hold them.
enum SidedModifier : unsigned {
    kLeftShift = 1u << 0,
    kRightShift = 1u << 1,
    kLeftCtrl = 1u << 2,
    kRightCtrl = 1u << 3,
    kLeftAlt = 1u << 4,
    kRightAlt = 1u << 5,
    kLeftWin = 1u << 6,
    kRightWin = 1u << 7,
};

// Virtual-key codes the planner produces itself.
namespace vk {
inline constexpr std::uint16_t kLeftShift = 0xA0, kRightShift = 0xA1;
inline constexpr std::uint16_t kLeftCtrl = 0xA2, kRightCtrl = 0xA3;
inline constexpr std::uint16_t kLeftAlt = 0xA4, kRightAlt = 0xA5;
inline constexpr std::uint16_t kLeftWin = 0x5B, kRightWin = 0x5C;
// An unassigned key that nothing reads: tapped between an Alt or Windows
// key's press and its release, so that the release opens neither the
// window's menu nor Start.
inline constexpr std::uint16_t kMask = 0xE8;
}  // namespace vk

// The virtual-key code of a sided modifier (one bit of SidedModifier).
std::uint16_t VirtualKeyOf(SidedModifier key);

// One synthesised event: a virtual key, or (vk 0) a UTF-16 unit typed as a
// Unicode character.
struct KeyEvent {
    std::uint16_t vk = 0;
    bool up = false;
    bool extended = false;
    char16_t unicode = 0;
    bool operator==(const KeyEvent& other) const {
        return vk == other.vk && up == other.up && extended == other.extended &&
               unicode == other.unicode;
    }
};

// The key of the keyboard layout that types a character, and the Shift,
// Ctrl and Alt (KeyModifier bits) it needs.
struct LayoutKey {
    std::uint16_t vk;
    unsigned modifiers;
};
// Nothing when the layout has no key for the character.
using LayoutKeyOf = std::function<std::optional<LayoutKey>(char16_t)>;

// What the keys go out against (SidedModifier bits): the modifiers the user
// holds now, and those seen down lately (held or since released). The
// window that receives the keys may have seen a recent one go down but not
// up, when the focus moved in between, and then still takes it as down.
struct ModifierState {
    unsigned held = 0;
    unsigned recent = 0;
};

// The events for `strokes`. Letters A-Z and digits go as their own virtual
// keys whatever the layout, since accelerators see virtual keys; other
// characters go by `layoutKeyOf`, else as Unicode characters. Each stroke
// sees exactly its own modifiers, whatever the receiving window last saw;
// no Alt or Windows key goes up without another key pressed and released
// since it went down; afterwards every key is as the user holds it. With
// nothing held and nothing recent, only the strokes' own keys go.
std::vector<KeyEvent> PlanKeyEvents(const std::vector<KeyStroke>& strokes, ModifierState modifiers,
                                    const LayoutKeyOf& layoutKeyOf);

}  // namespace zantoli
