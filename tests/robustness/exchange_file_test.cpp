// The exchange file cannot be written: the user is told which file and why,
// the CAD side gets no hotkey (it would evaluate a stale expression), the
// window keeps its state and the same Enter works once the cause is gone.
#include "fault_fixture.h"

namespace robustness {
namespace {

const wchar_t kExchange[] = L"var\\vuroview.var";
const char kPrevious[] = "(command \"CIRCLE\" )\r\n";

class ExchangeFileFault : public AtCad<FaultTest> {
protected:
    void SetUp() override {
        AtCad::SetUp();
        ASSERT_EQ(Send(L"c", 1), Lines{"(command \"CIRCLE\" )"});
    }

    // Enter on "l" fails with `error` on the exchange file; afterwards
    // nothing more has reached the CAD side.
    void ExpectRefusedWrite(DWORD error) {
        window_->Enter(L"l");
        AnswerBox(L"Error", FileFailure("escribir", kExchange, error));
        ExpectUntouched(*window_, L"l", {L"c"}, L"CIRCLE");
        EXPECT_EQ(cad_->Received(), Lines{"(command \"CIRCLE\" )"});
    }

    // Keys reach the stand-in in order: a hotkey sent with the failure
    // would show up before the one of the next command.
    void ExpectSentOnEnterAgain() {
        PressEnterAgain(*window_);
        EXPECT_EQ(cad_->WaitReceived(2).back(), "(command \"LINE\" )");
        EXPECT_EQ(cad_->Shown(), (Entries{L"Comando: (command \"CIRCLE\" )", L"Comando: (command \"LINE\" )"}));
        WaitInputCleared(*window_);
        EXPECT_EQ(window_->History(), (Entries{L"c", L"l"}));
        EXPECT_EQ(window_->LastCommand(), L"LINE");
        EXPECT_EQ(Bytes(kExchange), "(command \"LINE\" )\r\n");
    }
};

TEST_F(ExchangeFileFault, VarFolderMissingIsNamedAndNeverCreated) {
    std::filesystem::remove_all(dir_.File(L"var"));
    ExpectRefusedWrite(ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(std::filesystem::exists(dir_.File(L"var"))) << "the var folder is the installer's, not ours";

    std::filesystem::create_directory(dir_.File(L"var"));
    ExpectSentOnEnterAgain();
}

TEST_F(ExchangeFileFault, FileLockedByAnotherProgramKeepsItsContent) {
    auto lock = std::make_unique<LockedFile>(dir_.File(kExchange));
    ExpectRefusedWrite(ERROR_SHARING_VIOLATION);
    lock.reset();
    EXPECT_EQ(Bytes(kExchange), kPrevious);
    ExpectSentOnEnterAgain();
}

TEST_F(ExchangeFileFault, ReadOnlyFileKeepsItsContent) {
    const std::wstring path = dir_.File(kExchange);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY)) << LastError();
    if (!zantoli::test_support::ReadOnlyHolds(path))
        GTEST_SKIP() << "this system lets a read-only file be opened for writing (Wine run as root "
                        "ignores the attribute); the locked-file test covers the refused write";
    ExpectRefusedWrite(ERROR_ACCESS_DENIED);
    EXPECT_EQ(Bytes(kExchange), kPrevious);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL)) << LastError();
    ExpectSentOnEnterAgain();
}

}  // namespace
}  // namespace robustness
