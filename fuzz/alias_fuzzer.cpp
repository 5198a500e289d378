// A typed command together with the alias file it is resolved against.
// Input: the command, a line feed, then the bytes of alias.dat. An input
// without a line feed is a command typed while alias.dat is missing.
//
// Checked for every input:
//  - resolution leaves the typed text upper-cased, and its result is what
//    the rules of the alias file give (worked out here on their own): "0",
//    a "$>" text, or a command free of every blocked word that is a piece
//    of the typed text or of the alias file (nothing is invented);
//  - the only failure that leaves resolution is FileError, and only when
//    the alias file is missing;
//  - the Enter handling writes exactly one of the four expression forms with
//    CR LF and sends Ctrl+Shift+K, or refuses with "Comando inválido." and
//    writes nothing;
//  - the alias file checker accepts any file, reports in line order, and
//    calls an alias always refused exactly when typing it is refused.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "aliascheck/aliascheck.h"
#include "command/expression.h"
#include "command/fields.h"
#include "fakes/fake_form1.h"
#include "fuzz_check.h"
#include "support/blocked_words.h"
#include "support/shown_bytes.h"
#include "system/file_error.h"
#include "system/text_lines.h"
#include "system/app_files.h"
#include "form1/form1.h"

namespace {

using zantoli::Form1;
using zantoli::testing::Shown;
namespace fakes = zantoli::testing;

bool HasBlockedWord(const std::string& command) {
    for (const char* word : zantoli::testing::kBlockedWords) {
        if (command.find(word) != std::string::npos) return true;
    }
    return false;
}

bool StartsWith(const std::string& text, std::string_view prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool OneOfFourForms(const std::string& command, const std::string& expression) {
    if (StartsWith(command, "C:")) return expression == "(" + command + ")";
    if (StartsWith(command, "$>")) return expression == command.substr(2);
    if (StartsWith(command, "(")) return expression == command;
    return expression == "(command \"" + command + "\" )";
}

// Lines as the reader sees them: CR LF, a lone CR or a lone LF ends one.
std::vector<std::string> Lines(const std::string& file) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] != '\r' && file[i] != '\n') {
            line += file[i];
            continue;
        }
        if (file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n') ++i;
        lines.push_back(line);
        line.clear();
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// The text between the first and the second `separator`: to the end when
// there is only one, empty when there is none.
std::string SecondField(const std::string& text, char separator) {
    const std::size_t first = text.find(separator);
    if (first == std::string::npos) return {};
    const std::size_t second = text.find(separator, first + 1);
    return text.substr(first + 1, second == std::string::npos ? std::string::npos
                                                               : second - first - 1);
}

// What resolution must return for the upper-cased `st`, worked out from the
// rules of the alias file and the blocked words alone.
std::string Resolved(const std::string& st, const std::vector<std::string>& lines,
                     const zantoli::Desktop& desktop) {
    std::string command;
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == ';') continue;
        if (desktop.UCase(line.substr(0, line.find(';'))) != st) continue;
        command = desktop.UCase(SecondField(SecondField(line, ';'), '*'));
    }
    std::string result = command.empty() ? st : command;
    if (StartsWith(result, "$>")) return result;
    if (!result.empty() && result[0] == '.') result.erase(0, 1);
    return HasBlockedWord(result) || result == "0" ? "0" : result;
}

