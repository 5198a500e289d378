// The settings file zantoli.ini as any bytes.
//
// Checked for every input:
//  - every line reads as a finite number, the same as the C library's
//    strtof reads its number, and that number written and read again is
//    the same;
//  - the first four bytes taken as a float are written in the file's form
//    (blank or minus, plain decimal, blank, CR LF) and read back exactly,
//    NaN as 0 and infinities as the largest float of their sign;
//  - restoring the placement from the file never fails and leaves a finite
//    placement: Top and Left as read, or 10 beyond the screen, the size as
//    read but never below the window's minimum.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/fake_form1.h"
#include "fuzz_check.h"
#include "support/shown_bytes.h"
#include "system/text_lines.h"
#include "system/app_files.h"
#include "form1/form1.h"
#include "window/settings_format.h"

namespace {

namespace fakes = zantoli::testing;
using zantoli::SettingLine;
using zantoli::SettingValue;

void CheckLineForm(const std::string& line) {
    FUZZ_CHECK(line.size() >= 4);
    FUZZ_CHECK(line[0] == ' ' || line[0] == '-');
    FUZZ_CHECK(line.compare(line.size() - 3, 3, " \r\n") == 0);
    const std::string number = line.substr(1, line.size() - 4);
    FUZZ_CHECK(!number.empty() && number.front() != '.' && number.back() != '.');
    FUZZ_CHECK(number.find_first_not_of("0123456789.") == std::string::npos);
    FUZZ_CHECK(number.find('.') == number.rfind('.'));
}

void CheckRoundTrip(float value) {
    float expected = value;
    if (std::isnan(value)) expected = 0;
    if (std::isinf(value)) expected = std::copysign(std::numeric_limits<float>::max(), value);
    const std::string line = SettingLine(value);
    CheckLineForm(line);
    const float read = SettingValue(line);
    if (read != expected) {
        std::fprintf(stderr, "wrote %.9g as \"%s\", read %.9g\n", static_cast<double>(value),
                     zantoli::testing::Shown(line).c_str(), static_cast<double>(read));
    }
    FUZZ_CHECK(read == expected);
}

// The number at the start of `line` read by the C library instead: the
// same rule (blanks, minus, digits, point, fraction), a second opinion on
// rounding, saturation and tiny values.
float ReadWithStrtof(std::string_view line) {
    std::size_t pos = line.find_first_not_of(' ');
    if (pos == std::string_view::npos) return 0;
    std::string number;
    if (line[pos] == '-') number += line[pos++];
    std::size_t digits = 0;
    const auto takeDigits = [&] {
        while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9') {
            number += line[pos++];
            ++digits;
        }
    };
    takeDigits();
    if (pos < line.size() && line[pos] == '.') {
        number += line[pos++];
        takeDigits();
    }
    if (digits == 0) return 0;
    const float value = std::strtof(number.c_str(), nullptr);
    if (std::isinf(value)) return std::copysign(std::numeric_limits<float>::max(), value);
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string contents(reinterpret_cast<const char*>(data), size);

    std::vector<float> values;
    zantoli::SplitLines(contents, [&values](std::string_view line) {
        const float value = SettingValue(line);
        FUZZ_CHECK(std::isfinite(value));
        const float other = ReadWithStrtof(line);
        if (value != other) {
            std::fprintf(stderr, "\"%s\" reads as %.9g, the C library says %.9g\n",
                         zantoli::testing::Shown(std::string(line)).c_str(),
                         static_cast<double>(value), static_cast<double>(other));
        }
        FUZZ_CHECK(value == other);
        CheckRoundTrip(value);
        values.push_back(value);
    });

    if (size >= sizeof(float)) {
        float bits;
        std::memcpy(&bits, data, sizeof bits);
        CheckRoundTrip(bits);
    }

    // The command window at its designed size, with its layout on resize.
    fakes::FakeForm1 w;
    w.sys.files[w.sys.appDir + zantoli::app_files::kSettings] = contents;
    w.form.leeIni();
    const auto& placed = w.window;
    FUZZ_CHECK(std::isfinite(placed.top) && std::isfinite(placed.left));
    FUZZ_CHECK(std::isfinite(placed.height) && std::isfinite(placed.width));
    FUZZ_CHECK(placed.width >= 2000);
    FUZZ_CHECK(placed.height >= 665);  // list top 0 + input box 315 + 350
    if (values.size() >= 4) {
        const float top = values[0] > w.sys.screenHeight ? 10 : values[0];
        const float left = values[1] > w.sys.screenWidth ? 10 : values[1];
        // One screen, no taskbar: a window with less than 600 x 150 twips of
        // its caption (top 300, less 60 at each side and 700 of close
        // button) on the screen opens at the first-start corner instead.
        const double captionLeft = std::max(double{left} + 60, 0.0);
        const double captionRight =
            std::min(double{left} + placed.width - 760, double{w.sys.screenWidth});
        const double captionTop = std::max(double{top}, 0.0);
        const double captionBottom = std::min(double{top} + 300, double{w.sys.screenHeight});
        const bool onScreen = captionRight - captionLeft >= 600 && captionBottom - captionTop >= 150;
        const float cornerTop = std::max(w.sys.screenHeight - placed.height - 700, 0.0f);
        FUZZ_CHECK(placed.top == (onScreen ? top : cornerTop));
        const float cornerLeft = std::max(w.sys.screenWidth - placed.width - 350, 0.0f);
        FUZZ_CHECK(placed.left == (onScreen ? left : cornerLeft));
        if (values[2] >= 665) FUZZ_CHECK(placed.height == values[2]);
        if (values[3] >= 2000) FUZZ_CHECK(placed.width == values[3]);
    } else {
        // Too short to hold a placement: the first-start one.
        FUZZ_CHECK(placed.top == w.sys.screenHeight - 1140 - 700);
        FUZZ_CHECK(placed.left == w.sys.screenWidth - 3375 - 350);
    }
    return 0;
}
