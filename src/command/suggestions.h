// The suggestions under the input line, in four groups, each in a fixed
// order:
//   1. aliases whose name begins with what is typed, by name;
//   2. aliases whose command begins with it, by command, then name;
//   3. aliases whose command holds it further on, by command, then name;
//   4. earlier commands that begin with it, in the order the history gives.
// An alias shows the command Enter on it sends now (the last line of the
// alias decides; without a command the alias itself is sent). Texts are
// compared upper-cased, as the alias lookup compares them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "system/system.h"

namespace zantoli {

enum class SuggestionGroup { AliasName, CommandStart, CommandInside, History };

struct Suggestion {
    SuggestionGroup group;
    std::string text;     // what goes into the input line: the alias, or the entry as typed
    std::string command;  // what Enter on the alias sends; empty for the history
    // Enter on the alias would answer "Comando inválido.": it is shown so
    // that the operator learns why, but it cannot be chosen.
    bool refused = false;
    // Where the typed text is: in `text` for the alias name and the
    // history, in `command` for the two command groups.
    std::size_t matchAt = 0, matchLength = 0;
    // One line for the list and screen readers: "L, LINE" (in the code
    // page; a refused alias adds ", " and kRefusedMark, which is UTF-8).
    std::string Spoken() const;
};

// The list never grows beyond this many lines, and keeps this many of them
// for the history whenever it has that many matches.
inline constexpr std::size_t kMaxSuggestions = 10;
inline constexpr std::size_t kHistoryShare = 3;
inline constexpr const char* kRefusedMark = "no se envía";

class Suggestions {
public:
    // Reads AppDir\alias.dat through `sys`.
    explicit Suggestions(const System& sys);

    // The suggestions for `typed`; none for an empty text. `history` holds
    // the earlier commands as typed, the one to offer first first. The alias
    // file is read again only when its size or time has changed; a missing
    // or unreadable one gives no aliases and no message.
    std::vector<Suggestion> For(const std::string& typed, const std::vector<std::string>& history);

private:
    struct Alias {
        std::string name;     // upper-cased
        std::string command;  // as Enter sends it
        bool refused;
    };
    void Refresh();
    std::vector<Suggestion> AliasesFor(const std::string& key) const;

    const System& sys_;
    std::string path_;
    std::optional<FileStamp> stamp_;
    std::vector<Alias> aliases_;          // by name
    std::vector<std::size_t> byCommand_;  // indices into aliases_, by command, then name
};

}  // namespace zantoli
