#include <gtest/gtest.h>

#include <random>
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

// The alias lookup builds no string per line. It must agree with a plain
// reading that builds the ten fields character by character and upper-cases
// every alias and command.
std::string DescribedField(const std::string& tt, int X, char XC) {
    std::vector<std::string> fields(10);
    std::size_t current = 0;
    for (char c : tt) {
        if (c == XC)
            ++current;
        else if (current < fields.size())
            fields[current] += c;
    }
    return fields.at(static_cast<std::size_t>(X));
}

std::string DescribedLookup(const std::string& file, const std::string& typedUpper) {
    std::string result;
    SplitLines(file, [&](std::string_view view) {
        const std::string line(view);
        if (!line.empty() && line[0] == ';') return;
        const std::string alias = UpperCaseWindows1252(DescribedField(line, 0, ';'));
        const std::string command =
            UpperCaseWindows1252(DescribedField(DescribedField(line, 1, ';'), 1, '*'));
        if (alias == typedUpper) result = command;
    });
    return result;
}

TEST(AliasLookup, AgreesWithTheLineByLineReadingOnRandomFiles) {
    FakeSystem sys;
    std::mt19937 random(20240611);
    const std::string alphabet = "aAlL;;**  .$>\xE1\xC1\"";
    auto text = [&](int maxLength) {
        std::string s(random() % static_cast<unsigned>(maxLength + 1), ' ');
        for (char& c : s) c = alphabet[random() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::string> lines;
        std::string file;
        for (int n = 1 + static_cast<int>(random() % 6); n > 0; --n) {
            lines.push_back(text(24));
            file += lines.back() + "\r\n";
        }
        // Half the time type the alias of one of the lines, so matches are common.
        std::string typed = random() % 2 ? DescribedField(lines[random() % lines.size()], 0, ';')
                                         : text(3);
        typed = sys.UCase(typed);
        AliasLookup lookup(sys, typed);
        SplitLines(file, [&](std::string_view line) { lookup.Line(line); });
        ASSERT_EQ(lookup.Command(), DescribedLookup(file, typed))
            << "alias file:\n" << file << "typed: \"" << typed << "\"";
    }
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
