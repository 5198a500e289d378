// The alias file checker: which lines it reports, in the operator's words,
// and how the program ends.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "aliascheck/aliascheck.h"
#include "fakes/fake_system.h"

namespace zantoli::testing {
namespace {

using aliascheck::Finding;

// The test files use only Latin-1 letters, which Windows-1252 shares.
std::string Latin1ToUtf8(const std::string& ansi) {
    std::string out;
    for (unsigned char c : ansi) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::vector<Finding> CheckLines(const std::vector<std::string>& lines) {
    FakeSystem sys;
    return aliascheck::Check(lines, sys, Latin1ToUtf8);
}

void ExpectFindings(const std::vector<std::string>& lines, const std::vector<Finding>& expected) {
    const std::vector<Finding> got = CheckLines(lines);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].line, expected[i].line);
        EXPECT_EQ(got[i].text, expected[i].text);
    }
}

TEST(AliasCheck, AnOrdinaryFileHasNothingToReport) {
    EXPECT_TRUE(CheckLines({
                               "; Alias de dibujo",
                               "",
                               "L;*LINE",
                               "C;      *CIRCLE",
                               "pl;*pline;polilínea",
                               "MENU;*LINE",
                               "Z;*$>(command \"menu\")",
                               ";",
                               "A;*B;;;;;;;;",  // ten ";" and nothing after
                               "B;*LINE",
                           })
                    .empty());
}

TEST(AliasCheck, AnAliasDefinedAgainIsDeadBeforeItsLastLine) {
    ExpectFindings({"L;*LINE", "C;*CIRCLE", "l;*line", "l;*pline"},
                   {{1, "el alias «L» no se usa nunca: la línea 4 lo repite y es la que vale "
                        "(comando «PLINE»)."},
                    {3, "el alias «L» no se usa nunca: la línea 4 lo repite y es la que vale "
                        "(comando «PLINE»)."}});
}

TEST(AliasCheck, ALastLineWithoutCommandUndoesTheEarlierOnes) {
    ExpectFindings({"L;*LINE", "L;LINE"},
                   {{1, "el alias «L» no se usa nunca: la línea 2 lo repite sin comando y es la "
                        "que vale, así que «L» no se sustituye por nada."},
                    {2, "el alias «L» no tiene comando (falta el «*» delante del comando): «L» "
                        "no se sustituye por nada."}});
}

TEST(AliasCheck, UpperCasingJoinsAliasesWithAccentedLetters) {
    ExpectFindings({"a\xF1o;*LINE", "A\xD1O;*ARC"},
                   {{1, "el alias «AÑO» no se usa nunca: la línea 2 lo repite y es la que vale "
                        "(comando «ARC»)."}});
}

TEST(AliasCheck, EntriesWithoutCommandSayWhatIsMissing) {
    ExpectFindings({"L", "M;MOVE", "N;*", "P;  ;*PLINE"},
                   {{1, "el alias «L» no tiene comando (falta el «;» tras el alias): «L» no se "
                        "sustituye por nada."},
                    {2, "el alias «M» no tiene comando (falta el «*» delante del comando): «M» "
                        "no se sustituye por nada."},
                    {3, "el alias «N» no tiene comando (no hay nada tras el «*»): «N» no se "
                        "sustituye por nada."},
                    {4, "el alias «P» no tiene comando (falta el «*» delante del comando): «P» "
                        "no se sustituye por nada."}});
}

TEST(AliasCheck, BlanksThatBecomePartOfAliasOrCommand) {
    ExpectFindings(
        {"L ;*LINE", " C;*CIRCLE", "\tA ;*ARC", "P;*PLINE  ", "M;* MOVE"},
        {{1, "el alias «L » termina con espacios: solo coincide si se teclea igual, con esos "
             "espacios."},
         {2, "el alias « C» empieza con espacios: solo coincide si se teclea igual, con esos "
             "espacios."},
         {3, "el alias «\tA » empieza y termina con espacios: solo coincide si se teclea igual, "
             "con esos espacios."},
         {4, "el comando «PLINE  » termina con espacios, y los espacios se envían con él."},
         {5, "el comando « MOVE» empieza con espacios, y los espacios se envían con él."}});
}

TEST(AliasCheck, ALineOfBlanksIsReportedOnce) {
    ExpectFindings({"   "}, {{1, "la línea solo tiene espacios: no es un comentario ni define un "
                                 "alias; déjela vacía."}});
}

