// zantoli.exe: the command window "Linea de comando".
#include <windows.h>

#include <chrono>

#include "form1/form1.h"
#include "window/saved_placement.h"
#include "window/show_key.h"
#include "window/splash.h"
#include "win32/forms/main_window.h"
#include "win32/forms/splash_window.h"
#include "win32/services/event_boundary.h"
#include "win32/services/show_key.h"
#include "win32/services/win32_system.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace zantoli;
    using namespace zantoli::win32;

    const auto sys = CreateWin32System();
    // Both outlive the window that shows them.
    Suggestions suggestions(*sys);
    History history(*sys, [] {
        return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    });
    MainWindow mainWindow(instance);
    SplashWindow splashWindow(instance);
    Form1 form1(*sys, mainWindow.form(), mainWindow.texto(), mainWindow.lista(),
                mainWindow.ultimo(), splashWindow.form());
    Splash splash(*sys, splashWindow.form(), mainWindow.form());

    RunEventHandler(*sys, [&] {
        // Created where the saved placement will put it, so that it has the
        // DPI of that monitor from the start and the title window shows there.
        mainWindow.Create(form1, *sys, ReadSavedPlacement(*sys));
        sys->SetMainWindow(mainWindow.form().hWnd());
        splashWindow.Create(splash, *sys, mainWindow.hwnd());
    });
    RunEventHandler(*sys, [&] { form1.Form_Load(); });
    // Showing activates the window, and the activation puts the focus into texto.
    mainWindow.form().Show();
    RunEventHandler(*sys, [&] {
        const Options options =
            StartShowKey(*sys, [&](const Hotkey& hotkey) { return RegisterShowKey(mainWindow.hwnd(), hotkey); });
        history.Start(options.history);
        // Written once the CAD window has taken the command, and at the end.
        form1.commandSent = [&](const std::string& entry) {
            history.Record(entry);
            mainWindow.RunAfterCommand([&history] { history.Save(); });
        };
        sys->AtEnd([&history] { history.Save(); });
        if (options.suggestions) mainWindow.ShowSuggestions(suggestions, history);
    });

    // No IsDialogMessage: Enter must reach texto's edit as a character.
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (mainWindow.PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    history.Save();
    return static_cast<int>(msg.wParam);
}
