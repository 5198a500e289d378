#include <gtest/gtest.h>

#include <string>

#include "command/validation.h"
#include "support/blocked_words.h"

namespace zantoli {
namespace {

using testing::kBlockedWords;

TEST(Validation, EachBlockedWordIsRefusedAnywhereInTheCommand) {
    for (const std::string word : kBlockedWords) {
        EXPECT_TRUE(HoldsBlockedWord(word)) << word;
        EXPECT_TRUE(HoldsBlockedWord(word + " 1")) << word << " at the start";
        EXPECT_TRUE(HoldsBlockedWord("X" + word + "Y")) << word << " in the middle";
        EXPECT_TRUE(HoldsBlockedWord("(COMMAND \"" + word)) << word << " at the end";
        // One character short of the word is not the word (except where a
        // shorter blocked word remains, as MENU in MENULOAD).
        const std::string shorter = word.substr(0, word.size() - 1);
        bool containsAnother = false;
        for (const std::string other : kBlockedWords)
            containsAnother = containsAnother || shorter.find(other) != std::string::npos;
        if (!containsAnother) {
            EXPECT_FALSE(HoldsBlockedWord(shorter)) << word << " without its last";
        }
    }
}

// What is sent, or "" for a command refused with "Comando inválido.".
TEST(Validation, CommandsThatPassAndCommandsThatDoNot) {
    struct Case {
        std::string command, sent;
    };
    const Case cases[] = {
        {"LINE", "LINE"},
        {"RELOAD", ""},
        {"LOADER", ""},
        {"XMENU", ""},
        {"PARX", ""},
        {"(SETVAR \"ORTHOMODE\" 1)", ""},
        {"(COMMAND \".LINE\")", ""},
        {"(COMMAND \" .LINE\")", "(COMMAND \" .LINE\")"},
        {"(COMMAND \"LINE\" \"0,0\")", "(COMMAND \"LINE\" \"0,0\")"},
        {"LOA D", "LOA D"},
        {".LINE", "LINE"},
        {"..LINE", ".LINE"},
        {".MENU", ""},
        {" .LINE", " .LINE"},
        {"0", ""},
        {".0", ""},
        {"00", "00"},
        {"menu", "menu"},  // the check itself is case-sensitive
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RefusedBeforeSending(c.command), c.sent.empty()) << c.command;
        if (!c.sent.empty()) {
            EXPECT_EQ(WithoutLeadingStop(c.command), c.sent) << c.command;
        }
    }
    EXPECT_EQ(WithoutLeadingStop("."), "");
    EXPECT_EQ(WithoutLeadingStop(""), "");
}

TEST(Validation, SubstringSearch) {
    EXPECT_TRUE(Contains("XLOAD", "LOAD"));
    EXPECT_FALSE(Contains("LOA", "LOAD"));
    EXPECT_FALSE(Contains("load", "LOAD"));
    EXPECT_FALSE(Contains("", "LOAD"));
    // An empty word is found at every position of a text, and there is
    // none in an empty text.
    EXPECT_TRUE(Contains("A", ""));
    EXPECT_FALSE(Contains("", ""));
}

}  // namespace
}  // namespace zantoli
