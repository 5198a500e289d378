// aliascheck: reads an alias file with the rules the command window uses
// and reports the lines that can never match or never change a command.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "system/system.h"

namespace zantoli::aliascheck {

// Turns text in the ANSI code page (the alias file's) into UTF-8.
using AnsiToUtf8 = std::function<std::string(const std::string& ansi)>;

struct Finding {
    int line;          // counted from 1
    std::string text;  // UTF-8, Spanish, without the line number
};

// The findings for the lines of one alias file, in line order.
// `desktop` supplies the upper-casing the command window uses.
std::vector<Finding> Check(const std::vector<std::string>& lines, const Desktop& desktop,
                           const AnsiToUtf8& toUtf8);

enum ExitStatus : int {
    kClean = 0,
    kFindings = 1,
    kUnreadable = 2,
};

// The whole program: `args` are the command-line arguments without the
// program name (UTF-8). Without an argument the alias.dat beside the
// program is checked. Writes the report to `out`, failures to `err`.
int Run(const std::vector<std::string>& args, const System& sys, const AnsiToUtf8& toUtf8,
        std::ostream& out, std::ostream& err);

}  // namespace zantoli::aliascheck
