#include "window/history.h"

#include <algorithm>
#include <utility>

#include "system/app_files.h"
#include "system/file_error.h"
#include "window/options.h"

namespace zantoli {

namespace {

constexpr char kTab = '\t';

// What a line holds, and so what Record keeps within: a count of at most
// nine digits, a time of at most twelve, never below 1970.
constexpr std::size_t kCountDigits = 9, kTimeDigits = 12;
constexpr std::uint32_t kMaxCount = 999999999;
constexpr std::int64_t kMaxTime = 999999999999;

// A whole number of at most `digits` digits, nothing else.
bool ReadNumber(std::string_view text, std::size_t digits, std::uint64_t& value) {
    if (text.empty() || text.size() > digits) return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return true;
}

void Bad(HistoryRead& read, std::string problem) {
    if (read.problems.size() < kProblemsShown) read.problems.push_back(std::move(problem));
    ++read.badLines;
}

}  // namespace

bool Rememberable(std::string_view text) {
    if (text.empty() || text.size() > kMaxHistoryText) return false;
    if (text.find_first_not_of(' ') == std::string_view::npos) return false;  // Enter repeats the last one
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

void ReadHistoryLine(std::string_view line, int number, HistoryRead& read) {
    const std::string at = "línea " + std::to_string(number) + ": ";
    const std::size_t first = line.find(kTab);
    const std::size_t second = first == std::string_view::npos ? first : line.find(kTab, first + 1);
    std::uint64_t count = 0, time = 0;
    if (second == std::string_view::npos || !ReadNumber(line.substr(0, first), kCountDigits, count) || count == 0 ||
        !ReadNumber(line.substr(first + 1, second - first - 1), kTimeDigits, time)) {
        Bad(read, at + "no tiene la forma veces, fecha y orden");
        return;
    }
    const std::string_view text = line.substr(second + 1);
    if (!Rememberable(text)) {
        Bad(read, at + "la orden está vacía, es demasiado larga o lleva caracteres de control");
        return;
    }
    if (std::any_of(read.entries.begin(), read.entries.end(), [&](const HistoryEntry& e) { return e.text == text; })) {
        Bad(read, at + "repite una orden de una línea anterior");
        return;
    }
    if (read.entries.size() == kHistoryEntries) {
        Bad(read, at + "sobra: el historial guarda " + std::to_string(kHistoryEntries) + " órdenes");
        return;
    }
    read.entries.push_back({std::string(text), static_cast<std::uint32_t>(count), static_cast<std::int64_t>(time)});
}

std::string HistoryContents(const std::vector<HistoryEntry>& entries) {
    std::string contents;
    for (const HistoryEntry& e : entries)
        contents += std::to_string(e.count) + kTab + std::to_string(e.lastSent) + kTab + e.text + "\r\n";
    return contents;
}

History::History(System& sys, std::function<std::int64_t()> now)
    : sys_(sys), now_(std::move(now)), path_(sys.AppDir() + app_files::kHistory) {}

void History::Start(bool lasting) {
    lasting_ = lasting;
    if (!lasting_ || !sys_.FileExists(path_)) return;
    if (const auto stamp = sys_.StampOf(path_); stamp && stamp->size > kMaxHistoryBytes) {
        SetAside("con " + std::to_string(stamp->size / 1024) + " KB es demasiado grande para ser un historial (como "
                 "mucho " + std::to_string(kMaxHistoryBytes / 1024) + " KB), y no se ha leído.");
        return;
    }
    HistoryRead read;
    try {
        int number = 0;
        sys_.ReadLines(path_, [&](std::string_view line) { ReadHistoryLine(line, ++number, read); });
    } catch (const FileError& failure) {
        SetAside(std::string("no se ha podido leer: ") + failure.what());
        return;
    }
    entries_ = std::move(read.entries);
    Rank();
    if (read.badLines != 0)
        SetAside("tiene líneas que no son del historial; se conservan las " + std::to_string(entries_.size()) +
                 " órdenes que sí lo son:" + FirstProblems(read.problems, read.badLines));
}

// The damaged file is kept for a look, out of the way, so the next start
// does not say it again; if that fails nothing is written this session.
void History::SetAside(const std::string& why) {
    const std::string aside = sys_.AppDir() + app_files::kHistoryAside;
    std::string outcome;
    try {
        sys_.Rename(path_, aside);
        outcome = "\nSe ha apartado como " + aside + ".";
    } catch (const FileError& failure) {
        lasting_ = false;
        outcome = std::string("\nTampoco se ha podido apartar (") + failure.what() +
                  "): el historial de esta sesión no se guardará.";
    }
    sys_.MsgBox("El historial " + path_ + " " + why + outcome, "Zantoli", vbExclamation);
}

void History::Record(const std::string& typed) {
    if (!Rememberable(typed)) return;
    auto found = std::find_if(entries_.begin(), entries_.end(), [&](const HistoryEntry& e) { return e.text == typed; });
    HistoryEntry entry{typed, 0, 0};
    if (found != entries_.end()) {
        entry = *found;
        entries_.erase(found);
    }
    entry.count = entry.count < kMaxCount ? entry.count + 1 : kMaxCount;
    entry.lastSent = std::clamp<std::int64_t>(now_(), 0, kMaxTime);
    // At the front, so it is the most recent of those sent as often.
    entries_.insert(entries_.begin(), std::move(entry));
    if (entries_.size() > kHistoryEntries) {
        entries_.erase(std::min_element(entries_.begin(), entries_.end(), [](const HistoryEntry& a, const HistoryEntry& b) {
            return a.lastSent < b.lastSent;
        }));
    }
    Rank();
    unsaved_ = true;
}

void History::Save() {
    if (!lasting_ || !unsaved_) return;
    unsaved_ = false;
    try {
        sys_.ReplaceContents(path_, HistoryContents(entries_));
    } catch (const FileError& failure) {
        lasting_ = false;
        sys_.MsgBox(std::string("No se ha podido guardar el historial: ") + failure.what() +
                        "\nLa línea de comando funciona igual; el historial de esta sesión no se guardará.",
                    "Zantoli", vbExclamation);
    }
}

void History::Rank() {
    std::stable_sort(entries_.begin(), entries_.end(), [](const HistoryEntry& a, const HistoryEntry& b) {
        return a.count != b.count ? a.count > b.count : a.lastSent > b.lastSent;
    });
}

std::vector<std::string> History::Texts() const {
    std::vector<std::string> texts;
    texts.reserve(entries_.size());
    for (const HistoryEntry& e : entries_) texts.push_back(e.text);
    return texts;
}

}  // namespace zantoli
