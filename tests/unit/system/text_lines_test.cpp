#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "system/ansi_upper.h"
#include "system/text_lines.h"

namespace zantoli {
namespace {

std::vector<std::string> Lines(std::string_view contents) {
    std::vector<std::string> lines;
    SplitLines(contents, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

TEST(TextLines, EveryKindOfLineEndEndsALine) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Lines(""), V{});
    EXPECT_EQ(Lines("A"), V{"A"});
    EXPECT_EQ(Lines("A\r\n"), V{"A"});
    EXPECT_EQ(Lines("A\r\nB"), (V{"A", "B"}));
    EXPECT_EQ(Lines("A\rB\nC\r\n\r\nD"), (V{"A", "B", "C", "", "D"}));
    EXPECT_EQ(Lines("\r\n\r\n"), (V{"", ""}));
    EXPECT_EQ(Lines("\n\r"), (V{"", ""}));  // LF then a lone CR: two empty lines
}

TEST(TextLines, NulBytesStayInsideTheLine) {
    const std::string withNul("A\0B\r\nC", 6);
    EXPECT_EQ(Lines(withNul), (std::vector<std::string>{std::string("A\0B", 3), "C"}));
}

TEST(AnsiUpper, UpperCasesWindows1252Letters) {
    EXPECT_EQ(UpperCaseWindows1252("line .l 0;*"), "LINE .L 0;*");
    // á é ñ ü š œ ž ÿ -> Á É Ñ Ü Š Œ Ž Ÿ
    EXPECT_EQ(UpperCaseWindows1252("\xE1\xE9\xF1\xFC\x9A\x9C\x9E\xFF"),
              "\xC1\xC9\xD1\xDC\x8A\x8C\x8E\x9F");
    // ß, µ and ÷ have no upper-case form in the code page.
    EXPECT_EQ(UpperCaseWindows1252("\xDF\xB5\xF7"), "\xDF\xB5\xF7");
}

}  // namespace
}  // namespace zantoli
