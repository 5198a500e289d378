#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command/alias_lookup.h"
#include "command_fixture.h"
#include "system/ansi_upper.h"
#include "system/text_lines.h"

namespace zantoli::testing {
namespace {

struct AliasCase {
    const char* what;
    std::string aliases;
    std::string typed;
    std::string expected;
};

class AliasResolution : public CommandFixture {};

TEST_F(AliasResolution, TypedTextAgainstTheAliasFile) {
    const AliasCase cases[] = {
        {"no aliases: upper-cased", "", "l", "L"},
        {"no aliases: full stop removed", "", ".line", "LINE"},
        {"alias in lower case", "L;*LINE", "l", "LINE"},
        {"alias in upper case", "L;*LINE", "L", "LINE"},
        {"file in lower case", "l;*line", "L", "LINE"},
        {"spaces before the star", "L;      *LINE", "l", "LINE"},
        {"space in the alias field", "L ;*LINE", "L", "L"},
        {"space after the typed alias", "L;*LINE", "L ", "L "},
        {"spaces after the command kept", "L;*LINE  ", "l", "LINE  "},
        {"no star: no command", "L;LINE", "l", "L"},
        {"no separator: no command", "L", "l", "L"},
        {"last line decides", "L;*LINE\r\nL;*CIRCLE", "l", "CIRCLE"},
        {"last line without command", "L;*LINE\r\nL;LINE\r\nX;*ARC", "l", "L"},
        {"no chaining", "A;*B\r\nB;*LINE", "a", "B"},
        {"validated after lookup", "MENU;*LINE", "menu", "LINE"},
        {"aliased command refused", "X;*MENULOAD", "x", "0"},
        {"remark after the command", "L;*LINE;comentario", "l", "LINE"},
        {"text after a second star", "L;*LINE*resto", "l", "LINE"},
        {"comment line", ";L;*LINE\r\nL;*ARC", "l", "ARC"},
        {"comment cannot define the empty alias", ";*LINE", "", ""},
        {"blank line matches empty text only", "\r\nL;*LINE", "", ""},
        {"space then semicolon is an entry", " ;*LINE", " ", "LINE"},
        {"other line ends", "X;*ARC\rL;*LINE\nZ;*ZOOM", "l", "LINE"},
        {"last line without line end", "X;*ARC\r\nL;*LINE", "l", "LINE"},
        {"$> typed: upper-cased, unchecked", "", "$>(setq m \"menu\")", "$>(SETQ M \"MENU\")"},
        {"$> aliased: unchecked", "Q;*$>(load \"x\")", "q", "$>(LOAD \"X\")"},
        {"single $ is validated", "", "$", "$"},
        {"quotes upper-cased", "", "(command \"line\")", "(COMMAND \"LINE\")"},
        {"ten semicolons", "L;*LINE;;;;;;;;", "l", "LINE"},
        {"beyond ten semicolons", "L;*LINE;;;;;;;;;sobra;;;", "l", "LINE"},
        {"beyond ten stars", "L;*LINE**********sobra**", "l", "LINE"},
        {"Windows-1252 letters", "\xF1;*\xE1rea", "\xF1", "\xC1REA"},
        {"empty input", "L;*LINE", "", ""},
    };
    for (const auto& c : cases) {
        SetAliases(c.aliases);
        EXPECT_EQ(Resolve(c.typed), c.expected) << c.what;
    }
}

TEST_F(AliasResolution, LeavesTheArgumentUpperCased) {
    SetAliases("L;*LINE");
    std::string st = "l";
    EXPECT_EQ(form.VerAlias(st), "LINE");
    EXPECT_EQ(st, "L");
}

TEST_F(AliasResolution, ReadsTheFileForEveryCommandAndNeverWritesIt) {
    SetAliases("L;*LINE");
    EXPECT_EQ(Resolve("l"), "LINE");
    SetAliases("L;*PLINE");
    EXPECT_EQ(Resolve("l"), "PLINE");
    EXPECT_TRUE(sys.writes.empty());
}

// A platform whose upper-casing changes the length of a text (as full case
// mapping would for ß); the lookup must still go by its results.
class ExpandingUpperCase : public FakeSystem {
public:
    std::string UCase(const std::string& text) const override {
        std::string upper;
        for (char c : text) {
            if (c == '\xDF')
                upper += "SS";
            else
                upper += UpperCaseWindows1252(std::string(1, c));
        }
        return upper;
    }
};

TEST(AliasLookup, FollowsAnUpperCasingThatChangesLength) {
    ExpandingUpperCase sys;
    const std::string typed = sys.UCase("strasse");
    AliasLookup lookup(sys, typed);
    lookup.Line("stra\xDF" "e;*line");
    lookup.Line("strasse ;*arc");
    EXPECT_EQ(lookup.Command(), "LINE");
}

}  // namespace
}  // namespace zantoli::testing
