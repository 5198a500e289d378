// The alias file is read anew for every command. When it cannot be read the
// user is told which file and why, nothing reaches the CAD side, and the
// next Enter reads it again; odd contents never derail the reading.
#include "fault_fixture.h"

namespace robustness {
namespace {

using AliasFileFault = AtCad<FaultTest>;

TEST_F(AliasFileFault, MissingFileIsNamedNothingIsSentAndTheNextEnterReadsItAgain) {
    Send(L"c", 1);
    ASSERT_TRUE(DeleteFileW(dir_.File(L"alias.dat").c_str())) << LastError();

    window_->Enter(L"l");
    AnswerBox(L"Error", FileFailure("leer", L"alias.dat", ERROR_FILE_NOT_FOUND));
    ExpectUntouched(*window_, L"l", {L"c"}, L"CIRCLE");
    EXPECT_EQ(cad_->Received(), Lines{"(command \"CIRCLE\" )"});
    EXPECT_EQ(Bytes(L"var\\vuroview.var"), "(command \"CIRCLE\" )\r\n");
    EXPECT_FALSE(FileExists(dir_.File(L"alias.dat"))) << "the alias file is never written";

    dir_.Write(L"alias.dat", kAliases);
    PressEnterAgain(*window_);
    EXPECT_EQ(cad_->WaitReceived(2).back(), "(command \"LINE\" )");
    WaitInputCleared(*window_);
    EXPECT_EQ(window_->History(), (Entries{L"c", L"l"}));
    EXPECT_EQ(window_->LastCommand(), L"LINE");
}

TEST_F(AliasFileFault, FileLockedByAnotherProgramIsNamedAndReadOnceFreed) {
    auto lock = std::make_unique<LockedFile>(dir_.File(L"alias.dat"));
    window_->Enter(L"l");
    AnswerBox(L"Error", FileFailure("leer", L"alias.dat", ERROR_SHARING_VIOLATION));
    ExpectUntouched(*window_, L"l", {}, L"");
    EXPECT_EQ(cad_->Received(), Lines{});
    EXPECT_FALSE(FileExists(dir_.File(L"var\\vuroview.var"))) << "nothing may be written for the CAD side";

    lock.reset();
    PressEnterAgain(*window_);
    EXPECT_EQ(cad_->WaitReceived(1), Lines{"(command \"LINE\" )"});
    // A hotkey with the failure would have found no exchange file.
    EXPECT_EQ(cad_->Shown(), Entries{L"Comando: (command \"LINE\" )"});
    EXPECT_EQ(Bytes(L"alias.dat"), kAliases) << "the alias file is never written";
}

TEST_F(AliasFileFault, FileEditedBetweenTwoCommandsCountsAtOnce) {
    EXPECT_EQ(Send(L"l", 1).back(), "(command \"LINE\" )");
    dir_.Write(L"alias.dat", "L;*LWPOLYLINE\r\n");
    EXPECT_EQ(Send(L"l", 2).back(), "(command \"LWPOLYLINE\" )");
    dir_.Write(L"alias.dat", "");
    EXPECT_EQ(Send(L"l", 3).back(), "(command \"L\" )");
    EXPECT_EQ(window_->History(), Entries{L"l"});
    EXPECT_EQ(window_->LastCommand(), L"L");
}

// Five megabytes, one line of them a megabyte long, the typed aliases at
// both ends and past the long line: every line is read, the last match wins.
TEST_F(AliasFileFault, FiveMegabyteFileWithAMegabyteLine) {
    std::string file = "L;*FIRSTLINE\r\n";
    file += "BIG;*BIGCMD;" + std::string(1 << 20, 'r') + "\r\n";
    int last = 0;
    for (; file.size() < 5u * 1000 * 1000; ++last)
        file += "A" + std::to_string(last) + ";*CMD" + std::to_string(last) + ";filler text of a realistic line\r\n";
    file += "L;*LASTLINE\r\n";
    dir_.Write(L"alias.dat", file);

    EXPECT_EQ(Send(L"l", 1).back(), "(command \"LASTLINE\" )");
    EXPECT_EQ(Send(L"big", 2).back(), "(command \"BIGCMD\" )");
    --last;
    EXPECT_EQ(Send(L"a" + std::to_wstring(last), 3).back(), "(command \"CMD" + std::to_string(last) + "\" )");
    EXPECT_EQ(Send(L"nothing", 4).back(), "(command \"NOTHING\" )");
}

// Bytes an editor or a damaged copy may leave: NUL, a lone CR, 8-bit letters
// of the system code page, more fields than a line is split into.
TEST_F(AliasFileFault, OddBytesInTheFileNeitherStopTheReadingNorLeakIntoCommands) {
    const std::string file = std::string("; comment with a NUL \0 inside\r\n", 31) +
                             std::string("N\0X;*NULALIAS\r\n", 15) +  // alias N<NUL>X, never typed
                             std::string("R;*REDRAW;remark \0 with NUL\r\n", 29) +
                             "L;*LINE\rC;*CIRCLE\r\n"                  // a lone CR ends a line
                             "\xF1;*\xD1" "AND\xDA\r\n"                // ñ;*ÑANDÚ in code page 1252
                             "\xE9T;*\xE9TAGE\n"                       // étage, a lone LF
                             "F;*FIELDS;1;2;3;4;5;6;7;8;9;10;11;12;13\r\n"
                             "G;*G1*2*3*4*5*6*7*8*9*10*11*12\r\n"
                             "LAST;*LAST";                             // no line end at all
    dir_.Write(L"alias.dat", file);

    struct Case {
        const wchar_t* typed;
        std::string line;
    };
    const Case cases[] = {
        {L"n", "(command \"N\" )"},
        {L"r", "(command \"REDRAW\" )"},
        {L"l", "(command \"LINE\" )"},
        {L"c", "(command \"CIRCLE\" )"},
        {L"ñ", "(command \"\xD1" "AND\xDA\" )"},
        {L"Ét", "(command \"\xC9TAGE\" )"},
        {L"last", "(command \"LAST\" )"},
    };
    size_t count = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.typed));
        EXPECT_EQ(Hex(Send(c.typed, ++count).back()), Hex(c.line));
        EXPECT_EQ(Hex(Bytes(L"var\\vuroview.var").value_or("")), Hex(c.line + "\r\n"));
    }
    EXPECT_EQ(window_->History().size(), std::size(cases));
}

}  // namespace
}  // namespace robustness
