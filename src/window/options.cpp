#include "window/options.h"

#include <cctype>
#include <string>

#include "system/file_error.h"

namespace zantoli {

namespace {

constexpr std::uint16_t kSpace = 0x20, kF1 = 0x70;

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// ASCII letters only: the names are ASCII, and bytes of the code page stay
// as they are (ú in "Mayús" is compared as written).
std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

// A text of the file shown in a message: the messages are UTF-8, the file
// is in the code page, so letters beyond ASCII show as "?".
std::string Shown(std::string_view text) {
    std::string shown(text.substr(0, 40));
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) >= 0x80 || static_cast<unsigned char>(c) < 0x20) c = '?';
    }
    return shown;
}

std::optional<unsigned> ModifierNamed(const std::string& name) {
    if (name == "ctrl" || name == "control") return kHotkeyCtrl;
    if (name == "alt") return kHotkeyAlt;
    // "Mayús" in the code page (ú, Ú) or in UTF-8, as an editor may save it.
    if (name == "shift" || name == "mayus" || name == "may\xFAs" || name == "may\xDAs" || name == "mayús" ||
        name == "mayÚs")
        return kHotkeyShift;
    if (name == "win") return kHotkeyWin;
    return std::nullopt;
}

std::optional<std::uint16_t> KeyNamed(const std::string& name) {
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') return static_cast<std::uint16_t>(name[0] - 'a' + 'A');
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return static_cast<std::uint16_t>(name[0]);
    if (name == "espacio" || name == "space") return kSpace;
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'f' && std::isdigit(static_cast<unsigned char>(name[1])) &&
        (name.size() == 2 || std::isdigit(static_cast<unsigned char>(name[2])))) {
        const int number = std::stoi(name.substr(1));
        if (number >= 1 && number <= 24) return static_cast<std::uint16_t>(kF1 + number - 1);
    }
    return std::nullopt;
}

}  // namespace

std::string HotkeyName(const Hotkey& hotkey) {
    std::string name;
    if (hotkey.modifiers & kHotkeyCtrl) name += "Ctrl+";
    if (hotkey.modifiers & kHotkeyAlt) name += "Alt+";
    if (hotkey.modifiers & kHotkeyShift) name += "Mayús+";
    if (hotkey.modifiers & kHotkeyWin) name += "Win+";
    if (hotkey.key == kSpace)
        name += "Espacio";
    else if (hotkey.key >= kF1 && hotkey.key < kF1 + 24)
        name += "F" + std::to_string(hotkey.key - kF1 + 1);
    else
        name += static_cast<char>(hotkey.key);
    return name;
}

std::optional<Hotkey> ParseHotkey(std::string_view text, std::string& why) {
    Hotkey hotkey{0, 0};
    std::size_t start = 0;
    for (;;) {
        const std::size_t plus = text.find('+', start);
        const std::string name = Lower(Trimmed(text.substr(start, plus == std::string_view::npos ? plus : plus - start)));
        const bool last = plus == std::string_view::npos;
        if (name.empty()) {
            why = last ? "falta la tecla tras el último «+»" : "sobra un «+»";
            return std::nullopt;
        }
        if (const auto modifier = ModifierNamed(name); modifier && !last) {
            if (hotkey.modifiers & *modifier) {
                why = "«" + Shown(name) + "» está dos veces";
                return std::nullopt;
            }
            hotkey.modifiers |= *modifier;
        } else if (const auto key = KeyNamed(name); key && last) {
            hotkey.key = *key;
        } else {
            why = ModifierNamed(name) ? "falta la tecla tras «" + Shown(name) + "»"
                  : KeyNamed(name)    ? "la tecla «" + Shown(name) + "» tiene que ir la última"
                                      : "«" + Shown(name) + "» no es una tecla que Zantoli conozca (letras A-Z, "
                                                           "cifras, F1-F24, Espacio; Ctrl, Alt, Mayús, Win)";
            return std::nullopt;
        }
        if (last) break;
        start = plus + 1;
    }
    if (!(hotkey.modifiers & (kHotkeyCtrl | kHotkeyAlt | kHotkeyWin))) {
        why = "necesita Ctrl, Alt o Win, o quitaría una tecla que se escribe";
        return std::nullopt;
    }
    if (hotkey == Hotkey{kHotkeyCtrl | kHotkeyShift, 'K'}) {
        why = "Ctrl+Mayús+K es la tecla que Zantoli envía a Trazalia R14";
        return std::nullopt;
    }
    return hotkey;
}

Options ReadOptions(const Files& files, const std::string& path) {
    Options options;
    if (!files.FileExists(path)) return options;
    if (const auto stamp = files.StampOf(path); stamp && stamp->size > kMaxOptionsBytes) {
        options.problems.push_back("con " + std::to_string(stamp->size / 1024) +
                                   " KB es demasiado grande para ser un archivo de opciones (como mucho " +
                                   std::to_string(kMaxOptionsBytes / 1024) + " KB); no se ha leído");
        return options;
    }
    int number = 0;
    try {
        files.ReadLines(path, [&](std::string_view line) {
            ++number;
            std::string_view text = Trimmed(line);
            // The mark an editor may put at the start of a file saved as UTF-8.
            if (number == 1 && text.substr(0, 3) == "\xEF\xBB\xBF") text = Trimmed(text.substr(3));
            if (text.empty() || text.front() == ';') return;
            const std::string at = "línea " + std::to_string(number) + ": ";
            const std::size_t equals = text.find('=');
            if (equals == std::string_view::npos) {
                options.problems.push_back(at + "«" + Shown(text) + "» no tiene la forma nombre=valor");
                return;
            }
            const std::string name = Lower(Trimmed(text.substr(0, equals)));
            const std::string_view value = Trimmed(text.substr(equals + 1));
            if (name == "sugerencias" || name == "historial") {
                const std::string answer = Lower(value);
                if (answer == "no" || answer == "si" || answer == "s\xED" || answer == "sí")
                    (name == "historial" ? options.history : options.suggestions) = answer != "no";
                else
                    options.problems.push_back(at + name + "=" + Shown(value) + ": el valor es sí o no");
                return;
            }
            if (name != "tecla") {
                options.problems.push_back(at + "«" + Shown(name) +
                                           "» no es una opción (las que hay son tecla, sugerencias e historial)");
                return;
            }
            if (Lower(value) == "no") {
                options.hotkey.reset();
                return;
            }
            std::string why;
            if (const auto hotkey = ParseHotkey(value, why)) {
                options.hotkey = *hotkey;
            } else {
                options.hotkey = kDefaultHotkey;
                options.problems.push_back(at + "tecla=" + Shown(value) + ": " + why);
            }
        });
    } catch (const FileError& failure) {
        Options defaults;
        defaults.problems.push_back(failure.what());
        return defaults;
    }
    return options;
}

}  // namespace zantoli

namespace zantoli {

std::string FirstProblems(const std::vector<std::string>& problems, std::size_t total) {
    std::string lines;
    for (std::size_t i = 0; i < problems.size() && i < kProblemsShown; ++i) lines += "\n" + problems[i];
    if (total > kProblemsShown) {
        const std::size_t more = total - kProblemsShown;
        lines += "\ny " + std::to_string(more) + (more == 1 ? " línea más." : " líneas más.");
    }
    return lines;
}

}  // namespace zantoli
