#include "aliascheck/aliascheck.h"

#include <cstddef>
#include <exception>
#include <map>
#include <optional>
#include <string_view>

#include "command/alias_line.h"
#include "command/fields.h"
#include "command/validation.h"
#include "system/file_error.h"
#include "system/app_files.h"

namespace zantoli::aliascheck {

namespace {

// One line that defines an alias, as the command window reads it.
struct Entry {
    int line;
    std::string alias;    // upper-cased, as compared with the typed text
    std::string command;  // upper-cased; empty: the alias changes nothing
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// True when something other than `separator` follows the last separator
// that still opens one of the kFieldCount fields; that text is ignored.
bool BeyondFieldLimit(const std::string& text, char separator) {
    int seen = 0;
    for (char c : text) {
        if (c == separator) {
            ++seen;
        } else if (seen >= kFieldCount) {
            return true;
        }
    }
    return false;
}

// The blocked word that makes the command window refuse `command`: the
// shortest piece of it that validation refuses on its own. Empty when the
// refusal comes from the command being "0" itself.
std::string BlockedWordIn(const std::string& command) {
    for (std::size_t length = 1; length <= command.size(); ++length) {
        for (std::size_t start = 0; start + length <= command.size(); ++start) {
            const std::string_view piece = std::string_view(command).substr(start, length);
            if (HoldsBlockedWord(piece)) return std::string(piece);
        }
    }
    return {};
}

class Checker {
public:
    Checker(const Desktop& desktop, const AnsiToUtf8& toUtf8) : desktop_(desktop), toUtf8_(toUtf8) {}

    void Line(int number, const std::string& line) {
        // Empty lines and comments define nothing and are meant not to.
        const std::optional<AliasLine> split = SplitAliasLine(line);
        if (line.empty() || !split) return;

        const std::string second(split->second);
        Entry entry{number, desktop_.UCase(std::string(split->alias)), desktop_.UCase(std::string(split->command))};
        entries_.push_back(entry);

        if (line.find_first_not_of(" \t") == std::string::npos) {
            Add(number, "la línea solo tiene espacios: no es un comentario ni define un alias; "
                        "déjela vacía.");
            return;
        }
        if (BeyondFieldLimit(line, ';'))
            Add(number, "la línea tiene más de 10 campos: lo que sigue al décimo «;» se ignora.");
        else if (BeyondFieldLimit(second, '*'))
            Add(number, "el segundo campo tiene más de 10 «*»: lo que sigue al décimo «*» se "
                        "ignora.");

        const std::string alias = Quote(entry.alias);
        const std::string blanks = BlanksAtEnds(entry.alias);
        if (!blanks.empty())
            Add(number, "el alias " + alias + " " + blanks +
                            ": solo coincide si se teclea igual, con esos espacios.");

        if (entry.command.empty()) {
            std::string cause;
            if (line.find(';') == std::string::npos)
                cause = "falta el «;» tras el alias";
            else if (second.find('*') == std::string::npos)
                cause = "falta el «*» delante del comando";
            else
                cause = "no hay nada tras el «*»";
            Add(number, "el alias " + alias + " no tiene comando (" + cause + "): " + alias +
                            " no se sustituye por nada.");
            return;
        }

        const std::string command = Quote(entry.command);
        const std::string commandBlanks = BlanksAtEnds(entry.command);
        if (!commandBlanks.empty())
            Add(number, "el comando " + command + " " + commandBlanks +
                            ", y los espacios se envían con él.");

        // As Enter sends it: "$>" commands go unchecked.
        if (CommandEnterSends(entry.alias, entry.command) == kRefusedCommand) {
            const std::string word = BlockedWordIn(entry.command);
            Add(number, "el comando " + command +
                            (word.empty() ? std::string(" se toma como rechazado")
                                          : " contiene la palabra bloqueada " + Quote(word)) +
                            ": se rechaza siempre con «Comando inválido.».");
        }
    }

