// The desk of the end-to-end tests (a fresh AppDir, the CAD stand-in and
// copies of the command window on demand) with the checks every fault test
// ends with: what the user was told, what reached the CAD side, and what is
// left in AppDir.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "driver/desk_fixture.h"
#include "win32/services/handles.h"
#include "win32/services/win32_error.h"
#include "driver/keyboard.h"

namespace robustness {

using namespace e2e;

inline constexpr char kAliases[] = "L;*LINE\r\nC;*CIRCLE\r\n";

// A file held open by the test with no sharing, as another program may.
class LockedFile {
public:
    explicit LockedFile(const std::wstring& path, DWORD disposition = OPEN_EXISTING)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (!handle_.valid()) throw std::runtime_error("cannot lock " + Narrow(path) + ": " + LastError());
    }
    void Release() { handle_.Reset(); }

private:
    zantoli::win32::UniqueFile handle_;
};

class FaultTest : public DeskTest {
protected:
    FaultTest() : DeskTest(L"AppDir", robustness::kAliases) {}

    // The path as the program names it in its messages.
    std::string PathOf(const std::wstring& name) const { return Narrow(dir_.File(name)); }

    // Waits for a message box of the command window, checks its exact
    // prompt and presses OK.
    void AnswerBox(const std::wstring& title, const std::string& prompt, size_t copy = 0) {
        AnswerBoxOneOf(title, {prompt}, copy);
    }
    // Where systems word the same refusal differently.
    void AnswerBoxOneOf(const std::wstring& title, const std::vector<std::string>& prompts, size_t copy = 0) {
        HWND box = WaitMessageBox(title, zantoli(copy).id(), kStepTimeout);
        const std::string got = Narrow(MessageBoxPrompt(box));
        std::string wanted;
        for (const auto& prompt : prompts) wanted += "\n  \"" + prompt + "\"";
        EXPECT_NE(std::find(prompts.begin(), prompts.end(), got), prompts.end())
            << "prompt of the box \"" << Narrow(title) << "\": \"" << got << "\"; expected one of:" << wanted;
        ClickOk(box);
    }

    // The standard wording of a failed file operation.
    std::string FileFailure(const char* operation, const std::wstring& name, DWORD error) const {
        return std::string("No se ha podido ") + operation + " el archivo " + PathOf(name) + ":\n" +
               zantoli::win32::Win32ErrorText(error);
    }

    // After a refused or failed Enter: the window runs on, its input box
    // again holds what was typed, and history and last command are as before.
    void ExpectUntouched(const CommandWindow& window, const std::wstring& typed, const Entries& history,
                         const std::wstring& last) {
        EXPECT_TRUE(zantoli().Running()) << "expected the command window to keep running";
        EXPECT_TRUE(WaitUntil([&] { return window.InputText() == typed; }, kStepTimeout))
            << "expected the input box to hold \"" << Narrow(typed) << "\" again; got \""
            << Narrow(window.InputText()) << "\"";
        EXPECT_EQ(window.History(), history);
        EXPECT_EQ(window.DropDown(), history);
        EXPECT_EQ(window.LastCommand(), last);
    }

    // Enter on what the input box already holds, as after fixing a file.
    void PressEnterAgain(const CommandWindow& window) {
        window.Focus();
        PressKey(VK_RETURN);
    }

    std::optional<std::string> Bytes(const std::wstring& name) const { return FileBytes(dir_.File(name)); }

    // Files a failed replace might leave behind.
    std::vector<std::string> Leftovers() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
            const std::wstring name = entry.path().filename().wstring();
            if (name.size() > 4 && name.compare(name.size() - 4, 4, L".tmp") == 0) found.push_back(Narrow(name));
        }
        return found;
    }

    int TwipsPerPixel() const {
        const zantoli::win32::WindowDC screen(nullptr);
        return 1440 / GetDeviceCaps(screen.get(), LOGPIXELSY);
    }
};

}  // namespace robustness
