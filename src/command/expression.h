// The LISP expression that the CAD application evaluates for a command.
#pragma once

#include <string>
#include <string_view>

namespace zantoli {

// "C:NAME" calls the LISP command function C:NAME, "$>" passes the rest of
// the line through, "(" is taken as an expression, and anything else runs
// as a CAD command. The command goes in as it is: nothing is trimmed or
// escaped. No line end is added.
std::string LispExpression(std::string_view command);

}  // namespace zantoli
