#include "window/settings_format.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace zantoli {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::string SettingLine(float value) {
    // A form never reports these; keep the file readable should one appear.
    if (std::isnan(value)) value = 0;
    if (std::isinf(value)) value = std::copysign(std::numeric_limits<float>::max(), value);

    std::string line(1, value < 0 ? '-' : ' ');
    // Fixed notation: the reader knows no exponent. The longest float in
    // fixed notation (the smallest subnormal) has 47 characters.
    char digits[64];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, std::fabs(value), std::chars_format::fixed);
    line.append(digits, result.ptr);
    line += " \r\n";
    return line;
}

float SettingValue(std::string_view line) {
    std::size_t pos = 0;
    while (pos < line.size() && line[pos] == ' ') ++pos;
    const std::size_t start = pos;
    const bool negative = pos < line.size() && line[pos] == '-';
    if (negative) ++pos;

    const std::size_t integerStart = pos;
    while (pos < line.size() && IsDigit(line[pos])) ++pos;
    const std::size_t integerEnd = pos;
    std::size_t fractionDigits = 0;
    if (pos < line.size() && line[pos] == '.') {
        ++pos;
        while (pos < line.size() && IsDigit(line[pos])) {
            ++pos;
            ++fractionDigits;
        }
    }
    if (integerEnd == integerStart && fractionDigits == 0) return 0;

    float value = 0;
    const char* first = line.data() + start;
    const char* last = line.data() + pos;
    const auto result = std::from_chars(first, last, value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Out of range with a non-zero integer part is too large; otherwise
        // it is too small to tell from zero.
        bool large = false;
        for (std::size_t i = integerStart; i < integerEnd; ++i) large = large || line[i] != '0';
        const float magnitude = large ? std::numeric_limits<float>::max() : 0.0f;
        return negative ? -magnitude : magnitude;
    }
    if (result.ec != std::errc()) return 0;
    return value;
}

}  // namespace zantoli
