// Splits file contents into lines the way the program reads text files.
#pragma once

#include <string_view>

#include "system/system.h"

namespace zantoli {

// A line ends at CR LF, a lone CR or a lone LF; the line end is not part of
// the line, and the last line may lack it. An empty input has no lines.
void SplitLines(std::string_view contents, const LineSink& sink);

}  // namespace zantoli
