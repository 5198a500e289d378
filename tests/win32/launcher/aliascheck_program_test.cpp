// aliascheck.exe as the operator runs it: from its own folder, its report
// read through a pipe. What it says of a file it cannot read is the unit
// test's; the real read failure is the files test's.
#include <gtest/gtest.h>

#include <string>

#include "launcher_folder.h"
#include "win32/services/handles.h"

namespace zantoli::testing {
namespace {

struct Result {
    DWORD status = 259;
    std::string out, err;
};

using win32::UniqueKernelHandle;

// A pipe whose write end the child inherits.
struct Pipe {
    Pipe() {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE r = nullptr, w = nullptr;
        if (!CreatePipe(&r, &w, &inherit, 0)) return;
        read.Reset(r);
        write.Reset(w);
        SetHandleInformation(r, HANDLE_FLAG_INHERIT, 0);
    }
    UniqueKernelHandle read, write;
};

Result RunAliasCheck(const LauncherFolder& folder, const std::wstring& arguments) {
    Result result;
    Pipe out, err;
    if (!out.read.valid() || !err.read.valid()) {
        ADD_FAILURE() << "no pipe";
        return result;
    }
    const std::wstring program = folder / L"aliascheck.exe";
    std::wstring commandLine = L"\"" + program + L"\"" + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out.write.get();
    startup.hStdError = err.write.get();
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, folder.path().c_str(), &startup,
                                        &process);
    out.write.Reset();
    err.write.Reset();
    if (!started) {
        ADD_FAILURE() << "aliascheck.exe did not start: " << GetLastError();
        return result;
    }
    const UniqueKernelHandle child(process.hProcess), thread(process.hThread);
    // Outputs are small enough for the pipes' buffers.
    WaitForSingleObject(child.get(), 20000);
    GetExitCodeProcess(child.get(), &result.status);
    result.out = test_support::ReadToEnd(out.read.get());
    result.err = test_support::ReadToEnd(err.read.get());
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

}  // namespace
}  // namespace zantoli::testing
