#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "command_fixture.h"
#include "form1/refusals.h"
#include "system/file_error.h"

namespace zantoli::testing {
namespace {

using Texts = std::vector<std::string>;

// A command already sent, then a failing one: the failure must leave
// everything as the first command left it.
class Failures : public CommandFixture {
protected:
    Failures() {
        SetAliases("L;*LINE\r\nC;*CIRCLE\r\n");
        TypeAndEnter("l");
    }

    void ExpectUnchangedAfterFailure(const std::string& typed, const std::string& expectedPrompt,
                                     const std::string& exchange = "(command \"LINE\" )\r\n") {
        ASSERT_EQ(sys.messages.size(), 1u);
        EXPECT_EQ(sys.messages[0].prompt, expectedPrompt);
        EXPECT_EQ(sys.messages[0].title, "Error");
        EXPECT_EQ(sys.messages[0].style, 16);
        EXPECT_EQ(sys.keysSent.size(), 1u);
        EXPECT_EQ(Exchange(), exchange);
        EXPECT_EQ(lista.items, Texts{"l"});
        EXPECT_EQ(ultimo.caption, "LINE");
        EXPECT_EQ(texto.text, typed);
    }
};

const std::string kAlias = "C:\\Zantoli\\alias.dat", kExchange = "C:\\Zantoli\\var\\vuroview.var";

// One failure each: it leaves everything as the first command left it, with
// the text kept, and once its cause is gone the same Enter goes through.
struct FailureCase {
    const char* name;
    const char* typed;
    std::function<void(Failures&)> cause, mend;
    std::string prompt;
    std::string exchange = "(command \"LINE\" )\r\n";  // after the failure
};

class FailureTable : public Failures, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTable, LeavesEverythingAsItWasAndTheSameEnterWorksOnceMended) {
    const FailureCase& c = GetParam();
    c.cause(*this);
    TypeAndEnter(c.typed);
    ExpectUnchangedAfterFailure(c.typed, c.prompt, c.exchange);
    c.mend(*this);
    TypeAndEnter(c.typed);
    EXPECT_EQ(Exchange(), *c.typed ? "(command \"CIRCLE\" )\r\n" : "(command \"LINE\" )\r\n");
    EXPECT_EQ(sys.keysSent.size(), 2u);
}

using refusals::kKeysRefused;
using refusals::kNotActivated;

// A CAD window that cannot take keys now gets neither file nor key.
FailureCase Refused(const char* name, Activation refusal, std::string prompt) {
    return {name, "c", [refusal](Failures& f) { f.sys.windowRefusals[kCadWindow] = refusal; },
            [](Failures& f) { f.sys.windowRefusals.clear(); }, std::move(prompt)};
}

// A file the system refuses to read or write, for the given reason.
using FailureMap = std::map<std::string, std::string> FakeSystem::*;
FailureCase Refusing(const char* name, const char* typed, FailureMap failures, const char* operation,
                     const std::string& path, const char* reason) {
    return {name, typed, [=](Failures& f) { (f.sys.*failures)[path] = reason; },
            [=](Failures& f) { (f.sys.*failures).clear(); }, FileError::Compose(operation, path, reason)};
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailureTable,
    ::testing::Values(
        FailureCase{"MissingAliasFile", "c", [](Failures& f) { f.sys.files.erase(kAlias); },
                    [](Failures& f) { f.sys.files[kAlias] = "C;*CIRCLE\r\n"; },
                    "No se ha podido leer el archivo " + kAlias +
                        ":\nEl sistema no puede encontrar el archivo especificado."},
        Refusing("UnreadableAliasFile", "c", &FakeSystem::readFailures, "leer", kAlias, "Acceso denegado."),
        FailureCase{"MissingVarFolder", "c",
                    [](Failures& f) {
                        f.sys.folders.erase(f.sys.appDir + "\\var");
                        f.sys.files.erase(kExchange);
                    },
                    [](Failures& f) { f.sys.folders.insert(f.sys.appDir + "\\var"); },
                    "No se ha podido escribir el archivo " + kExchange +
                        ":\nEl sistema no puede encontrar la ruta especificada.",
                    "<none>"},
        Refusing("UnwritableExchangeFile", "c", &FakeSystem::writeFailures, "escribir", kExchange,
                 "El archivo es de solo lectura."),
        Refusing("RepeatThatCannotBeWritten", "", &FakeSystem::writeFailures, "escribir", kExchange,
                 "No hay espacio suficiente en el disco."),
        FailureCase{"FocusLostAfterTheFileWasWritten", "c",
                    [](Failures& f) { f.sys.onWrite = [&f](const std::string&) { f.sys.foreground = 0; }; },
                    [](Failures& f) { f.sys.onWrite = nullptr; }, kNotActivated, "(command \"CIRCLE\" )\r\n"},
        FailureCase{"KeysTheSystemRefuses", "c", [](Failures& f) { f.sys.keysRefused = true; },
                    [](Failures& f) { f.sys.keysRefused = false; }, kKeysRefused, "(command \"CIRCLE\" )\r\n"},
        Refused("NotInFront", Activation::NotInFront, kNotActivated),
        Refused("Elevated", Activation::Elevated, kKeysRefused),
        Refused("ModalDialog", Activation::Disabled, refusals::kDialogOpen),
        Refused("Busy", Activation::Busy, refusals::kBusy)),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

// The CAD program answered the activation, then got busy before it took
// the hotkey: the next command must not overwrite the file it has yet to read.
TEST_F(Failures, ACadThatTurnsBusyEvaluatesEveryCommandSentOnce) {
    sys.onWrite = [this](const std::string&) {
        sys.windowRefusals[kCadWindow] = Activation::Busy;
        sys.onWrite = nullptr;
    };
    TypeAndEnter("c");
    EXPECT_EQ(sys.cadQueuedHotkeys, 1);
    TypeAndEnter("l");
    EXPECT_EQ(texto.text, "l");
    EXPECT_EQ(Exchange(), "(command \"CIRCLE\" )\r\n");
    sys.CadAnswersAgain();
    TypeAndEnter("l");
    EXPECT_EQ(sys.cadEvaluated, (Texts{"(command \"LINE\" )\r\n", "(command \"CIRCLE\" )\r\n",
                                       "(command \"LINE\" )\r\n"}));
}

TEST_F(Failures, ACharacterTheCodePageLacksIsNeitherSentNorReplaced) {
    texto.text = "x?y";
    texto.unmappable = true;
    std::int16_t enter = 13;
    form.texto_KeyPress(enter);
    ExpectUnchangedAfterFailure("x?y", refusals::kUnsendableCharacters);
    EXPECT_TRUE(texto.unmappable) << "the box was overwritten with the code page's text";
    EXPECT_EQ(sys.activations.size(), 1u);
}

TEST_F(Failures, AFullHistoryIsReportedAfterTheCommandWasSent) {
    lista.full = true;
    TypeAndEnter("c");
    ASSERT_EQ(sys.messages.size(), 1u);
    EXPECT_EQ(sys.messages[0].prompt,
              "La lista del historial no admite más entradas; la orden se ha enviado sin anotarla.");
    EXPECT_EQ(sys.messages[0].style, 16);
    EXPECT_EQ(Exchange(), "(command \"CIRCLE\" )\r\n");
    EXPECT_EQ(sys.keysSent.size(), 2u);
    EXPECT_EQ(lista.items, Texts{"l"});
    EXPECT_EQ(ultimo.caption, "CIRCLE");
    EXPECT_EQ(texto.text, "");
}

TEST_F(Failures, DoubleClickBesideTheEntriesSendsNothing) {
    lista.listIndex = -1;
    texto.text = "c";
    form.lista_DblClick();
    EXPECT_EQ(sys.keysSent.size(), 1u);
    EXPECT_EQ(sys.activations.size(), 1u);
    EXPECT_EQ(texto.text, "c");
    EXPECT_TRUE(sys.messages.empty());
}

TEST_F(Failures, NoSecondCommandStartsWhileOneWaitsForTheFocus) {
    lista.listIndex = 0;
    int nested = 0;
    sys.whileWaitingForFocus = [&] {
        if (nested++ > 0) return;
        texto.text = "l";  // typed while waiting
        std::int16_t enter = 13;
        form.texto_KeyPress(enter);
        form.lista_DblClick();
        form.Form_MouseMove(2, 0, 0, 0);
        EXPECT_EQ(texto.text, "l");
    };
    TypeAndEnter("c");
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(sys.keysSent.size(), 2u);
    EXPECT_EQ(Exchange(), "(command \"CIRCLE\" )\r\n");
    EXPECT_EQ(ultimo.caption, "CIRCLE");
    EXPECT_EQ(lista.items, (Texts{"l", "c"}));
    // Afterwards Enter works again.
    TypeAndEnter("l");
    EXPECT_EQ(sys.keysSent.size(), 3u);
}

}  // namespace
}  // namespace zantoli::testing
