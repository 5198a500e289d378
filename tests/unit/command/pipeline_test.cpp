#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_fixture.h"
#include "form1/refusals.h"

namespace zantoli::testing {
namespace {

using Texts = std::vector<std::string>;

class Pipeline : public CommandFixture {
protected:
    Pipeline() { SetAliases("; Alias de prueba\r\nL;      *LINE\r\nC;*CIRCLE\r\n"); }

    std::string Sent(const std::string& command) const { return "(command \"" + command + "\" )\r\n"; }
};

TEST_F(Pipeline, AnAliasIsRecordedAsTypedAndSentExpanded) {
    TypeAndEnter("l");
    EXPECT_EQ(Exchange(), Sent("LINE"));
    EXPECT_EQ(sys.keysSent.size(), 1u);
    EXPECT_EQ(lista.items, Texts{"l"});
    EXPECT_EQ(texto.items, Texts{"l"});
    EXPECT_EQ(ultimo.caption, "LINE");
    EXPECT_EQ(texto.text, "");
}

TEST_F(Pipeline, HistoryHoldsEachEntryTextOnceAndComparesCase) {
    for (const char* typed : {"l", "line", "l", "LINE", "line"}) TypeAndEnter(typed);
    EXPECT_EQ(lista.items, (Texts{"l", "line", "LINE"}));
    EXPECT_EQ(texto.items, lista.items);
    EXPECT_EQ(sys.keysSent.size(), 5u);
}

TEST_F(Pipeline, TheLastingHistoryHearsOfEachCommandSentAsTyped) {
    Texts heard;
    form.commandSent = [&](const std::string& entry) { heard.push_back(entry); };
    for (const char* typed : {"l", "menu", "l", ""}) {
        TypeAndEnter(typed);
        if (!sys.messages.empty()) sys.messages.clear();  // "Comando inválido."
    }
    EXPECT_EQ(heard, (Texts{"l", "l", ""})) << "a refused command was not sent";
}

TEST_F(Pipeline, EmptyOrBlankEntryRepeatsTheLastCommand) {
    TypeAndEnter("c");
    TypeAndEnter("");
    EXPECT_EQ(Exchange(), Sent("CIRCLE"));
    TypeAndEnter("   ");
    EXPECT_EQ(Exchange(), Sent("CIRCLE"));
    TypeAndEnter("");
    EXPECT_EQ(sys.keysSent.size(), 4u);
    EXPECT_EQ(ultimo.caption, "CIRCLE");
    // The history records the entry text: the empty text and the run of
    // spaces once each.
    EXPECT_EQ(lista.items, (Texts{"c", "", "   "}));
}

TEST_F(Pipeline, EmptyEntryBeforeAnyCommandSendsTheEmptyCommand) {
    TypeAndEnter("");
    EXPECT_EQ(Exchange(), "(command \"\" )\r\n");
    EXPECT_EQ(lista.items, Texts{""});
    EXPECT_EQ(ultimo.caption, "");
}

TEST_F(Pipeline, ARefusedCommandChangesNothingButTheInputBox) {
    TypeAndEnter("l");
    for (const char* typed : {"menu", "0", "(load \"x\")", ".setvar"}) {
        TypeAndEnter(typed);
        ASSERT_FALSE(sys.messages.empty()) << typed;
        EXPECT_EQ(sys.messages.back().prompt, refusals::kInvalidCommand);
        EXPECT_EQ(sys.messages.back().title, "Error");
        EXPECT_EQ(sys.messages.back().style, 16);
        EXPECT_EQ(texto.text, "") << typed;
    }
    EXPECT_EQ(sys.messages.size(), 4u);
    EXPECT_EQ(sys.keysSent.size(), 1u);
    EXPECT_EQ(lista.items, Texts{"l"});
    EXPECT_EQ(ultimo.caption, "LINE");
}

TEST_F(Pipeline, DoubleClickSendsTheEntryAgainAfterResolvingIt) {
    TypeAndEnter("l");
    TypeAndEnter("arc");
    lista.listIndex = 0;
    texto.text = "a medio escribir";
    form.lista_DblClick();
    EXPECT_EQ(Exchange(), Sent("LINE"));
    EXPECT_EQ(sys.keysSent.size(), 3u);
    EXPECT_EQ(lista.items, (Texts{"l", "arc"}));
    EXPECT_EQ(ultimo.caption, "LINE");
    EXPECT_EQ(texto.text, "");
}

TEST_F(Pipeline, AMoveWithTheRightButtonHeldIsAnEnterWhileTheWindowIsInFront) {
    texto.text = "c";
    form.Form_MouseMove(2, 0, 100, 100);
    EXPECT_EQ(Exchange(), Sent("CIRCLE"));
    // The CAD window is in front now: further moves send nothing and say nothing.
    form.Form_MouseMove(2, 0, 110, 100);
    EXPECT_EQ(sys.keysSent.size(), 1u);
    EXPECT_EQ(sys.activations.size(), 1u);
    EXPECT_TRUE(sys.messages.empty());
    for (std::int16_t button : {3, 6}) {  // with the left or the middle one too
        sys.foreground = window.hWnd();
        form.Form_MouseMove(button, 1, 120, 100);
    }
    EXPECT_EQ(sys.keysSent.size(), 3u);
    EXPECT_EQ(lista.items, (Texts{"c", ""}));
    sys.foreground = window.hWnd();
    for (std::int16_t button : {0, 1, 4, 5}) form.Form_MouseMove(button, 0, 160, 100);
    EXPECT_EQ(sys.keysSent.size(), 3u);
}

TEST_F(Pipeline, OtherKeysDoNothingAndNoKeyIsConsumed) {
    texto.text = "l";
    std::int16_t key = 'a';
    form.texto_KeyPress(key);
    EXPECT_EQ(key, 'a');
    EXPECT_EQ(texto.text, "l");
    EXPECT_TRUE(sys.activations.empty());
    key = 13;
    form.texto_KeyPress(key);
    EXPECT_EQ(key, 13);
    EXPECT_EQ(sys.keysSent.size(), 1u);
}

}  // namespace
}  // namespace zantoli::testing
