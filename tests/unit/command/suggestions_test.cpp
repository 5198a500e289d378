#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command/suggestions.h"
#include "fakes/fake_form1.h"

namespace zantoli::testing {
namespace {

using Texts = std::vector<std::string>;

Texts Spoken(const std::vector<Suggestion>& list) {
    Texts spoken;
    for (const Suggestion& s : list) spoken.push_back(s.Spoken() + (s.refused ? ", no se envía" : ""));
    return spoken;
}

// What the list shows for an alias is what Enter on that alias sends.
TEST(Suggestions, EachAliasShowsWhatEnterOnItSends) {
    const struct {
        const char* file;
        const char* typed;
        Texts spoken;
    } cases[] = {
        {"L;*LINE\r\nL;*PLINE\r\n", "l", {"L, PLINE"}},                       // the last line decides
        {"L;*LINE\r\nL;\r\n", "l", {"L, L"}},                                 // ... also without a command
        {"LX;LINE\r\nLY\r\n", "l", {"LX, LX", "LY, LY"}},                     // no command: sent as typed
        {"V;*$>vista .a\r\n", "v", {"V, $>VISTA .A"}},                        // "$>" unchecked
        {"P;*.PLINE\r\n", "p", {"P, PLINE"}},                                 // one full stop goes
        {"M;*MENU\r\nMENUS;\r\nMX;*LINE\r\n", "m", {"M, MENU, no se envía", "MENUS, MENUS, no se envía", "MX, LINE"}},
        {"\xe1ngulo;*angle\r\n", "\xc1N", {"\xc1NGULO, ANGLE"}},              // accents upper-cased, not folded
        {"\xe1ngulo;*angle\r\n", "angu", {}},                               // ... nor folded
        {"; L;*LINE\r\n ;*X\r\n", "l", {}},                                   // a comment; an alias " "
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        FakeSystem sys;
        sys.files["C:\\Zantoli\\alias.dat"] = c.file;
        Suggestions suggestions(sys);
        const std::vector<Suggestion> list = suggestions.For(c.typed, {});
        EXPECT_EQ(Spoken(list), c.spoken);
        // Enter on each offered alias.
        for (const Suggestion& s : list) {
            FakeForm1 w;
            w.sys.files = sys.files;
            std::string st = s.text;
            EXPECT_EQ(w.form.VerAlias(st), s.refused ? "0" : s.command) << s.text;
        }
    }
}

TEST(Suggestions, GroupsInTheirOrderAndRoomForTheHistory) {
    FakeSystem sys;
    const std::string path = "C:\\Zantoli\\alias.dat";
    sys.files[path] =
        "C;*CIRCLE\r\n"
        "ZC;*CIRCLE\r\n"
        "CI;*ZOOM\r\n"
        "AR;*ARC\r\n"
        "X;*(command \"_circle\")\r\n"
        "CH;*CHAMFER\r\n";
    Suggestions suggestions(sys);
    const Texts history{"circle", "Chaflan", "cc", "ci"};
    EXPECT_EQ(Spoken(suggestions.For("c", history)),
              (Texts{"C, CIRCLE", "CH, CHAMFER", "CI, ZOOM",   // by name
                     "ZC, CIRCLE",                             // by the command's start
                     "X, (COMMAND \"_CIRCLE\")", "AR, ARC",     // inside the command, by command
                     "circle", "Chaflan", "cc"}))              // history in its order; "ci" is the alias CI
        << "C is also CIRCLE's alias but listed once, by name";
    EXPECT_EQ(Spoken(suggestions.For("circ", {})), (Texts{"C, CIRCLE", "ZC, CIRCLE", "X, (COMMAND \"_CIRCLE\")"}));
    EXPECT_EQ(suggestions.For("circ", {}).at(0).text, "C") << "an alias goes into the input line by its name";

    std::string many;
    for (char c = 'A'; c <= 'L'; ++c) many += std::string("P") + c + ";*PAN\r\n";
    sys.files[path] = many;
    const struct {
        Texts history;
        std::size_t aliases, entries;
    } rooms[] = {{{}, 10, 0}, {{"p1"}, 9, 1}, {{"p1", "p2", "p3", "p4", "p5"}, 7, 3}};
    for (const auto& room : rooms) {
        const std::vector<Suggestion> list = suggestions.For("p", room.history);
        const auto entries = static_cast<std::size_t>(std::count_if(
            list.begin(), list.end(), [](const Suggestion& s) { return s.group == SuggestionGroup::History; }));
        EXPECT_EQ(list.size() - entries, room.aliases);
        EXPECT_EQ(entries, room.entries);
    }
}

TEST(Suggestions, TheFileReadAgainOnlyWhenItChanged) {
    FakeSystem sys;
    const std::string path = "C:\\Zantoli\\alias.dat";
    sys.files[path] = "PA;*PAN\r\n";
    Suggestions suggestions(sys);
    suggestions.For("p", {});
    suggestions.For("pa", {});
    EXPECT_EQ(sys.reads.size(), 1u) << "unchanged: not read again";
    sys.files[path] = "PZ;*PLINE\r\n";
    EXPECT_EQ(Spoken(suggestions.For("p", {})), Texts{"PZ, PLINE"});
    sys.readFailures[path] = "Acceso denegado.";
    sys.files[path] = "PY;*PLINE\r\n";
    EXPECT_EQ(Spoken(suggestions.For("p", {"pp"})), Texts{"pp"}) << "unreadable: no aliases, no message";
    sys.files.erase(path);
    EXPECT_EQ(Spoken(suggestions.For("p", {"pp"})), Texts{"pp"}) << "missing";
    EXPECT_TRUE(sys.messages.empty());
}

}  // namespace
}  // namespace zantoli::testing
