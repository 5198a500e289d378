#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <cstring>
#include <string>

#include "window/settings_format.h"

namespace zantoli {
namespace {

TEST(SettingLineTest, WritesSignNumberBlankAndLineEnd) {
    const struct {
        float value;
        const char* line;
    } cases[] = {
        {900, " 900 \r\n"},
        {-120, "-120 \r\n"},
        {0, " 0 \r\n"},
        {-0.0f, " 0 \r\n"},
        {0.5f, " 0.5 \r\n"},
        {-3375.25f, "-3375.25 \r\n"},
        {0.1f, " 0.1 \r\n"},
        {16777216, " 16777216 \r\n"},
        {1e10f, " 10000000000 \r\n"},
        {FLT_MAX, " 340282346638528859811704183484516925440 \r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(SettingLine(c.value), c.line) << c.value;
}

TEST(SettingLineTest, NeverWritesAnExponent) {
    const std::string tiny = SettingLine(FLT_TRUE_MIN);
    EXPECT_EQ(tiny.find_first_not_of(" 0123456789.\r\n"), std::string::npos) << tiny;
    EXPECT_EQ(SettingValue(tiny), FLT_TRUE_MIN);
}

TEST(SettingValueTest, ReadsTheNumberAtTheStartOfTheLine) {
    const std::string huge(60, '9');
    const struct {
        std::string line;
        float value;
    } cases[] = {
        {" 900 ", 900},
        {"-120 ", -120},
        {"   12.5", 12.5f},
        {"12.5abc", 12.5f},
        {".5", 0.5f},
        {"-.25", -0.25f},
        {"7.", 7},
        {"1e5", 1},     // no exponent: the rest of the line is ignored
        {"1,5", 1},
        {"3 4", 3},
        {"+5", 0},
        {"-", 0},
        {".", 0},
        {"abc", 0},
        {"", 0},
        {"- 5", 0},
        {huge, FLT_MAX},
        {"-" + huge + ".5", -FLT_MAX},
        {"0." + std::string(60, '0') + "1", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(SettingValue(c.line), c.value) << '"' << c.line << '"';
}

// Whatever a window reports, the file gives back the very same float.
TEST(SettingValueTest, EveryWrittenValueReadsBackExactly) {
    for (std::uint32_t bits = 0; bits < 0x7F800000u; bits += 0x1F3Bu) {
        for (const std::uint32_t sign : {0u, 0x80000000u}) {
            const std::uint32_t pattern = bits | sign;
            float value;
            std::memcpy(&value, &pattern, sizeof value);
            const std::string line = SettingLine(value);
            ASSERT_EQ(SettingValue(line), value) << line;
        }
    }
}

}  // namespace
}  // namespace zantoli
