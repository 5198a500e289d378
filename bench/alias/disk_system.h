// A System over the real file system of the machine running the
// benchmark, with no desktop: the files part is complete, the upper-casing
// is the Windows-1252 one, and every desktop operation refuses to run.
#pragma once

#include <string>
#include <utility>

#include "system/system.h"

namespace zantoli::bench {

class DiskSystem : public System {
public:
    // `appDir` in the native form; the program's paths use backslashes,
    // which are turned into the native separator.
    explicit DiskSystem(std::string appDir) : appDir_(std::move(appDir)) {}

    std::string AppDir() const override { return appDir_; }

    bool FileExists(const std::string& path) const override;
    void ReadLines(const std::string& path, const LineSink& sink) const override;
    void WriteFile(const std::string& path, std::string_view bytes) override;
    void ReplaceContents(const std::string& path, std::string_view bytes) override;
    void Kill(const std::string& path) override;

    std::string UCase(const std::string& text) const override;

    int MsgBox(const std::string& prompt, const std::string& title, int style) override;
    Activation AppActivate(const std::string& title, bool wait) override;
    bool SendKeys(const std::string& keys) override;
    bool OwnsForeground(WindowHandle window) const override;
    void DoEvents() override;
    [[noreturn]] void End(int exitCode) override;
    float ScreenWidth() const override;
    float ScreenHeight() const override;
    float VirtualScreenRight() const override;
    float VirtualScreenBottom() const override;
    bool OnAnyMonitor(float left, float top, float width, float height) const override;
    long SetWindowPos(WindowHandle hWnd, WindowHandle insertAfter, int x, int y, int cx, int cy,
                      unsigned flags) override;

private:
    std::string appDir_;
    // Kept between reads so that a large file does not cost an allocation
    // every time it is read.
    mutable std::string contents_;
};

}  // namespace zantoli::bench
