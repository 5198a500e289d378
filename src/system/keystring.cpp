#include "system/keystring.h"

#include <cstdint>

namespace zantoli {

KeyStroke KeyStroke::Named(NamedKey key, unsigned modifiers) {
    KeyStroke stroke;
    stroke.modifiers = modifiers;
    stroke.key = key;
    return stroke;
}

KeyStroke KeyStroke::Character(char32_t ch, unsigned modifiers) {
    KeyStroke stroke;
    stroke.modifiers = modifiers;
    stroke.isCharacter = true;
    stroke.character = ch;
    return stroke;
}

bool KeyStroke::operator==(const KeyStroke& other) const {
    if (modifiers != other.modifiers || isCharacter != other.isCharacter) return false;
    return isCharacter ? character == other.character : key == other.key;
}

KeyStringError::KeyStringError(const std::string& keys, std::size_t position,
                               const std::string& reason)
    : std::invalid_argument("Cadena de teclas no válida \"" + keys + "\" en la posición " +
                            std::to_string(position + 1) + ": " + reason),
      position_(position) {}

namespace {

struct KeyName {
    const char* name;
    NamedKey key;
};

const KeyName kKeyNames[] = {
    {"BACKSPACE", NamedKey::Backspace}, {"BS", NamedKey::Backspace},
    {"BKSP", NamedKey::Backspace},      {"BREAK", NamedKey::Break},
    {"CAPSLOCK", NamedKey::CapsLock},   {"DELETE", NamedKey::Delete},
    {"DEL", NamedKey::Delete},          {"DOWN", NamedKey::Down},
    {"END", NamedKey::End},             {"ENTER", NamedKey::Enter},
    {"ESC", NamedKey::Escape},          {"HELP", NamedKey::Help},
    {"HOME", NamedKey::Home},           {"INSERT", NamedKey::Insert},
    {"INS", NamedKey::Insert},          {"LEFT", NamedKey::Left},
    {"NUMLOCK", NamedKey::NumLock},     {"PGDN", NamedKey::PageDown},
    {"PGUP", NamedKey::PageUp},         {"PRTSC", NamedKey::PrintScreen},
    {"RIGHT", NamedKey::Right},         {"SCROLLLOCK", NamedKey::ScrollLock},
    {"TAB", NamedKey::Tab},             {"UP", NamedKey::Up},
    {"F1", NamedKey::F1},   {"F2", NamedKey::F2},   {"F3", NamedKey::F3},
    {"F4", NamedKey::F4},   {"F5", NamedKey::F5},   {"F6", NamedKey::F6},
    {"F7", NamedKey::F7},   {"F8", NamedKey::F8},   {"F9", NamedKey::F9},
    {"F10", NamedKey::F10}, {"F11", NamedKey::F11}, {"F12", NamedKey::F12},
    {"F13", NamedKey::F13}, {"F14", NamedKey::F14}, {"F15", NamedKey::F15},
    {"F16", NamedKey::F16},
    {"ADD", NamedKey::Add},           {"SUBTRACT", NamedKey::Subtract},
    {"MULTIPLY", NamedKey::Multiply}, {"DIVIDE", NamedKey::Divide},
};

// Names are matched without regard to ASCII case: {enter} is {ENTER}.
bool SameName(std::string_view text, const char* name) {
    std::size_t i = 0;
    for (; i < text.size() && name[i] != '\0'; ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != name[i]) return false;
    }
    return i == text.size() && name[i] == '\0';
}

class Parser {
public:
    explicit Parser(std::string_view keys) : keys_(keys) {}

    std::vector<KeyStroke> Run() {
        held_.push_back(kModNone);
        while (pos_ < keys_.size()) {
            const char c = keys_[pos_];
            switch (c) {
                case '^': Hold(kModCtrl); break;
                case '+': Hold(kModShift); break;
                case '%': Hold(kModAlt); break;
                case '(': OpenGroup(); break;
                case ')': CloseGroup(); break;
                case '}': Fail(pos_, "'}' sin '{'");
                case '{': Braced(); break;
                case '~':
                    Emit(KeyStroke::Named(NamedKey::Enter), 1);
                    ++pos_;
                    break;
                default:
                    Emit(KeyStroke::Character(DecodeCodePoint()), 1);
                    break;
            }
        }
        if (pending_ != kModNone) Fail(pendingPos_, "el modificador no tiene tecla");
        if (!groups_.empty()) Fail(groups_.back().openedAt, "falta ')'");
        return std::move(strokes_);
    }

private:
    struct Group {
        std::size_t openedAt;
        bool hasKeys;
    };

