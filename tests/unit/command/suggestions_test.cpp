#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command/suggestions.h"
#include "fakes/fake_system.h"

namespace zantoli::testing {
namespace {

using Texts = std::vector<std::string>;

Texts Shown(const std::vector<Suggestion>& list) {
    Texts shown;
    for (const Suggestion& s : list) shown.push_back(s.shown);
    return shown;
}

TEST(Suggestions, AliasesByNameThenTheHistoryMostRecentFirst) {
    FakeSystem sys;
    sys.files["C:\\Zantoli\\alias.dat"] =
        "; comentario\r\n"
        "L;*LINE\r\n"
        "LA;*LAYER\r\n"
        "LI;*LIST\r\n"
        "LI;*LIMITS\r\n"  // the last line of an alias decides
        "LX;\r\n"         // no command: changes nothing, not listed
        "\xE1ngulo;*ANGLE\r\n"
        "C;*CIRCLE\r\n";
    Suggestions suggestions(sys);
    const Texts history{"line", "lim", "circle", "l", "Lupa"};
    const struct {
        const char* typed;
        Texts shown;
    } cases[] = {
        {"l", {"L  LINE", "LA  LAYER", "LI  LIMITS", "Lupa", "lim", "line"}},
        {"LI", {"LI  LIMITS", "lim", "line"}},
        {"\xC1N", {"\xC1NGULO  ANGLE"}},  // accented letters match as in the lookup
        {"c", {"C  CIRCLE", "circle"}},
        {"z", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(Shown(suggestions.For(c.typed, history)), c.shown);
    }
    EXPECT_EQ(suggestions.For("la", history).at(0).text, "LA") << "an alias goes into the input line by its name";
}

TEST(Suggestions, AtMostEightAndTheFileReadAgainOnlyWhenItChanged) {
    FakeSystem sys;
    const std::string path = "C:\\Zantoli\\alias.dat";
    std::string file;
    for (char c = 'A'; c <= 'J'; ++c) file += std::string("P") + c + ";*PAN\r\n";
    sys.files[path] = file;
    Suggestions suggestions(sys);
    EXPECT_EQ(suggestions.For("p", {}).size(), 8u);
    suggestions.For("pa", {});
    EXPECT_EQ(sys.reads.size(), 1u) << "unchanged: not read again";
    sys.files[path] = "PZ;*PLINE\r\n";
    EXPECT_EQ(Shown(suggestions.For("p", {})), Texts{"PZ  PLINE"});
    sys.readFailures[path] = "Acceso denegado.";
    sys.files[path] = "PY;*PLINE\r\n";
    EXPECT_EQ(Shown(suggestions.For("p", {"pp"})), Texts{"pp"}) << "unreadable: no aliases, no message";
    sys.files.erase(path);
    EXPECT_EQ(Shown(suggestions.For("p", {"pp"})), Texts{"pp"}) << "missing";
    EXPECT_TRUE(sys.messages.empty());
}

}  // namespace
}  // namespace zantoli::testing
