// The real services of Pellix, on the wide Win32 APIs.
#pragma once

#include "launcher/launcher_system.h"

namespace zantoli::win32 {

class Win32LauncherSystem : public LauncherSystem {
public:
    std::string AppDir() const override;
    std::string Dir(const std::string& path, int attributes) const override;
    // Pellix has no window of its own, so there is never anything to wait
    // for: `wait` is accepted and has no effect.
    bool AppActivate(const std::string& title, bool wait) override;
    void Shell(const std::string& path, int style) override;
    int MsgBox(const std::string& prompt, const std::string& title, int style) override;
    std::uint64_t TickCount() const override;
    void Sleep(unsigned milliseconds) override;
};

}  // namespace zantoli::win32
