// The commands sent, remembered across starts for the suggestions, in
// AppDir\historial.dat: one line per distinct command as typed,
//   <times sent> TAB <last sent, in seconds since 1970 UTC> TAB <the text>
// in the code page, CR LF, the one to offer first first. It is replaced
// whole after every command, so a crash never leaves half a file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "system/system.h"

namespace zantoli {

inline constexpr std::size_t kHistoryEntries = 500;
// Longer texts (a pasted expression) are sent but not remembered.
inline constexpr std::size_t kMaxHistoryText = 1024;
// 500 of the longest lines, with room to spare; a larger file is not read.
inline constexpr std::uint64_t kMaxHistoryBytes = std::uint64_t{1024} * 1024;

struct HistoryEntry {
    std::string text;  // as typed
    std::uint32_t count;
    std::int64_t lastSent;
    bool operator==(const HistoryEntry& other) const {
        return text == other.text && count == other.count && lastSent == other.lastSent;
    }
};

// What a history file holds: the entries of its good lines, and how many
// lines are not one, the first few said in Spanish ("línea 3: ...").
struct HistoryRead {
    std::vector<HistoryEntry> entries;
    std::vector<std::string> problems;
    std::size_t badLines = 0;
};

// Line `number` (from 1) of a history file, into `read`.
void ReadHistoryLine(std::string_view line, int number, HistoryRead& read);
// The file for `entries`, in their order.
std::string HistoryContents(const std::vector<HistoryEntry>& entries);
// Whether `text` can be kept: not blank, no control characters, not too long.
bool Rememberable(std::string_view text);

class History {
public:
    // `now` gives the time in seconds since 1970 UTC.
    History(System& sys, std::function<std::int64_t()> now);

    // At start. `lasting` false (historial=no): the file is neither read
    // nor written, and only this session's commands are offered. A file
    // that cannot be used is set aside with one message; the start goes on.
    void Start(bool lasting);

    // A command sent, as typed; held in memory until Save.
    void Record(const std::string& typed);
    // Writes what was recorded since the last save. The command window
    // saves shortly after a command, once the CAD window has taken it, and
    // at the end. If that fails, one message and the history is kept for
    // this session only.
    void Save();

    // Most used first, then most recently sent.
    const std::vector<HistoryEntry>& Entries() const { return entries_; }
    std::vector<std::string> Texts() const;

private:
    void SetAside(const std::string& why);
    void Rank();

    System& sys_;
    std::function<std::int64_t()> now_;
    std::string path_;
    bool lasting_ = false;
    bool unsaved_ = false;
    std::vector<HistoryEntry> entries_;
};

}  // namespace zantoli