    std::vector<Finding> Findings() {
        // The last line of an alias decides; every earlier one is dead.
        std::map<std::string, const Entry*> last;
        for (const Entry& e : entries_) last[e.alias] = &e;
        std::vector<Finding> result;
        std::size_t next = 0;
        for (const Entry& e : entries_) {
            while (next < findings_.size() && findings_[next].line < e.line)
                result.push_back(findings_[next++]);
            const Entry& winner = *last[e.alias];
            if (&winner != &e) {
                const std::string alias = Quote(e.alias);
                const std::string at = "la línea " + std::to_string(winner.line);
                result.push_back(
                    {e.line, winner.command.empty()
                                 ? "el alias " + alias + " no se usa nunca: " + at +
                                       " lo repite sin comando y es la que vale, así que " +
                                       alias + " no se sustituye por nada."
                                 : "el alias " + alias + " no se usa nunca: " + at +
                                       " lo repite y es la que vale (comando " +
                                       Quote(winner.command) + ")."});
            }
        }
        while (next < findings_.size()) result.push_back(findings_[next++]);
        return result;
    }

private:
    void Add(int line, std::string text) { findings_.push_back({line, std::move(text)}); }

    std::string Quote(const std::string& ansi) const { return "«" + toUtf8_(ansi) + "»"; }

    static std::string BlanksAtEnds(const std::string& text) {
        const bool leading = IsBlank(text.front());
        const bool trailing = IsBlank(text.back());
        if (leading && trailing) return "empieza y termina con espacios";
        if (leading) return "empieza con espacios";
        if (trailing) return "termina con espacios";
        return {};
    }

    const Desktop& desktop_;
    const AnsiToUtf8& toUtf8_;
    std::vector<Entry> entries_;
    std::vector<Finding> findings_;  // per line, in line order
};

const char* const kUsage =
    "Uso: aliascheck [archivo]\n"
    "Revisa un archivo de alias de la línea de comando (sin archivo, el alias.dat que está\n"
    "junto al programa) y muestra las líneas que nunca sirven o nunca cambian nada.\n"
    "Termina con 0 si no hay avisos, 1 si los hay y 2 si no puede leer el archivo.\n";

}  // namespace

std::vector<Finding> Check(const std::vector<std::string>& lines, const Desktop& desktop,
                           const AnsiToUtf8& toUtf8) {
    Checker checker(desktop, toUtf8);
    for (std::size_t i = 0; i < lines.size(); ++i) checker.Line(static_cast<int>(i + 1), lines[i]);
    return checker.Findings();
}

int Run(const std::vector<std::string>& args, const System& sys, const AnsiToUtf8& toUtf8,
        std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "/?" || args[0] == "-h" || args[0] == "--help")) {
        out << kUsage;
        return kClean;
    }
    if (args.size() > 1) {
        err << kUsage;
        return kUnreadable;
    }
    const std::string path = args.empty() ? sys.AppDir() + app_files::kAliases : args[0];

    std::vector<std::string> lines;
    try {
        sys.ReadLines(path, [&lines](std::string_view line) { lines.emplace_back(line); });
    } catch (const FileError& e) {
        err << e.what() << "\n";
        return kUnreadable;
    } catch (const std::exception& e) {
        err << FileError::Compose(file_op::kRead, path, e.what()) << "\n";
        return kUnreadable;
    }

    const std::vector<Finding> findings = Check(lines, sys, toUtf8);
    out << "Archivo de alias: " << path << "\n";
    for (const Finding& f : findings) out << "línea " << f.line << ": " << f.text << "\n";
    if (findings.empty()) {
        out << "Sin avisos.\n";
        return kClean;
    }
    out << findings.size() << (findings.size() == 1 ? " aviso.\n" : " avisos.\n");
    return kFindings;
}

}  // namespace zantoli::aliascheck
