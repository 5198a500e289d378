// pellix.exe end to end: copied with a stand-in zantoli.exe into a fresh
// folder and run there, with this test's own windows as the command window.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "launcher_folder.h"
#include "support/window_helpers.h"

namespace zantoli::testing {
namespace {

const char* const kFailurePrompt = "No se ha podido ejecutar la linea de comando";

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    return DefWindowProcW(window, message, w, l);
}

HWND OpenWindow(const wchar_t* title, int show) {
    static const wchar_t* const kClass = L"PellixTestWindow";
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PlainWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kClass;
        registered = RegisterClassW(&wc) != 0;
    }
    HWND window = CreateWindowExW(0, kClass, title, WS_OVERLAPPEDWINDOW, 100, 100, 320, 120,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, show);
    return window;
}

using test_support::ForceForeground;
using test_support::Pump;
using test_support::PumpUntil;
using test_support::TextOf;

struct MessageBoxSeen {
    std::string caption, prompt;
    int buttons;
};

struct BoxSearch {
    DWORD process;
    HWND box;
};

BOOL CALLBACK FindBoxOf(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t cls[16] = L"";
    GetClassNameW(window, cls, 16);
    if (process == search->process && std::wstring(cls) == L"#32770" && IsWindowVisible(window)) {
        search->box = window;
        return FALSE;
    }
    return TRUE;
}

// Reads a message box of `process`, if one is open, and closes it with its
// button.
bool AnswerMessageBox(DWORD process, std::vector<MessageBoxSeen>& seen) {
    BoxSearch search{process, nullptr};
    EnumWindows(FindBoxOf, reinterpret_cast<LPARAM>(&search));
    if (search.box == nullptr) return false;
    MessageBoxSeen box{Utf8(TextOf(search.box)), Utf8(TextOf(GetDlgItem(search.box, 0xFFFF))), 0};
    HWND button = nullptr;
    HWND first = nullptr;
    while ((button = FindWindowExW(search.box, button, L"Button", nullptr)) != nullptr) {
        if (first == nullptr) first = button;
        ++box.buttons;
    }
    seen.push_back(box);
    if (first != nullptr) SendMessageW(first, BM_CLICK, 0, 0);
    return true;
}

class PellixProgram : public ::testing::Test {
protected:
    struct Outcome {
        DWORD exitCode = 259;
        ULONGLONG elapsedMs = 0;
        std::vector<MessageBoxSeen> messages;
    };

    void SetUp() override {
        ASSERT_TRUE(folder.Copy(ExeFolder() + L"\\pellix.exe", L"pellix.exe"));
        ASSERT_TRUE(folder.Copy(ExeFolder() + L"\\launcher_standin.exe", L"zantoli.exe"));
        // Something else holds the foreground when the operator starts Pellix.
        other = OpenWindow(L"Otra ventana", SW_SHOW);
        ForceForeground(other, 1000);
    }

    void TearDown() override {
        for (HWND w : {other, commandWindow})
            if (w != nullptr) DestroyWindow(w);
        Pump(50);
    }

    // Runs pellix.exe to its end, answering its messages; `meanwhile` is
    // called with the time since the start while it runs.
    Outcome RunPellix(const std::function<void(ULONGLONG)>& meanwhile = {}) {
        Outcome outcome;
        const std::wstring program = folder / L"pellix.exe";
        std::wstring commandLine = L"\"" + program + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        const ULONGLONG start = GetTickCount64();
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                            nullptr, folder.path().c_str(), &startup, &process)) {
            ADD_FAILURE() << "pellix.exe did not start: " << GetLastError();
            return outcome;
        }
        CloseHandle(process.hThread);
        while (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
            const ULONGLONG elapsed = GetTickCount64() - start;
            if (elapsed > 20000) {
                TerminateProcess(process.hProcess, 99);
                ADD_FAILURE() << "pellix.exe did not end";
                break;
            }
            if (meanwhile) meanwhile(elapsed);
            AnswerMessageBox(process.dwProcessId, outcome.messages);
            Pump(20);
        }
        outcome.elapsedMs = GetTickCount64() - start;
        GetExitCodeProcess(process.hProcess, &outcome.exitCode);
        CloseHandle(process.hProcess);
        return outcome;
    }

    // The starts the stand-in recorded, once they have had time to happen.
    std::string Started(bool expectOne) {
        if (expectOne) {
            for (int i = 0; i < 200 && folder.Read(L"started.log").empty(); ++i) Sleep(25);
        }
        Sleep(500);  // a second start, if any, has landed by now
        return folder.Read(L"started.log");
    }

    std::string OneStartLine() { return "\"" + Utf8(folder / L"zantoli.exe") + "\"|1|1\r\n"; }

    bool CommandWindowInFront() {
        PumpUntil([this] {
            return GetForegroundWindow() == commandWindow && !IsIconic(commandWindow);
        }, 1500);
        return GetForegroundWindow() == commandWindow && !IsIconic(commandWindow);
    }

    LauncherFolder folder;
    HWND other = nullptr;
    HWND commandWindow = nullptr;
};

