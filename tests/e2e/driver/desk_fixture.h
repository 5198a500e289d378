// A fresh AppDir with zantoli.exe, an alias file and a var folder; the CAD
// stand-in beside it; copies of the command window started on demand.
// Whatever a test leaves running is killed when the fixture goes. Shared by
// the end-to-end and the fault tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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

using Lines = std::vector<std::string>;
using Entries = std::vector<std::wstring>;

class DeskTest : public ::testing::Test {
protected:
    explicit DeskTest(const std::wstring& folderName = L"AppDir", std::string aliases = kAliases)
        : dir_(folderName), aliases_(std::move(aliases)) {}

    void SetUp() override {
        SetProcessDPIAware();
        dir_.CopyIn(ProgramPath(L"zantoli.exe"), L"zantoli.exe");
        dir_.Write(L"alias.dat", aliases_);
        // The key that brings the command window is system-wide: off, unless
        // a test is about it, so that two copies started here say nothing.
        if (!withShowKey_) dir_.Write(L"opciones.ini", "tecla=no\r\n");
    }

    void TearDown() override {
        for (auto& copy : zantoli_) copy.Kill();
        cad_.reset();
        // A command window the launcher started before the test could take charge of it.
        for (HWND hwnd : VisibleTopWindows(0)) {
            DWORD pid = 0;
            if (WindowTitle(hwnd) == kCommandCaption && GetWindowThreadProcessId(hwnd, &pid))
                ChildProcess::Adopt(pid).Kill();
        }
    }

    void StartCad() {
        cad_ = std::make_unique<CadStandin>(ProgramPath(L"cad-standin.exe"), dir_.path(), dir_.root() + L"\\cad.log");
    }

    // Starts one more copy of the command window, directly, as a user may.
    CommandWindow StartZantoli() {
        zantoli_.push_back(ChildProcess::Start(dir_.File(L"zantoli.exe"), {}, dir_.path()));
        return CommandWindow::Find(zantoli_.back().id());
    }
    ChildProcess& zantoli(size_t copy = 0) { return zantoli_.at(copy); }

    // What the last dispatch left for the CAD side, byte for byte.
    std::string ExchangeBytes() const { return FileBytes(dir_.File(L"var\\vuroview.var")).value_or("(missing)"); }

    // The input box is cleared last in the handling of Enter, after the dispatch.
    void WaitInputCleared(const CommandWindow& window) {
        ASSERT_TRUE(WaitUntil([&] { return window.InputText().empty(); }, kStepTimeout))
            << "expected the input box empty after Enter; got \"" << Narrow(window.InputText()) << "\"";
    }

    void ExpectExited(const char* why, size_t copy = 0) {
        ASSERT_TRUE(zantoli(copy).WaitExit(kStepTimeout)) << "expected zantoli.exe to end " << why << "; it still runs";
    }

    TempAppDir dir_;
    std::string aliases_;
    bool withShowKey_ = false;
    std::unique_ptr<CadStandin> cad_;
    std::vector<ChildProcess> zantoli_;
};

// `Desk` with the CAD stand-in running and one command window started
// beside it, ready for typed commands.
template <class Desk>
class AtCad : public Desk {
protected:
    using Desk::Desk;

    void SetUp() override {
        Desk::SetUp();
        this->StartCad();
        window_.emplace(this->StartZantoli());
    }

    // Types `text`, presses Enter, and waits for the CAD side to receive its `count`th expression.
    Lines Send(const std::wstring& text, size_t count) {
        window_->Enter(text);
        Lines received = this->cad_->WaitReceived(count);
        this->WaitInputCleared(*window_);
        return received;
    }

    std::optional<CommandWindow> window_;
};

}  // namespace e2e
