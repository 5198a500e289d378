// zantoli-demo-driver: one user action per run, for scripts/run.sh.
//   wait-window TITLE [SECONDS]   wait until a window with that title shows
//   wait-gone TITLE [SECONDS]     wait until no window with that title shows
//   enter TEXT                    bring "Linea de comando" to the front, type TEXT, press Enter
//   type TEXT                     the same without Enter (the suggestions show)
//   wait-box TITLE                wait for a message box, print its prompt
//   ok TITLE                      press OK in the message box with that title
//   history                       print the history of "Linea de comando"
//   close                         press the close button of "Linea de comando"
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "driver/desktop.h"
#include "driver/keyboard.h"
#include "driver/session.h"
#include "driver/text.h"

namespace {

using namespace e2e;

int Usage() {
    std::fputs("usage: zantoli-demo-driver wait-window|wait-gone TITLE [SECONDS] | enter TEXT | type TEXT | wait-box TITLE | ok TITLE | "
               "history | close\n",
               stderr);
    return 2;
}

int Run(const std::vector<std::wstring>& args) {
    if (args.size() < 1) return Usage();
    const std::wstring& action = args[0];
    if (action == L"history" && args.size() == 1) {
        for (const auto& entry : CommandWindow::Find(0).History()) std::printf("%s\n", Narrow(entry).c_str());
        return 0;
    }
    if (action == L"close" && args.size() == 1) {
        CommandWindow::Find(0).PressCloseButton();
        return 0;
    }
    if (args.size() < 2) return Usage();
    const Millis timeout = args.size() > 2 ? Millis(std::stoi(args[2]) * 1000) : kStartTimeout;
    if (action == L"wait-window") {
        WaitTopWindow(args[1], 0, timeout);
        return 0;
    }
    if (action == L"wait-gone") {
        if (WaitUntil([&] { return FindTopWindow(args[1], 0) == nullptr; }, timeout)) return 0;
        std::fprintf(stderr, "\"%s\" still shows\n", Narrow(args[1]).c_str());
        return 1;
    }
    if (action == L"enter") {
        CommandWindow::Find(0).Enter(args[1]);
        return 0;
    }
    if (action == L"type") {
        CommandWindow::Find(0).Focus();
        TypeText(args[1]);
        return 0;
    }
    if (action == L"wait-box") {
        std::printf("%s\n", Narrow(MessageBoxPrompt(WaitMessageBox(args[1], 0, kStepTimeout))).c_str());
        return 0;
    }
    if (action == L"ok") {
        ClickOk(WaitMessageBox(args[1], 0, kStepTimeout));
        return 0;
    }
    return Usage();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    SetProcessDPIAware();
    try {
        return Run(std::vector<std::wstring>(argv + 1, argv + argc));
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "zantoli-demo-driver: %s\n", failure.what());
        return 1;
    }
}