    [[noreturn]] void Fail(std::size_t at, const std::string& reason) const {
        throw KeyStringError(std::string(keys_), at, reason);
    }

    void Hold(unsigned modifier) {
        if (pending_ == kModNone) pendingPos_ = pos_;
        pending_ |= modifier;
        ++pos_;
    }

    void OpenGroup() {
        held_.push_back(held_.back() | pending_);
        pending_ = kModNone;
        groups_.push_back({pos_, false});
        ++pos_;
    }

    void CloseGroup() {
        if (pending_ != kModNone) Fail(pendingPos_, "el modificador no tiene tecla");
        if (groups_.empty()) Fail(pos_, "')' sin '('");
        if (!groups_.back().hasKeys) Fail(groups_.back().openedAt, "grupo vacío");
        groups_.pop_back();
        held_.pop_back();
        if (!groups_.empty()) groups_.back().hasKeys = true;
        ++pos_;
    }

    // {NAME}, {c}, {NAME n}, {c n}. The first character after the brace
    // always belongs to the name, so {}} and {{} are the braces themselves.
    void Braced() {
        const std::size_t open = pos_;
        const std::size_t start = ++pos_;
        if (start >= keys_.size()) Fail(open, "falta '}'");
        const char32_t first = DecodeCodePoint();
        const std::size_t firstLength = pos_ - start;
        const std::size_t close = keys_.find('}', pos_);
        if (close == std::string_view::npos) Fail(open, "falta '}'");
        const std::string_view content = keys_.substr(start, close - start);
        pos_ = close + 1;

        std::string_view name = content;
        unsigned count = 1;
        const std::size_t space = content.find(' ', firstLength);
        if (space != std::string_view::npos) {
            name = content.substr(0, space);
            count = RepeatCount(content.substr(space + 1), start + space + 1);
        }

        if (name.size() == firstLength) {
            Emit(KeyStroke::Character(first), count);
            return;
        }
        for (const KeyName& entry : kKeyNames) {
            if (SameName(name, entry.name)) {
                Emit(KeyStroke::Named(entry.key), count);
                return;
            }
        }
        Fail(start, "tecla desconocida {" + std::string(name) + "}");
    }

    unsigned RepeatCount(std::string_view digits, std::size_t at) const {
        if (digits.empty()) Fail(at, "falta el número de repeticiones");
        unsigned value = 0;
        for (std::size_t i = 0; i < digits.size(); ++i) {
            const char d = digits[i];
            if (d < '0' || d > '9') Fail(at + i, "número de repeticiones no válido");
            value = value * 10 + static_cast<unsigned>(d - '0');
            if (value > kMaxKeyRepeat)
                Fail(at, "más de " + std::to_string(kMaxKeyRepeat) + " repeticiones");
        }
        return value;
    }

    void Emit(KeyStroke stroke, unsigned count) {
        stroke.modifiers = held_.back() | pending_;
        pending_ = kModNone;
        if (!groups_.empty()) groups_.back().hasKeys = true;
        strokes_.insert(strokes_.end(), count, stroke);
    }

    // One UTF-8 sequence; overlong forms, surrogates and truncation are refused.
    char32_t DecodeCodePoint() {
        const std::size_t at = pos_;
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(keys_[i]); };
        const unsigned char lead = byte(at);
        std::size_t length = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            ++pos_;
            return lead;
        }
        if ((lead & 0xE0) == 0xC0) {
            length = 2, cp = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, cp = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, cp = lead & 0x07, minimum = 0x10000;
        } else {
            Fail(at, "UTF-8 no válido");
        }
        if (keys_.size() - at < length) Fail(at, "UTF-8 no válido");
        for (std::size_t i = 1; i < length; ++i) {
            const unsigned char next = byte(at + i);
            if ((next & 0xC0) != 0x80) Fail(at, "UTF-8 no válido");
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            Fail(at, "UTF-8 no válido");
        pos_ += length;
        return cp;
    }

    std::string_view keys_;
    std::size_t pos_ = 0;
    unsigned pending_ = kModNone;
    std::size_t pendingPos_ = 0;
    std::vector<unsigned> held_;  // modifiers held by the enclosing groups
    std::vector<Group> groups_;
    std::vector<KeyStroke> strokes_;
};

}  // namespace

std::vector<KeyStroke> ParseKeyString(std::string_view keys) { return Parser(keys).Run(); }

}  // namespace zantoli
