// Fields of a line of the alias file, separated by one character.
#pragma once

#include <string_view>

namespace zantoli {

// A line is taken apart into at most this many fields; text after the
// last separator that still opens one of them is ignored.
inline constexpr int kFieldCount = 10;

// Field X of `tt` (0 is the text before the first separator), without
// copying: a view into `tt`. A field number outside 0..kFieldCount-1, or
// one beyond the last field of the text, gives the empty text.
std::string_view FieldOf(std::string_view tt, int X, char XC);

}  // namespace zantoli
