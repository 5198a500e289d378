// The suggestions under the input line: the aliases whose name begins with
// what is typed, each with the command it gives, then the earlier commands
// of the history that begin with it, most recent first.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "system/system.h"

namespace zantoli {

struct Suggestion {
    std::string text;   // what goes into the input line
    std::string shown;  // what the list shows: "L  LINE" for an alias
};

inline constexpr std::size_t kMaxSuggestions = 8;

class Suggestions {
public:
    // Reads AppDir\alias.dat through `sys`.
    explicit Suggestions(const System& sys);

    // Up to kMaxSuggestions for `typed`, compared as the alias lookup does
    // (upper-cased); none for an empty text. `history` is the history list
    // in its order, the oldest first. The alias file is read again only
    // when its size or time has changed; a missing or unreadable one gives
    // no aliases and no message.
    std::vector<Suggestion> For(const std::string& typed, const std::vector<std::string>& history);

private:
    struct Alias {
        std::string name, command;  // upper-cased
    };
    void Refresh();

    const System& sys_;
    std::string path_;
    std::optional<FileStamp> stamp_;
    std::vector<Alias> aliases_;  // by name; the last line of a name decides
};

}  // namespace zantoli