TEST_F(PellixProgram, WithoutMarkerStartsOneZantoliNormalWithoutArgumentsAndEnds) {
    const Outcome run = RunPellix();
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.messages.empty());
    EXPECT_LT(run.elapsedMs, 1900u) << "no marker: nothing to wait for";
    EXPECT_EQ(Started(true), OneStartLine());
}

TEST_F(PellixProgram, MarkerAndMinimisedWindowBringsItBackAndStartsNothing) {
    ASSERT_TRUE(folder.Write(L"zantoli.000", ":P\r\n"));
    commandWindow = OpenWindow(L"Linea de comando", SW_SHOWMINNOACTIVE);
    const Outcome run = RunPellix();
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.messages.empty());
    EXPECT_TRUE(CommandWindowInFront()) << "foreground " << GetForegroundWindow();
    EXPECT_EQ(Started(false), "");
    EXPECT_EQ(folder.Read(L"zantoli.000"), ":P\r\n");
}

TEST_F(PellixProgram, EmptyMarkerCountsAsPresent) {
    ASSERT_TRUE(folder.Write(L"zantoli.000", ""));
    commandWindow = OpenWindow(L"Linea de comando", SW_SHOWNOACTIVATE);
    const Outcome run = RunPellix();
    EXPECT_TRUE(run.messages.empty());
    EXPECT_TRUE(CommandWindowInFront());
    EXPECT_EQ(Started(false), "");
}

TEST_F(PellixProgram, HiddenMarkerDoesNotCountAndZantoliIsStarted) {
    ASSERT_TRUE(folder.Write(L"zantoli.000", ":P\r\n", FILE_ATTRIBUTE_HIDDEN));
    commandWindow = OpenWindow(L"Linea de comando", SW_SHOWNOACTIVATE);
    const Outcome run = RunPellix();
    EXPECT_TRUE(run.messages.empty());
    EXPECT_EQ(Started(true), OneStartLine());
}

TEST_F(PellixProgram, MarkerLeftBehindStartsZantoliAfterTheWait) {
    ASSERT_TRUE(folder.Write(L"zantoli.000", ":P\r\n"));
    const Outcome run = RunPellix();
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.messages.empty());
    EXPECT_GE(run.elapsedMs, 1900u);
    EXPECT_EQ(Started(true), OneStartLine());
}

TEST_F(PellixProgram, WindowShowingDuringTheWaitIsActivatedInstead) {
    ASSERT_TRUE(folder.Write(L"zantoli.000", ":P\r\n"));
    const Outcome run = RunPellix([this](ULONGLONG elapsed) {
        if (elapsed >= 600 && commandWindow == nullptr)
            commandWindow = OpenWindow(L"Linea de comando", SW_SHOWNOACTIVATE);
    });
    EXPECT_TRUE(run.messages.empty());
    EXPECT_LT(run.elapsedMs, 1900u);
    EXPECT_TRUE(CommandWindowInFront());
    EXPECT_EQ(Started(false), "");
}

