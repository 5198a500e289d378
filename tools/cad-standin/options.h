// The stand-in's command line: cad-standin.exe [--title T] [--appdir DIR] [--log FILE]
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "standin_messages.h"

namespace standin {

struct Options {
    std::wstring title = DefaultTitle();
    std::wstring appDir;   // where var\vuroview.var lives; defaults to the program's folder
    std::wstring logPath;  // empty: received expressions are only shown
};

// Returns the options, or nothing with `error` set to a message for the user.
std::optional<Options> ParseOptions(const std::vector<std::wstring>& args, const std::wstring& programDir,
                                    std::wstring& error);

}  // namespace standin
