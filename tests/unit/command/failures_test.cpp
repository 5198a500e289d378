#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_fixture.h"
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
        EXPECT_FALSE(sys.Ended());
        EXPECT_EQ(sys.keysSent.size(), 1u);
        EXPECT_EQ(Exchange(), exchange);
        EXPECT_EQ(lista.items, Texts{"l"});
        EXPECT_EQ(ultimo.caption, "LINE");
        EXPECT_EQ(texto.text, typed);
    }
};

TEST_F(Failures, MissingAliasFileIsReportedAndReadAgainNextTime) {
    sys.files.erase(AliasPath());
    TypeAndEnter("c");
    ExpectUnchangedAfterFailure(
        "c", "No se ha podido leer el archivo C:\\Zantoli\\alias.dat:\n"
             "El sistema no puede encontrar el archivo especificado.");
    SetAliases("C;*CIRCLE\r\n");
    TypeAndEnter("c");
    EXPECT_EQ(Exchange(), "(command \"CIRCLE\" )\r\n");
    EXPECT_EQ(lista.items, (Texts{"l", "c"}));
}

TEST_F(Failures, UnreadableAliasFileIsReportedWithTheReason) {
    sys.readFailures[AliasPath()] = "Acceso denegado.";
    TypeAndEnter("c");
    ExpectUnchangedAfterFailure("c", FileError::Compose("leer", AliasPath(), "Acceso denegado."));
}

TEST_F(Failures, MissingVarFolderIsReportedAndNotCreated) {
    sys.folders.erase(sys.appDir + "\\var");
    sys.files.erase(ExchangePath());
    TypeAndEnter("c");
    ASSERT_EQ(sys.messages.size(), 1u);
    EXPECT_EQ(sys.messages[0].prompt,
              "No se ha podido escribir el archivo C:\\Zantoli\\var\\vuroview.var:\n"
              "El sistema no puede encontrar la ruta especificada.");
    EXPECT_EQ(sys.folders.count(sys.appDir + "\\var"), 0u);
    EXPECT_EQ(Exchange(), "<none>");
    EXPECT_EQ(sys.keysSent.size(), 1u);
    EXPECT_EQ(lista.items, Texts{"l"});
    EXPECT_EQ(ultimo.caption, "LINE");
    EXPECT_EQ(texto.text, "c");
    EXPECT_FALSE(sys.Ended());
}

TEST_F(Failures, UnwritableExchangeFileSendsNoHotkey) {
    sys.writeFailures[ExchangePath()] = "El archivo es de solo lectura.";
    TypeAndEnter("c");
    ExpectUnchangedAfterFailure(
        "c", FileError::Compose("escribir", ExchangePath(), "El archivo es de solo lectura."));
    // Once the file can be written again the same Enter goes through.
    sys.writeFailures.clear();
    TypeAndEnter("c");
    EXPECT_EQ(Exchange(), "(command \"CIRCLE\" )\r\n");
    EXPECT_EQ(sys.keysSent.size(), 2u);
}

TEST_F(Failures, RepeatThatCannotBeWrittenKeepsTheBoxEmpty) {
    sys.writeFailures[ExchangePath()] = "No hay espacio suficiente en el disco.";
    TypeAndEnter("");
    ExpectUnchangedAfterFailure(
        "", FileError::Compose("escribir", ExchangePath(), "No hay espacio suficiente en el disco."));
}

TEST_F(Failures, ACadWindowThatCannotTakeKeysNowGetsNeitherFileNorKey) {
    const struct {
        Activation refusal;
        const char* prompt;
    } cases[] = {
        {Activation::NotInFront,
         "No se ha podido activar la ventana de Trazalia R14; la orden no se ha enviado."},
        {Activation::Elevated,
         "Trazalia R14 no acepta las teclas de Zantoli (¿se ejecuta como administrador?)."},
        {Activation::Disabled,
         "Trazalia R14 tiene abierto un cuadro de diálogo; la orden no se ha enviado. "
         "Ciérrelo en Trazalia R14 y pulse Intro de nuevo."},
        {Activation::Busy,
         "Trazalia R14 está ocupado y no responde; la orden no se ha enviado. "
         "Cuando termine, pulse Intro de nuevo."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prompt);
        sys.messages.clear();
        sys.windowRefusals["Trazalia R14 - [Dibujo1]"] = c.refusal;
        TypeAndEnter("c");
        ExpectUnchangedAfterFailure("c", c.prompt);
        sys.windowRefusals.clear();
    }
    TypeAndEnter("c");
    EXPECT_EQ(Exchange(), "(command \"CIRCLE\" )\r\n");
    EXPECT_EQ(ultimo.caption, "CIRCLE");
}

// The CAD program answered the activation, then got busy before it took
// the hotkey: the next command must not overwrite the file it has yet to read.
TEST_F(Failures, ACadThatTurnsBusyEvaluatesEveryCommandSentOnce) {
    sys.onWrite = [this](const std::string&) {
        sys.windowRefusals["Trazalia R14 - [Dibujo1]"] = Activation::Busy;
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

TEST_F(Failures, FocusLostAfterTheFileWasWrittenSendsNoKey) {
    sys.onWrite = [this](const std::string&) { sys.foreground = 0; };
    TypeAndEnter("c");
    ExpectUnchangedAfterFailure(
        "c", "No se ha podido activar la ventana de Trazalia R14; la orden no se ha enviado.",
        "(command \"CIRCLE\" )\r\n");
}

TEST_F(Failures, KeysTheSystemRefusesAreReportedAndTheTextKept) {
    sys.keysRefused = true;
    TypeAndEnter("c");
    ExpectUnchangedAfterFailure(
        "c", "Trazalia R14 no acepta las teclas de Zantoli (¿se ejecuta como administrador?).",
        "(command \"CIRCLE\" )\r\n");
}

TEST_F(Failures, ACharacterTheCodePageLacksIsNeitherSentNorReplaced) {
    texto.text = "x?y";
    texto.unmappable = true;
    std::int16_t enter = 13;
    form.texto_KeyPress(enter);
    ExpectUnchangedAfterFailure("x?y", "La orden contiene caracteres que no se pueden enviar a Trazalia R14.");
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
    EXPECT_FALSE(sys.Ended());
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
