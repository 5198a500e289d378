#include <gtest/gtest.h>

#include <string>

#include "command/fields.h"

namespace zantoli {
namespace {

struct FieldCase {
    std::string tt;
    int X;
    char XC;
    std::string expected;
};

TEST(AliasLineFields, FieldsBetweenSeparators) {
    const FieldCase cases[] = {
        {"L;*LINE", 0, ';', "L"},
        {"L;*LINE", 1, ';', "*LINE"},
        {"L;*LINE;remark", 1, ';', "*LINE"},
        {"L;*LINE;remark", 2, ';', "remark"},
        {"L", 0, ';', "L"},
        {"L", 1, ';', ""},
        {"", 0, ';', ""},
        {";", 0, ';', ""},
        {"A;;B", 1, ';', ""},
        {"A;;B", 2, ';', "B"},
        {"      *LINE", 1, '*', "LINE"},
        {"LINE", 1, '*', ""},
        {"*LINE*rest*", 1, '*', "LINE"},
        {"A;B", 1, '*', ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FieldOf(c.tt, c.X, c.XC), c.expected)
            << "FieldOf(\"" << c.tt << "\", " << c.X << ", '" << c.XC << "')";
    }
}

TEST(AliasLineFields, TenFieldsAtMost) {
    const std::string ten = "0;1;2;3;4;5;6;7;8;9";
    EXPECT_EQ(FieldOf(ten, 9, ';'), "9");
    EXPECT_EQ(FieldOf(ten, 10, ';'), "");
    // After the 10th separator the text is ignored, and field 9 stays whole.
    const std::string beyond = "0;1;2;3;4;5;6;7;8;9;10;11;overflow";
    EXPECT_EQ(FieldOf(beyond, 9, ';'), "9");
    EXPECT_EQ(FieldOf(beyond, 10, ';'), "");
    EXPECT_EQ(FieldOf(beyond, 12, ';'), "");
    EXPECT_EQ(FieldOf(std::string(10, ';'), 9, ';'), "");
    EXPECT_EQ(FieldOf(beyond, -1, ';'), "");
}

}  // namespace
}  // namespace zantoli
