// pellix.exe: brings the running command window to the front, or starts
// zantoli.exe from the same folder. It has no window of its own.
#include <windows.h>

#include "launcher/module1.h"
#include "win32/pellix/win32_launcher_system.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    zantoli::win32::Win32LauncherSystem sys;
    return zantoli::Module1::Main(sys);
}
