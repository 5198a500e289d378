// Thousands of generated commands through the Enter handling, against an
// oracle that knows only the rule the user sees: a command that contains a
// blocked word, once upper-cased and stripped of one leading full stop, is
// refused and never reaches the CAD application unless it begins with "$>";
// every other command reaches it in exactly one of the four expression forms.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "fakes/form_fixture.h"
#include "support/blocked_words.h"
#include "support/shown_bytes.h"
#include "system/app_files.h"

namespace zantoli::testing {
namespace {

// Lower-case letters of the Western code page with their capitals, and
// letters that have no capital in it (ß, µ) or are no letter at all (÷).
const std::pair<char, char> kEightBitCase[] = {
    {'\xE1', '\xC1'}, {'\xE9', '\xC9'}, {'\xED', '\xCD'}, {'\xF3', '\xD3'},
    {'\xFA', '\xDA'}, {'\xF1', '\xD1'}, {'\xFC', '\xDC'}, {'\xE7', '\xC7'},
};
const char kCaseless[] = {'\xDF', '\xB5', '\xF7', '\xC1', '\xD1'};

std::string Upper(const std::string& text) {
    std::string upper = text;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        for (const auto& [lower, capital] : kEightBitCase) {
            if (c == lower) c = capital;
        }
    }
    return upper;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool Refused(std::string command) {
    if (!command.empty() && command[0] == '.') command.erase(0, 1);
    if (command == "0") return true;  // cannot be told from a refusal
    for (const std::string word : kBlockedWords) {
        if (command.find(word) != std::string::npos) return true;
    }
    return false;
}

std::string Expression(const std::string& command) {
    if (StartsWith(command, "C:")) return "(" + command + ")";
    if (StartsWith(command, "$>")) return command.substr(2);
    if (StartsWith(command, "(")) return command;
    return "(command \"" + command + "\" )";
}

class CommandGenerator {
public:
    explicit CommandGenerator(unsigned seed) : random_(seed) {}

    std::string Next() {
        std::string command;
        const int start = Below(40);
        if (start < 6) command = ".";
        else if (start < 8) command = "..";
        else if (start < 12) command = "$>";
        else if (start < 13) command = ".$>";
        const int pieces = Below(7);
        for (int i = 0; i < pieces; ++i) command += Piece();
        return command;
    }

private:
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    std::string AnyCase(std::string text) {
        const int mode = Below(3);
        for (char& c : text) {
            if (c < 'A' || c > 'Z') continue;
            if (mode == 1 || (mode == 2 && Below(2) == 0)) c = static_cast<char>(c - 'A' + 'a');
        }
        return text;
    }

    std::string Piece() {
        const std::string& word = kBlockedWords[static_cast<std::size_t>(Below(static_cast<int>(kBlockedWords.size())))];
        switch (Below(12)) {
            case 0:
            case 1: return AnyCase(word);
            case 2:
            case 3: {  // a fragment, which may meet another to form a word
                if (word.size() < 2) return word.substr(0, 1);
                const int length = 1 + Below(static_cast<int>(word.size()) - 1);
                const int from = Below(static_cast<int>(word.size()) - length + 1);
                return AnyCase(word.substr(static_cast<std::size_t>(from),
                                           static_cast<std::size_t>(length)));
            }
            case 4: {
                const char* const marks[] = {".", "\"", "\".", "\" .", "$>", " ",
                                             "(",  ")",  "C:",  "c:",   "0"};
                return marks[Below(11)];
            }
            case 5: return std::string(1, kEightBitCase[Below(8)].first);
            case 6: return std::string(1, kCaseless[Below(5)]);
            case 7: return std::string(1, static_cast<char>('0' + Below(10)));
            default: {
                std::string letters;
                const int count = 1 + Below(4);
                for (int i = 0; i < count; ++i)
                    letters += static_cast<char>((Below(2) ? 'a' : 'A') + Below(26));
                return letters;
            }
        }
    }

    std::mt19937 random_;
};

class BlockedWordsProperty : public FormFixture {
protected:
    BlockedWordsProperty() {
        sys.windowTitles = {"Trazalia R14 - [Dibujo1]"};
        sys.files[AppPath(app_files::kAliases)] = "";
    }
};

TEST_F(BlockedWordsProperty, ACommandReachesTheCadApplicationExactlyWhenItHoldsNoBlockedWord) {
    const std::string exchangePath = AppPath(app_files::kExchange);
    CommandGenerator generator(20260412u);
    std::string lastSent;
    int refused = 0, sent = 0, passedThroughWithBlockedWord = 0, failures = 0;

    for (int i = 0; i < 4000 && failures < 10; ++i) {
        const std::string typed = generator.Next();
        const std::string upper = Upper(typed);
        const bool passThrough = StartsWith(upper, "$>");
        const bool expectRefusal = !passThrough && Refused(upper);
        std::string command = upper;
        if (!passThrough && !command.empty() && command[0] == '.') command.erase(0, 1);
        if (command.find_first_not_of(' ') == std::string::npos) command = lastSent;

        sys.files.erase(exchangePath);
        const std::size_t messagesBefore = sys.messages.size();
        const std::size_t keysBefore = sys.keysSent.size();
        TypeAndEnter(typed);
        const auto written = sys.files.find(exchangePath);

        const std::string where = "command #" + std::to_string(i) + " \"" + Shown(typed) + "\"";
        if (expectRefusal) {
            ++refused;
            const bool shown = sys.messages.size() == messagesBefore + 1 &&
                               sys.messages.back().prompt == "Comando inválido." &&
                               sys.messages.back().title == "Error" &&
                               sys.messages.back().style == 16;
            if (written != sys.files.end() || sys.keysSent.size() != keysBefore || !shown ||
                ultimo.caption != lastSent) {
                ADD_FAILURE() << where << " should have been refused";
                ++failures;
            }
        } else {
            ++sent;
            if (passThrough && Refused(upper.substr(2))) ++passedThroughWithBlockedWord;
            const std::string expected = Expression(command) + "\r\n";
            if (written == sys.files.end() || written->second != expected ||
                sys.messages.size() != messagesBefore || sys.keysSent.size() != keysBefore + 1) {
                ADD_FAILURE() << where << " should have been sent as \"" << Shown(expected)
                              << "\", exchange file "
                              << (written == sys.files.end() ? "<not written>"
                                                             : "\"" + Shown(written->second) + "\"");
                ++failures;
            }
            lastSent = command;
        }
        EXPECT_EQ(texto.text, "") << where;
    }

    // The generator must exercise both outcomes and the "$>" exemption.
    EXPECT_GT(refused, 800);
    EXPECT_GT(sent, 800);
    EXPECT_GT(passedThroughWithBlockedWord, 20);
}

}  // namespace
}  // namespace zantoli::testing
