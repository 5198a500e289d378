// The CAD stand-in is the tests' witness of what reached the CAD side, so
// it is checked first: it must log exactly the bytes of the exchange file,
// once per Ctrl+Shift+K, and nothing on any other key.
#include <gtest/gtest.h>

#include <memory>

#include "driver/app_dir.h"
#include "driver/desktop.h"
#include "driver/keyboard.h"
#include "driver/session.h"

namespace e2e {
namespace {

class StandinTest : public ::testing::Test {
protected:
    void SetUp() override {
        cad_ = std::make_unique<CadStandin>(ProgramPath(L"cad-standin.exe"), dir_.path(), dir_.root() + L"\\cad.log");
        BringToFront(cad_->window());
    }

    void Exchange(const std::string& bytes) { dir_.Write(L"var\\vuroview.var", bytes); }

    TempAppDir dir_;
    std::unique_ptr<CadStandin> cad_;
};

TEST_F(StandinTest, HotkeyLogsTheExchangeLineAndShowsIt) {
    Exchange("(command \"LINE\" )\r\n");
    PressCtrlShift('K');
    auto received = cad_->WaitReceived(1);
    EXPECT_EQ(received[0], "(command \"LINE\" )");
    EXPECT_EQ(FileBytes(dir_.root() + L"\\cad.log").value_or(""), "(command \"LINE\" )\r\n");

    // Single-byte text arrives as written and is shown in its own letters.
    Exchange("(command \"A\xD1O\" )\r\n");
    PressCtrlShift('K');
    received = cad_->WaitReceived(2);
    EXPECT_EQ(received[1], "(command \"A\xD1O\" )");
    EXPECT_EQ(cad_->Shown(),
              (std::vector<std::wstring>{L"Comando: (command \"LINE\" )", L"Comando: (command \"AÑO\" )"}));
}

TEST_F(StandinTest, OtherKeysReadNothing) {
    Exchange("FIRST\r\n");
    PressKey('K');
    TypeText(L"K");
    PressCtrlShift('K');
    cad_->WaitReceived(1);
    Exchange("SECOND\r\n");
    PressCtrlShift('K');
    // Keys are taken in order: a plain K read as the hotkey would have logged FIRST again.
    EXPECT_EQ(cad_->WaitReceived(2), (std::vector<std::string>{"FIRST", "SECOND"}));
}

}  // namespace
}  // namespace e2e
