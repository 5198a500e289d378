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

TEST_F(ShowKeyStart, AGoodOrMissingFileSaysNothing) {
    EXPECT_EQ(Start(), std::vector<Hotkey>{kDefaultHotkey}) << "no file: the default";
    sys.files[kPath] = "; mis opciones\r\n\r\ntecla = Alt+F9\r\n";
    EXPECT_EQ(Start(), (std::vector<Hotkey>{{kHotkeyAlt, 0x78}}));
    sys.files[kPath] = "\xEF\xBB\xBFtecla=no\r\nsugerencias=no\r\n";
    EXPECT_TRUE(Start().empty()) << "switched off, in a file saved as UTF-8";
    EXPECT_FALSE(ReadOptions(sys, kPath).suggestions);
    EXPECT_TRUE(sys.messages.empty());
}

// Whatever the file holds, the command window starts, with the default for
// what cannot be used, and one message names the file and each line.
TEST_F(ShowKeyStart, WhatCannotBeUsedIsNamedOnceAndKeepsTheDefault) {
    const struct {
        const char* name;
        std::string contents;
        std::vector<std::string> lines;  // each must be in the message
    } cases[] = {
        {"garbage", std::string("\x01\xFF\0zz", 5), {"línea 1:", "nombre=valor"}},
        {"unknown name and bad values",
         "colores=rojo\r\ntecla=Ctrl+Q+W\r\nsugerencias=quiz\xE1s\r\n",
         {"línea 1: «colores» no es una opción", "línea 2: tecla=Ctrl+Q+W:", "línea 3: sugerencias=quiz?s"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sys.messages.clear();
        sys.files[kPath] = c.contents;
        EXPECT_EQ(Start(), std::vector<Hotkey>{kDefaultHotkey});
        ASSERT_EQ(sys.messages.size(), 1u);
        EXPECT_NE(sys.messages[0].prompt.find(kPath), std::string::npos) << sys.messages[0].prompt;
        for (const std::string& line : c.lines)
            EXPECT_NE(sys.messages[0].prompt.find(line), std::string::npos) << sys.messages[0].prompt;
    }
    sys.messages.clear();
    sys.readFailures[kPath] = "Acceso denegado.";
    EXPECT_EQ(Start(), std::vector<Hotkey>{kDefaultHotkey});
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
