// A fresh AppDir with zantoli.exe, an alias file and a var folder; the CAD
// stand-in beside it; the command window started on demand. Whatever a test
// leaves running is killed when the fixture goes.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "driver/app_dir.h"
#include "driver/child_process.h"
#include "driver/desktop.h"
#include "driver/session.h"
#include "driver/text.h"

namespace e2e {

inline constexpr char kAliases[] =
    "; drawing commands\r\n"
    "L;*LINE\r\n"
    "C;      *CIRCLE\r\n"
    "MM;*MENU\r\n";

class DeskTest : public ::testing::Test {
protected:
    explicit DeskTest(const std::wstring& folderName = L"AppDir") : dir_(folderName) {}

    void SetUp() override {
        SetProcessDPIAware();
        dir_.CopyIn(HostPath(ZANTOLI_EXE), L"zantoli.exe");
        dir_.Write(L"alias.dat", kAliases);
    }

    void TearDown() override {
        zantoli_.Kill();
        cad_.reset();
        // A command window the launcher started before the test could take charge of it.
        for (HWND hwnd : VisibleTopWindows(0)) {
            DWORD pid = 0;
            if (TitleOf(hwnd) == kCommandCaption && GetWindowThreadProcessId(hwnd, &pid))
                ChildProcess::Adopt(pid).Kill();
        }
    }

    void StartCad() {
        cad_ = std::make_unique<CadStandin>(HostPath(STANDIN_EXE), dir_.path(), dir_.root() + L"\\cad.log");
    }

    CommandWindow StartZantoli() {
        zantoli_ = ChildProcess::Start(dir_.File(L"zantoli.exe"), {}, dir_.path());
        return CommandWindow::Find(zantoli_.id());
    }

    // What the last dispatch left for the CAD side, byte for byte.
    std::string ExchangeBytes() const { return ReadBytes(dir_.File(L"var\\vuroview.var")).value_or("(missing)"); }

    // The input box is cleared last in the handling of Enter, after the dispatch.
    void WaitInputCleared(const CommandWindow& window) {
        ASSERT_TRUE(WaitUntil([&] { return window.InputText().empty(); }, kStepTimeout))
            << "expected the input box empty after Enter; got \"" << Narrow(window.InputText()) << "\"";
    }

    void ExpectExited(const char* why) {
        ASSERT_TRUE(zantoli_.WaitExit(kStepTimeout)) << "expected zantoli.exe to end " << why << "; it still runs";
    }

    TempAppDir dir_;
    std::unique_ptr<CadStandin> cad_;
    ChildProcess zantoli_;
};

}  // namespace e2e
