#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "command/expression.h"
#include "command_fixture.h"
#include "system/file_error.h"
#include "window/program_ending.h"

namespace zantoli::testing {
namespace {

TEST(LispExpression, FourFormsByTheStartOfTheCommand) {
    struct Case {
        std::string command, expression;
    };
    const Case cases[] = {
        {"LINE", "(command \"LINE\" )"},
        {"", "(command \"\" )"},
        {"C:MIRUTINA", "(C:MIRUTINA)"},
        {"C:", "(C:)"},
        {"C", "(command \"C\" )"},
        {"c:MIRUTINA", "(command \"c:MIRUTINA\" )"},
        {"$>(SETQ A 1)", "(SETQ A 1)"},
        {"$>", ""},
        {"$", "(command \"$\" )"},
        {"(SETQ A 1)", "(SETQ A 1)"},
        {"(", "("},
        {" (SETQ A 1)", "(command \" (SETQ A 1)\" )"},
        {"A\"B", "(command \"A\"B\" )"},
        {"C:\\DIR\\", "(C:\\DIR\\)"},
        {"LINE  ", "(command \"LINE  \" )"},
        {std::string("A\0B", 3), std::string("(command \"A\0B\" )", 16)},
    };
    for (const auto& c : cases) EXPECT_EQ(LispExpression(c.command), c.expression) << c.command;
}

class Dispatch : public CommandFixture {};

TEST_F(Dispatch, WritesTheExpressionAndSendsTheHotkeyToTheCadWindow) {
    form.OrdenVuro("LINE");
    EXPECT_EQ(Exchange(), "\x28\x63\x6F\x6D\x6D\x61\x6E\x64\x20\x22\x4C\x49\x4E\x45\x22\x20\x29\x0D\x0A");
    ASSERT_EQ(sys.activations.size(), 1u);
    EXPECT_EQ(sys.activations[0].title, "Trazalia R14");
    EXPECT_TRUE(sys.activations[0].wait);
    ASSERT_EQ(sys.keysSent.size(), 1u);
    EXPECT_EQ(sys.keysSent[0].keys, "^(+K)");
    EXPECT_EQ(sys.keysSent[0].activeTitle, kCadWindow);
}

TEST_F(Dispatch, ExactBytesOfTheShortestFiles) {
    form.OrdenVuro("");
    EXPECT_EQ(Exchange(), "\x28\x63\x6F\x6D\x6D\x61\x6E\x64\x20\x22\x22\x20\x29\x0D\x0A");
    form.OrdenVuro("$>");
    EXPECT_EQ(Exchange(), "\x0D\x0A");
}

TEST_F(Dispatch, AShortExpressionLeavesNothingOfALongOne) {
    form.OrdenVuro("(COMMAND \"LINE\" \"0,0\" \"100,100\" \"\")");
    form.OrdenVuro("C:");
    EXPECT_EQ(Exchange(), "(C:)\r\n");
    EXPECT_EQ(sys.keysSent.size(), 2u);
}

TEST_F(Dispatch, WithoutACadWindowTellsTheUserAndEndsInOrder) {
    sys.windowTitles = {"Bloc de notas", "Trazalia"};
    sys.files[ExchangePath()] = "(command \"ARC\" )\r\n";
    EXPECT_THROW(form.OrdenVuro("LINE"), ProgramEnded);
    EXPECT_EQ(sys.exitCode, kExitNoCadWindow);
    ASSERT_EQ(sys.messages.size(), 1u);
    EXPECT_EQ(sys.messages[0].prompt, "Esta aplicación funciona en conjunto con Trazalia R14.");
    EXPECT_EQ(sys.messages[0].title, "Atención");
    EXPECT_EQ(sys.messages[0].style, 0);
    EXPECT_EQ(Exchange(), "(command \"ARC\" )\r\n");
    EXPECT_TRUE(sys.keysSent.empty());
    // Ended through the orderly stop: marker removed, placement saved.
    EXPECT_FALSE(sys.FileExists(AppPath(app_files::kMarker)));
    EXPECT_TRUE(sys.FileExists(AppPath(app_files::kSettings)));
}

TEST_F(Dispatch, AStopThatFailsStillEndsTheProgram) {
    sys.windowTitles.clear();
    sys.writeFailures[AppPath(app_files::kSettings)] = "Acceso denegado.";
    // Not taken for a command that failed: it goes on to the standard
    // error message and the end.
    try {
        TypeAndEnter("l");
        ADD_FAILURE() << "the Enter handling went on";
    } catch (const FileError&) {
        ADD_FAILURE() << "left as a file failure, which the Enter handling reports and survives";
    } catch (const ProgramEnding& failure) {
        EXPECT_EQ(failure.what(), FileError::Compose("escribir", AppPath(app_files::kSettings),
                                                     "Acceso denegado."));
    }
    ASSERT_EQ(sys.messages.size(), 1u);
    EXPECT_EQ(sys.messages[0].title, "Atención");
}

TEST_F(Dispatch, AnActivationThatFailsCountsAsNoCadWindow) {
    sys.whileWaitingForFocus = [] { throw std::runtime_error("ventana destruida"); };
    EXPECT_THROW(form.OrdenVuro("LINE"), ProgramEnded);
    ASSERT_EQ(sys.messages.size(), 1u);
    EXPECT_EQ(sys.messages[0].title, "Atención");
    EXPECT_EQ(Exchange(), "<none>");
}

}  // namespace
}  // namespace zantoli::testing
