// One value of the settings file zantoli.ini per line: a blank or a minus
// sign, the number (no decimal point when it is whole), one blank, CR LF.
#pragma once

#include <string>
#include <string_view>

namespace zantoli {

// The line for `value`, with its CR LF. A fraction is written in plain
// decimal with just enough digits to read back as the same float.
std::string SettingLine(float value);

// The number at the start of `line`: leading blanks, an optional minus,
// digits with an optional point and fraction; the rest is ignored. A line
// that does not start with a number gives 0. A number too large for a float
// gives the largest float of its sign, never infinity.
float SettingValue(std::string_view line);

}  // namespace zantoli