TEST_F(PellixProgram, MissingZantoliGivesTheMessage) {
    for (bool marker : {false, true}) {
        SCOPED_TRACE(marker ? "marker left behind" : "no marker");
        ASSERT_TRUE(DeleteFileW((folder / L"zantoli.exe").c_str()) || marker);
        if (marker) {
            ASSERT_TRUE(folder.Write(L"zantoli.000", ":P\r\n"));
        }
        const Outcome run = RunPellix();
        EXPECT_EQ(run.exitCode, 1u) << "a failure is not a success";
        ASSERT_EQ(run.messages.size(), 1u);
        EXPECT_EQ(run.messages[0].caption, "ERROR");
        EXPECT_EQ(run.messages[0].prompt, kFailurePrompt);
        EXPECT_EQ(run.messages[0].buttons, 1);
        EXPECT_EQ(Started(false), "");
    }
}


// With the real zantoli.exe: one command window however often Pellix runs,
// and a marker left behind no longer keeps it from opening.
class PellixWithZantoli : public PellixProgram {
protected:
    void SetUp() override {
        if (GetFileAttributesW((ExeFolder() + L"\\zantoli.exe").c_str()) == INVALID_FILE_ATTRIBUTES)
            GTEST_SKIP() << "zantoli.exe is not built";
        PellixProgram::SetUp();
        ASSERT_TRUE(folder.Copy(ExeFolder() + L"\\zantoli.exe", L"zantoli.exe"));
        ASSERT_TRUE(folder.Copy(ExeFolder() + L"\\shipped-alias.dat", L"alias.dat"));
        ASSERT_TRUE(CreateDirectoryW((folder / L"var").c_str(), nullptr));
    }

    void TearDown() override {
        for (HWND w : ZantoliWindows()) CloseZantoli(w);
        PellixProgram::TearDown();
    }

    static BOOL CALLBACK Collect(HWND window, LPARAM param) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != GetCurrentProcessId() && IsWindowVisible(window) &&
            TextOf(window) == L"Linea de comando")
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
    }

    static std::vector<HWND> ZantoliWindows() {
        std::vector<HWND> windows;
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
        return windows;
    }

    HWND WaitForZantoli() {
        PumpUntil([] { return !ZantoliWindows().empty(); }, 15000);
        const std::vector<HWND> windows = ZantoliWindows();
        return windows.empty() ? nullptr : windows.front();
    }

    // Closes the window as the user does and waits for the program to end.
    static void CloseZantoli(HWND window) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
        PostMessageW(window, WM_CLOSE, 0, 0);
        if (process != nullptr) {
            WaitForSingleObject(process, 10000);
            CloseHandle(process);
        }
    }
};

TEST_F(PellixWithZantoli, SecondStartBringsTheSameWindowForward) {
    RunPellix();
    const HWND zantoli = WaitForZantoli();
    ASSERT_NE(zantoli, nullptr);
    EXPECT_EQ(folder.Read(L"zantoli.000"), ":P\r\n");

    ForceForeground(other, 1000);
    ASSERT_EQ(GetForegroundWindow(), other);
    const Outcome again = RunPellix();
    EXPECT_TRUE(again.messages.empty());
    PumpUntil([zantoli] { return GetForegroundWindow() == zantoli; }, 1500);
    EXPECT_EQ(GetForegroundWindow(), zantoli);
    Pump(1000);
    EXPECT_EQ(ZantoliWindows().size(), 1u);

    CloseZantoli(zantoli);
    EXPECT_FALSE(folder.Exists(L"zantoli.000"));
}

TEST_F(PellixWithZantoli, MarkerLeftBehindStillOpensTheCommandWindow) {
    ASSERT_TRUE(folder.Write(L"zantoli.000", ":P\r\n"));
    const Outcome run = RunPellix();
    EXPECT_TRUE(run.messages.empty());
    EXPECT_GE(run.elapsedMs, 1900u);
    const HWND zantoli = WaitForZantoli();
    ASSERT_NE(zantoli, nullptr);
    EXPECT_EQ(ZantoliWindows().size(), 1u);
}

}  // namespace
}  // namespace zantoli::testing
