#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_system.h"
#include "window/show_key.h"

namespace zantoli::testing {
namespace {

constexpr unsigned kCtrlAlt = kHotkeyCtrl | kHotkeyAlt;

TEST(ShowKey, KeyNamesTheOperatorMayWrite) {
    const struct {
        const char* text;
        std::optional<Hotkey> key;  // nothing: refused
    } cases[] = {
        {"Ctrl+Alt+Espacio", kDefaultHotkey},
        {" ctrl + ALT + l ", Hotkey{kCtrlAlt, 'L'}},
        {"May\xFAs+Ctrl+F12", Hotkey{kHotkeyCtrl | kHotkeyShift, 0x7B}},  // the file's code page
        {"Mayús+Win+7", Hotkey{kHotkeyShift | kHotkeyWin, '7'}},           // saved as UTF-8
        {"Alt+F24", Hotkey{kHotkeyAlt, 0x87}},
        {"", std::nullopt},
        {"Ctrl+Alt", std::nullopt},
        {"Ctrl+Alt+", std::nullopt},
        {"L", std::nullopt},              // a typed key would be lost
        {"Shift+L", std::nullopt},
        {"Ctrl+Alt+L+M", std::nullopt},
        {"Ctrl+Ctrl+L", std::nullopt},
        {"Ctrl+Alt+\xD1", std::nullopt},  // Ñ is no key the registration can name
        {"Ctrl+Alt+F25", std::nullopt},
        {"Ctrl+Mayus+K", std::nullopt},   // the key Zantoli sends to the CAD program
        {"Hiper+L", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string why;
        const std::optional<Hotkey> got = ParseHotkey(c.text, why);
        EXPECT_EQ(got.has_value(), c.key.has_value()) << why;
        if (got && c.key) {
            EXPECT_EQ(*got, *c.key);
            EXPECT_EQ(ParseHotkey(HotkeyName(*got), why), got) << "written back as " << HotkeyName(*got);
        }
        if (!got) {
            EXPECT_FALSE(why.empty());
        }
    }
    EXPECT_EQ(HotkeyName(kDefaultHotkey), "Ctrl+Alt+Espacio");
}

class ShowKeyStart : public ::testing::Test {
protected:
    const std::string kPath = "C:\\Zantoli\\opciones.ini";
    // Registers through a stand-in for the system, which holds `taken`.
    std::vector<Hotkey> Start(std::optional<Hotkey> taken = std::nullopt) {
        std::vector<Hotkey> registered;
        StartShowKey(sys, [&](const Hotkey& key) {
            if (taken && key == *taken) return false;
            registered.push_back(key);
            return true;
        });
        return registered;
    }
    FakeSystem sys;
};

// Whatever the file holds, the command window starts: what cannot be used
// keeps its default, and one message names the file and each such line.
TEST_F(ShowKeyStart, EachFileGivesItsKeyAndNamesWhatCannotBeUsed) {
    const std::vector<Hotkey> byDefault{kDefaultHotkey};
    const struct {
        const char* name;
        std::optional<std::string> contents;  // nothing: no file
        std::vector<Hotkey> registered;
        std::vector<std::string> named;  // nothing: no message
        bool suggestions = true;
    } cases[] = {
        {"no file", std::nullopt, byDefault, {}},
        {"a comment, a blank line, a key", "; mis opciones\r\n\r\ntecla = Alt+F9\r\n", {{kHotkeyAlt, 0x78}}, {}},
        {"off, saved as UTF-8", "\xEF\xBB\xBFtecla=no\r\nsugerencias=no\r\n", {}, {}, false},
        {"garbage", std::string("\x01\xFF\0zz", 5), byDefault, {"línea 1:", "nombre=valor"}},
        {"unknown name and bad values", "colores=rojo\r\ntecla=Ctrl+Q+W\r\nsugerencias=quiz\xE1s\r\n", byDefault,
         {"línea 1: «colores» no es una opción", "línea 2: tecla=Ctrl+Q+W:", "línea 3: sugerencias=quiz?s"}},
        {"too large", std::string(kMaxOptionsBytes + 1, 'x'), byDefault, {"demasiado grande"}},
        {"history off, then noise", "historial=no\r\n" + std::string(4000, 'x') + "\r\n" + std::string(3000, '\n') +
         std::string(50000, '#') + std::string("\r\nz\r\nq\r\nhistorial=tal\r\n"), byDefault,
         {"línea 2: «xxxx", "línea 3003: «###", "línea 3004: «z»", "y 2 líneas más."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sys.messages.clear();
        sys.files.erase(kPath);
        if (c.contents) sys.files[kPath] = *c.contents;
        EXPECT_EQ(Start(), c.registered);
        EXPECT_EQ(ReadOptions(sys, kPath).suggestions, c.suggestions);
        ASSERT_EQ(sys.messages.size(), c.named.empty() ? 0u : 1u);
        if (!c.named.empty()) {
            EXPECT_LT(sys.messages[0].prompt.size(), 600u) << "it fits on the screen";
        }
        for (const std::string& line : c.named)
            EXPECT_NE(sys.messages[0].prompt.find(line), std::string::npos) << sys.messages[0].prompt;
        if (!c.named.empty()) {
            EXPECT_NE(sys.messages[0].prompt.find(kPath), std::string::npos);
        }
    }
    sys.messages.clear();
    sys.readFailures[kPath] = "Acceso denegado.";
    EXPECT_EQ(Start(), byDefault);
    ASSERT_EQ(sys.messages.size(), 1u);
    EXPECT_NE(sys.messages[0].prompt.find("Acceso denegado."), std::string::npos);
}

TEST_F(ShowKeyStart, ATakenKeyIsSaidOnceWithWhereToChangeIt) {
    EXPECT_TRUE(Start(kDefaultHotkey).empty());
    ASSERT_EQ(sys.messages.size(), 1u);
    EXPECT_EQ(sys.messages[0].prompt,
              "La tecla Ctrl+Alt+Espacio, que trae la línea de comando al frente, ya la usa otro programa (quizá "
              "otra línea de comando abierta). Zantoli funciona igual sin ella.\nPuede elegir otra en " +
                  kPath + " con una línea como tecla=Ctrl+Alt+L, o desactivarla con tecla=no.");
    EXPECT_EQ(sys.messages[0].style, 48);
}

}  // namespace
}  // namespace zantoli::testing
