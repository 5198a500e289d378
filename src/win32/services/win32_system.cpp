#include "win32/services/win32_system.h"

#include <windows.h>

#include <utility>

#include "win32/services/activation.h"
#include "win32/services/app_dir.h"
#include "win32/services/encoding.h"
#include "win32/services/files.h"
#include "win32/services/message_waits.h"
#include "win32/services/screen.h"
#include "win32/services/send_keys.h"
#include "win32/services/show_key.h"
#include "win32/services/type_ahead.h"
#include "win32/services/win32_error.h"

namespace zantoli::win32 {

namespace {

HWND ToHwnd(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }

class RealSystem final : public Win32System {
public:
    void SetMainWindow(WindowHandle hWnd) override { mainWindow_ = hWnd; }
    WindowHandle MainWindow() const override { return mainWindow_; }
    void AtEnd(std::function<void()> last) override { atEnd_ = std::move(last); }

    std::string AppDir() const override { return win32::AppDir(); }

    bool FileExists(const std::string& path) const override { return win32::FileExists(path); }
    std::optional<FileStamp> StampOf(const std::string& path) const override { return FileStampOf(path); }
    void ReadLines(const std::string& path, const LineSink& sink) const override {
        ReadFileLines(path, sink);
    }
    void WriteFile(const std::string& path, std::string_view bytes) override {
        WriteWholeFile(path, bytes);
    }
    void ReplaceContents(const std::string& path, std::string_view bytes) override {
        ReplaceWholeFile(path, bytes);
    }
    void Kill(const std::string& path) override { RemoveFile(path); }
    void Rename(const std::string& from, const std::string& to) override { RenameFile(from, to); }

    int MsgBox(const std::string& prompt, const std::string& title, int style) override {
        // Keys typed ahead are the input line's, not the box's: an Enter
        // among them would close it unread.
        type_ahead::TakeQueuedKeys();
        return MessageBoxW(LiveMainWindow(), Utf8ToWide(prompt).c_str(),
                           Utf8ToWide(title).c_str(), static_cast<UINT>(style));
    }

    Activation AppActivate(const std::string& title, bool wait) override {
        return ActivateForKeys(title, wait ? LiveMainWindow() : nullptr, activated_);
    }

    bool ActivatedWindowInFront() const override {
        return activated_ != nullptr && GetForegroundWindow() == activated_;
    }

    bool SendKeys(const std::string& keys) override { return SendKeyString(keys); }

    bool OwnsForeground(WindowHandle window) const override {
        return win32::OwnsForeground(ToHwnd(window));
    }

    void DoEvents() override { PumpPendingMessages(); }

    // Every end goes through here: the key the operator brings the window
    // with is given back to the system first.
    [[noreturn]] void End(int exitCode) override {
        if (auto last = std::exchange(atEnd_, nullptr)) last();
        if (const HWND main = LiveMainWindow()) UnregisterShowKey(main);
        ExitProcess(static_cast<UINT>(exitCode));
    }

    std::string UCase(const std::string& text) const override {
        std::string upper = text;
        if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
        return upper;
    }

    float ScreenWidth() const override { return ScreenWidthTwips(); }
    float ScreenHeight() const override { return ScreenHeightTwips(); }
    float VirtualScreenRight() const override { return VirtualScreenRightTwips(); }
    float VirtualScreenBottom() const override { return VirtualScreenBottomTwips(); }
    std::vector<ScreenArea> WorkAreas() const override { return WorkAreasTwips(); }

    void MakeTopmost(WindowHandle hWnd) override {
        SetWindowPos(ToHwnd(hWnd), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }

private:
    HWND LiveMainWindow() const {
        const HWND main = ToHwnd(mainWindow_);
        return main != nullptr && IsWindow(main) ? main : nullptr;
    }

    WindowHandle mainWindow_ = 0;
    std::function<void()> atEnd_;
    HWND activated_ = nullptr;
};

}  // namespace

std::unique_ptr<Win32System> CreateWin32System() { return std::make_unique<RealSystem>(); }

}  // namespace zantoli::win32
