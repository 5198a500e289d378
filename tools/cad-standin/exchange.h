// The CAD side of the exchange: the expression the command window left in
// DIR\var\vuroview.var, and the log of every expression received.
#pragma once

#include <string>

namespace standin {

struct Received {
    std::string line;     // the file's first line, bytes as written, without its CR LF
    std::wstring error;   // empty when the file was read
};

Received ReadExchangeLine(const std::wstring& appDir);

// Appends `line` and CR LF; returns a message for the user on failure.
std::wstring AppendLogLine(const std::wstring& logPath, const std::string& line);

}  // namespace standin
