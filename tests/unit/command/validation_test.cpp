#include <gtest/gtest.h>

#include <string>

#include "support/blocked_words.h"
#include "window/form1.h"

namespace zantoli {
namespace {

using testing::kBlockedWords;

std::string Check(std::string st) { return Form1::ValeCom(st); }

TEST(Validation, EachBlockedWordIsRefusedAnywhereInTheCommand) {
    for (const std::string word : kBlockedWords) {
        EXPECT_EQ(Check(word), "0") << word;
        EXPECT_EQ(Check(word + " 1"), "0") << word << " at the start";
        EXPECT_EQ(Check("X" + word + "Y"), "0") << word << " in the middle";
        EXPECT_EQ(Check("(COMMAND \"" + word), "0") << word << " at the end";
        // One character short of the word is not the word (except where a
        // shorter blocked word remains, as MENU in MENULOAD).
        const std::string shorter = word.substr(0, word.size() - 1);
        bool containsAnother = false;
        for (const std::string other : kBlockedWords)
            containsAnother = containsAnother || shorter.find(other) != std::string::npos;
        if (!containsAnother) {
            EXPECT_EQ(Check(shorter), shorter) << word << " without its last";
        }
    }
}

TEST(Validation, CommandsThatPassAndCommandsThatDoNot) {
    struct Case {
        std::string command, expected;
    };
    const Case cases[] = {
        {"LINE", "LINE"},
        {"RELOAD", "0"},
        {"LOADER", "0"},
        {"XMENU", "0"},
        {"PARX", "0"},
        {"(SETVAR \"ORTHOMODE\" 1)", "0"},
        {"(COMMAND \".LINE\")", "0"},
        {"(COMMAND \" .LINE\")", "(COMMAND \" .LINE\")"},
        {"(COMMAND \"LINE\" \"0,0\")", "(COMMAND \"LINE\" \"0,0\")"},
        {"LOA D", "LOA D"},
        {".LINE", "LINE"},
        {"..LINE", ".LINE"},
        {".MENU", "0"},
        {".", ""},
        {" .LINE", " .LINE"},
        {"", ""},
        {"0", "0"},
        {"menu", "menu"},  // the check itself is case-sensitive
    };
    for (const auto& c : cases) EXPECT_EQ(Check(c.command), c.expected) << c.command;
}

TEST(Validation, RemovesTheFullStopFromTheCallersText) {
    std::string st = ".LINE";
    EXPECT_EQ(Form1::ValeCom(st), "LINE");
    EXPECT_EQ(st, "LINE");
    st = ".MENU";
    EXPECT_EQ(Form1::ValeCom(st), "0");
    EXPECT_EQ(st, "MENU");
}

TEST(Validation, SubstringSearch) {
    EXPECT_EQ(Form1::EstaSt("XLOAD", "LOAD"), 1);
    EXPECT_EQ(Form1::EstaSt("LOA", "LOAD"), 0);
    EXPECT_EQ(Form1::EstaSt("load", "LOAD"), 0);
    EXPECT_EQ(Form1::EstaSt("", "LOAD"), 0);
    // An empty word is found at every position of a text, and there is
    // none in an empty text.
    EXPECT_EQ(Form1::EstaSt("A", ""), 1);
    EXPECT_EQ(Form1::EstaSt("", ""), 0);
}

}  // namespace
}  // namespace zantoli