bool OnlySpaces(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

std::string Latin1ToUtf8(const std::string& ansi) {
    std::string utf8;
    for (const char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

bool ValidUtf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        if (lead >= 0xF0 && lead <= 0xF4) length = 4;
        else if (lead >= 0xE0) length = 3;
        else if (lead >= 0xC2 && lead <= 0xDF) length = 2;
        else if (lead >= 0x80) return false;
        if (lead >= 0xF5) return false;
        if (text.size() - i < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

void CheckFields(const std::string& text) {
    for (int X = -1; X <= zantoli::kFieldCount; ++X) {
        for (const char XC : {';', '*'}) {
            const std::string field(zantoli::FieldOf(text, X, XC));
            FUZZ_CHECK(field.find(XC) == std::string::npos);
            FUZZ_CHECK(text.find(field) != std::string::npos);
            if (X < 0 || X >= zantoli::kFieldCount) FUZZ_CHECK(field.empty());
        }
    }
}

// The checker must judge each alias as the command window treats it: the
// last line of an alias with a command is reported as always refused
// exactly when typing the alias is refused.
void CheckAliasChecker(const std::string& file, Form1& form, const zantoli::Desktop& desktop) {
    std::vector<std::string> lines;
    zantoli::SplitLines(file, [&lines](std::string_view line) { lines.emplace_back(line); });
    FUZZ_CHECK(lines == Lines(file));
    const auto findings = zantoli::aliascheck::Check(lines, desktop, Latin1ToUtf8);
    int previous = 1;
    std::vector<bool> reportedRefused(lines.size() + 1, false);
    for (const auto& finding : findings) {
        FUZZ_CHECK(finding.line >= previous);
        FUZZ_CHECK(finding.line <= static_cast<int>(lines.size()));
        FUZZ_CHECK(!finding.text.empty());
        FUZZ_CHECK(ValidUtf8(finding.text));
        if (finding.text.find("se rechaza siempre") != std::string::npos)
            reportedRefused[static_cast<std::size_t>(finding.line)] = true;
        previous = finding.line;
    }
    if (lines.size() > 64) return;  // keeps each run short
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty() || line[0] == ';') continue;
        std::string alias = desktop.UCase(line.substr(0, line.find(';')));
        bool last = true;
        for (std::size_t k = i + 1; k < lines.size() && last; ++k) {
            last = lines[k].empty() || lines[k][0] == ';' ||
                   desktop.UCase(lines[k].substr(0, lines[k].find(';'))) != alias;
        }
        const std::string command = desktop.UCase(SecondField(SecondField(line, ';'), '*'));
        if (!last || command.empty()) continue;
        const bool refused = form.VerAlias(alias) == "0";
        if (refused != reportedRefused[i + 1]) {
            std::fprintf(stderr, "line %zu \"%s\": typing its alias is %s, the checker says %s\n",
                         i + 1, Shown(line).c_str(), refused ? "refused" : "accepted",
                         reportedRefused[i + 1] ? "refused" : "nothing");
        }
        FUZZ_CHECK(refused == reportedRefused[i + 1]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\n');
    const bool hasFile = split != std::string::npos;
    const std::string typed = input.substr(0, split);
    const std::string file = hasFile ? input.substr(split + 1) : std::string();

    // A command window on the in-memory platform, with a CAD window to talk to.
    fakes::FakeForm1 w;
    w.sys.windowTitles = {"Trazalia R14 - [Dibujo1]"};
    const std::string aliasPath = w.AppPath(zantoli::app_files::kAliases);
    const std::string exchangePath = w.AppPath(zantoli::app_files::kExchange);
    if (hasFile) w.sys.files[aliasPath] = file;

    CheckFields(typed);
    if (hasFile) CheckAliasChecker(file, w.form, w.sys);

    // Resolution on its own.
    std::string st = typed;
    std::string result;
    try {
        result = w.form.VerAlias(st);
    } catch (const zantoli::FileError& failure) {
        FUZZ_CHECK(!hasFile);
        FUZZ_CHECK(failure.path() == aliasPath);
    }
    FUZZ_CHECK(st == w.sys.UCase(typed));
    if (hasFile) {
        const std::string expected = Resolved(st, Lines(file), w.sys);
        if (result != expected) {
            std::fprintf(stderr, "resolved to \"%s\", the alias file's rules give \"%s\"\n",
                         Shown(result).c_str(), Shown(expected).c_str());
        }
        FUZZ_CHECK(result == expected);
        const bool refused = result == "0";
        if (!refused && !StartsWith(result, "$>")) {
            if (HasBlockedWord(result)) {
                std::fprintf(stderr, "sent with a blocked word: %s\n", Shown(result).c_str());
            }
            FUZZ_CHECK(!HasBlockedWord(result));
        }
        if (!refused) {
            FUZZ_CHECK(st.find(result) != std::string::npos ||
                       w.sys.UCase(file).find(result) != std::string::npos);
        }
    }

    // The whole Enter, on a fresh window state.
    w.TypeAndEnter(typed);
    const auto exchange = w.sys.files.find(exchangePath);
    FUZZ_CHECK(!w.sys.Ended());
    if (!hasFile) {
        FUZZ_CHECK(w.sys.messages.size() == 1);
        FUZZ_CHECK(w.sys.messages[0].prompt.find(aliasPath) != std::string::npos);
        FUZZ_CHECK(w.texto.text == typed);
        FUZZ_CHECK(exchange == w.sys.files.end() && w.sys.keysSent.empty());
        FUZZ_CHECK(w.lista.items.empty() && w.ultimo.caption.empty());
        return 0;
    }
    FUZZ_CHECK(w.texto.text.empty());
    if (result == "0") {
        FUZZ_CHECK(w.sys.messages.size() == 1);
        FUZZ_CHECK(w.sys.messages[0].prompt == "Comando inválido.");
        FUZZ_CHECK(exchange == w.sys.files.end() && w.sys.keysSent.empty());
        FUZZ_CHECK(w.lista.items.empty() && w.ultimo.caption.empty());
        return 0;
    }
    // Nothing was sent before, so an empty or blank command repeats "".
    const std::string sent = OnlySpaces(result) ? std::string() : result;
    FUZZ_CHECK(w.sys.messages.empty());
    FUZZ_CHECK(exchange != w.sys.files.end());
    const std::string expression = zantoli::LispExpression(sent);
    FUZZ_CHECK(OneOfFourForms(sent, expression));
    FUZZ_CHECK(exchange->second == expression + "\r\n");
    FUZZ_CHECK(w.sys.keysSent.size() == 1 && w.sys.keysSent[0].keys == "^(+K)");
    FUZZ_CHECK(w.ultimo.caption == sent);
    FUZZ_CHECK(w.lista.items == std::vector<std::string>{typed});
    FUZZ_CHECK(w.texto.items == w.lista.items);

    // Enter on the empty box sends the same command again.
    w.TypeAndEnter("");
    FUZZ_CHECK(w.sys.files[exchangePath] == expression + "\r\n");
    FUZZ_CHECK(w.sys.keysSent.size() == 2);
    FUZZ_CHECK(w.ultimo.caption == sent);
    return 0;
}
