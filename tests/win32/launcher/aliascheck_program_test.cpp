// aliascheck.exe as the operator runs it: from its own folder, its report
// read through a pipe.
#include <gtest/gtest.h>

#include <string>

#include "launcher_folder.h"

namespace zantoli::testing {
namespace {

struct Result {
    DWORD status = 259;
    std::string out, err;
};

std::string Drain(HANDLE read) {
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

Result RunAliasCheck(const LauncherFolder& folder, const std::wstring& arguments) {
    Result result;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0) || !CreatePipe(&errRead, &errWrite, &inherit, 0)) {
        ADD_FAILURE() << "no pipe";
        return result;
    }
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    const std::wstring program = folder / L"aliascheck.exe";
    std::wstring commandLine = L"\"" + program + L"\"" + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, folder.path().c_str(), &startup,
                                        &process);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (started) {
        // Outputs are small enough for the pipes' buffers.
        WaitForSingleObject(process.hProcess, 20000);
        GetExitCodeProcess(process.hProcess, &result.status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        result.out = Drain(outRead);
        result.err = Drain(errRead);
    } else {
        ADD_FAILURE() << "aliascheck.exe did not start: " << GetLastError();
    }
    CloseHandle(outRead);
    CloseHandle(errRead);
    return result;
}

class AliasCheckProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.Copy(ExeFolder() + L"\\aliascheck.exe", L"aliascheck.exe"));
    }
    LauncherFolder folder;
};

TEST_F(AliasCheckProgram, ChecksTheAliasFileBesideItAndEndsWithZeroWhenClean) {
    ASSERT_TRUE(folder.Write(L"alias.dat", "; Dibujo\r\nL;      *LINE\r\n\r\nC;*CIRCLE\r\n"));
    const Result run = RunAliasCheck(folder, L"");
    EXPECT_EQ(run.status, 0u);
    EXPECT_EQ(run.out, "Archivo de alias: " + Utf8(folder / L"alias.dat") + "\nSin avisos.\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(AliasCheckProgram, ReportsInUtf8WithAliasesFromTheAnsiCodePage) {
    // "año" in Windows-1252, the code page of the alias file.
    ASSERT_TRUE(folder.Write(L"otro.dat", "a\xF1o;*LINE\r\nA\xD1O;*ARC\r\n"));
    const Result run = RunAliasCheck(folder, L" otro.dat");
    EXPECT_EQ(run.status, 1u);
    EXPECT_EQ(run.out,
              "Archivo de alias: otro.dat\n"
              "l\xC3\xADnea 1: el alias \xC2\xAB" "A\xC3\x91O\xC2\xBB no se usa nunca: la "
              "l\xC3\xADnea 2 lo repite y es la que vale (comando \xC2\xAB" "ARC\xC2\xBB).\n"
              "1 aviso.\n");
}

TEST_F(AliasCheckProgram, MissingFileEndsWithTwoAndNamesIt) {
    const Result run = RunAliasCheck(folder, L"");
    EXPECT_EQ(run.status, 2u);
    EXPECT_EQ(run.out, "");
    const std::string expected =
        "No se ha podido leer el archivo " + Utf8(folder / L"alias.dat") + ":\n";
    EXPECT_EQ(run.err.compare(0, expected.size(), expected), 0) << run.err;
    EXPECT_GT(run.err.size(), expected.size() + 1) << "the system's reason follows";
}

}  // namespace
}  // namespace zantoli::testing
