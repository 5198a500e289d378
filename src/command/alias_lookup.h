// The search for one alias, fed the alias file line by line.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "system/system.h"

namespace zantoli {

class AliasLookup {
public:
    // `typed` is the command as typed, already upper-cased by `desktop`; it
    // must outlive the lookup.
    AliasLookup(const Desktop& desktop, const std::string& typed);

    // One line of the alias file, without its line end.
    void Line(std::string_view line);

    // The command of the last line whose alias matched, upper-cased; empty
    // when no line matched or the last one that did has no command.
    std::string Command() const;

private:
    // Whether `alias`, upper-cased, is the typed text.
    bool AliasMatches(std::string_view alias) const;
    // False when the start of `line` already rules a match out (byte-wise
    // upper-casing only): a quick pass before the line is split.
    bool MayMatch(std::string_view line) const;

    const Desktop& desktop_;
    const std::string& typed_;
    // The platform's upper-casing, learnt once per lookup so that the
    // alias of every line can be compared without building a string. In a
    // single-byte code page it maps each byte to one byte; should it ever
    // not (byteWise_ false), every alias goes through the platform itself.
    std::array<unsigned char, 256> upper_{};
    bool byteWise_ = false;
    // Kept as read and upper-cased only at the end: only the last match
    // counts, and most lines do not match at all.
    std::string command_;
};

}  // namespace zantoli
