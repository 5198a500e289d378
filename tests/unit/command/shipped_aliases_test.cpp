#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "command_fixture.h"
#include "system/text_lines.h"

namespace zantoli::testing {
namespace {

// The alias file that ships beside the program, found from this source file.
std::string ShippedAliasFile() {
    const std::string source = __FILE__;
    const auto tests = source.rfind("tests");
    if (tests == std::string::npos) return {};
    std::ifstream in(source.substr(0, tests) + "dist/alias.dat", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ShippedAliases : public CommandFixture {};

TEST_F(ShippedAliases, EveryAliasSendsItsCommand) {
    const std::string contents = ShippedAliasFile();
    ASSERT_FALSE(contents.empty()) << "dist/alias.dat not found from " << __FILE__;
    // CR LF after every line and nowhere else.
    for (std::size_t i = 0; i < contents.size(); ++i) {
        if (contents[i] == '\r') {
            ASSERT_EQ(contents.substr(i, 2), "\r\n") << "at byte " << i;
        }
        if (contents[i] == '\n') {
            ASSERT_TRUE(i > 0 && contents[i - 1] == '\r') << "at byte " << i;
        }
    }
    ASSERT_EQ(contents.substr(contents.size() - 2), "\r\n");

    SetAliases(contents);
    std::set<std::string> aliases;
    SplitLines(contents, [&](std::string_view view) {
        const std::string line(view);
        if (line.empty() || line[0] == ';') return;
        const std::string alias = Form1::comas(line, 0, ';');
        const std::string command = Form1::comas(Form1::comas(line, 1, ';'), 1, '*');
        EXPECT_TRUE(aliases.insert(alias).second) << "alias defined twice: " << alias;
        EXPECT_FALSE(command.empty()) << line;
        EXPECT_EQ(command.find(' '), std::string::npos) << line;

        std::string typed = alias;  // as typed, in lower case
        for (char& c : typed) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        TypeAndEnter(typed);
        EXPECT_TRUE(sys.messages.empty()) << line;
        EXPECT_EQ(Exchange(), "(command \"" + command + "\" )\r\n") << line;
    });
    EXPECT_GE(aliases.size(), 30u);
}

}  // namespace
}  // namespace zantoli::testing
