#include "launcher/module1.h"

#include <string>

#include "system/app_files.h"

namespace zantoli::Module1 {

namespace {

// Waits for the window of a Zantoli whose marker exists. False when none
// shows within kWindowWaitMs: the marker was left behind by a Zantoli that
// did not close normally.
bool ActivateRunning(LauncherSystem& sys) {
    if (sys.AppActivate(kCaption, false)) return true;
    const std::uint64_t start = sys.TickCount();
    while (sys.TickCount() - start < kWindowWaitMs) {
        sys.Sleep(kPollMs);
        if (sys.AppActivate(kCaption, false)) return true;
    }
    return false;
}

}  // namespace

int Main(LauncherSystem& sys) {
    try {
        const std::string appDir = sys.AppDir();
        const bool markerPresent = !sys.Dir(appDir + app_files::kMarker, 0).empty();
        if (markerPresent && ActivateRunning(sys)) return 0;
        // No marker, or one left behind: a new Zantoli writes it anew.
        sys.Shell(appDir + app_files::kProgram, kShowNormal);
        return 0;
    } catch (...) {
        sys.MsgBox(kFailurePrompt, kFailureTitle, kFailureStyle);
        return 1;
    }
}

}  // namespace zantoli::Module1