TEST(AliasCheck, CommandsWithABlockedWordNameTheWord) {
    const struct {
        const char* line;
        const char* word;
    } cases[] = {
        {"AP;*appload", "LOAD"},
        {"V;*(setvar \"osmode\" 0)", "SETVAR"},
        {"X;*xmenu", "MENU"},
        {"Q;*(command \".line\")", "\"."},
        {"D;*.arx", "ARX"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::vector<Finding> got = CheckLines({c.line});
        ASSERT_EQ(got.size(), 1u);
        EXPECT_NE(got[0].text.find("contiene la palabra bloqueada «" + std::string(c.word) +
                                   "»: se rechaza siempre con «Comando inválido.»."),
                  std::string::npos)
            << got[0].text;
    }
    ExpectFindings({"AP;*appload"},
                   {{1, "el comando «APPLOAD» contiene la palabra bloqueada «LOAD»: se rechaza "
                        "siempre con «Comando inválido.»."}});
}

TEST(AliasCheck, ACommandThatIsZeroIsAlwaysTakenAsRefused) {
    ExpectFindings({"C;*0", "D;*.0", "E;*10"},
                   {{1, "el comando «0» se toma como rechazado: se rechaza siempre con «Comando "
                        "inválido.»."},
                    {2, "el comando «.0» se toma como rechazado: se rechaza siempre con «Comando "
                        "inválido.»."}});
}

TEST(AliasCheck, CommandsForTheDirectChannelAreNotValidated) {
    EXPECT_TRUE(CheckLines({"M;*$>(setvar \"x\" 1)"}).empty());
}

TEST(AliasCheck, TextBeyondTheTenthSeparatorIsReported) {
    ExpectFindings(
        {"A;*B;;;;;;;;;x", "C;*D;;;;;;;;;;", "E;*F*G*H*I*J*K*L*M*N*O*P;resto", "Q;*QSAVE*********"},
        {{1, "la línea tiene más de 10 campos: lo que sigue al décimo «;» se ignora."},
         {3, "el segundo campo tiene más de 10 «*»: lo que sigue al décimo «*» se ignora."}});
}

class AliasCheckRun : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& args) {
        return aliascheck::Run(args, sys, Latin1ToUtf8, out, err);
    }
    FakeSystem sys;
    std::ostringstream out, err;
};

TEST_F(AliasCheckRun, CleanFileBesideTheProgramEndsWithZero) {
    sys.files["C:\\Zantoli\\alias.dat"] = "L;*LINE\r\nC;*CIRCLE\r\n";
    EXPECT_EQ(Run({}), 0);
    EXPECT_EQ(out.str(), "Archivo de alias: C:\\Zantoli\\alias.dat\nSin avisos.\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(AliasCheckRun, FindingsCarryTheLineNumbersOfTheCommandWindow) {
    // A lone CR or LF ends a line too, as when the command window reads it.
    sys.files["D:\\otro.dat"] = "L;*LINE\rC;CIRCLE\nL;*PLINE\r\n";
    EXPECT_EQ(Run({"D:\\otro.dat"}), 1);
    EXPECT_EQ(out.str(),
              "Archivo de alias: D:\\otro.dat\n"
              "línea 1: el alias «L» no se usa nunca: la línea 3 lo repite y es la que vale "
              "(comando «PLINE»).\n"
              "línea 2: el alias «C» no tiene comando (falta el «*» delante del comando): «C» no "
              "se sustituye por nada.\n"
              "2 avisos.\n");
}

TEST_F(AliasCheckRun, AFileThatCannotBeReadEndsWithTwoNamingFileAndReason) {
    sys.readFailures["C:\\Zantoli\\alias.dat"] = "Acceso denegado.";
    EXPECT_EQ(Run({}), 2);
    EXPECT_EQ(Run({"C:\\no\\hay.dat"}), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "No se ha podido leer el archivo C:\\Zantoli\\alias.dat:\nAcceso denegado.\n"
                         "No se ha podido leer el archivo C:\\no\\hay.dat:\n"
                         "El sistema no puede encontrar el archivo especificado.\n");
}

TEST_F(AliasCheckRun, MoreThanOneFileIsAUsageError) {
    EXPECT_EQ(Run({"a.dat", "b.dat"}), 2);
    EXPECT_EQ(err.str().rfind("Uso: aliascheck [archivo]\n", 0), 0u) << err.str();
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace zantoli::testing
