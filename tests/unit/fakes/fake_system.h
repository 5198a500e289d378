// An in-memory System: files in a map, scripted message boxes, a list of
// top-level window titles, a record of keys sent.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "system/system.h"

namespace zantoli::testing {

// Thrown by FakeSystem::End so that a test can see the program end.
struct ProgramEnded {};

class FakeSystem : public System {
public:
    struct Message {
        std::string prompt, title;
        int style;
    };
    struct ActivationCall {
        std::string title;
        bool wait;
    };
    struct KeysSent {
        std::string keys;
        std::string activeTitle;  // the window that had the focus
    };

    FakeSystem();

    // Files by full path. Writing needs the parent folder in `folders`.
    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    std::set<std::string> hiddenFiles;          // exist, but not as ordinary files
    std::map<std::string, std::string> readFailures;   // path -> reason
    std::map<std::string, std::string> writeFailures;  // path -> reason
    std::vector<std::string> writes;            // paths, in write order
    mutable std::vector<std::string> reads;     // paths, in read order
    std::vector<std::string> deletes;

    // Desktop.
    std::string appDir = "C:\\Zantoli";
    std::vector<std::string> windowTitles;
    // Windows that are found but not activated, by title, with the reason
    // AppActivate gives (NotInFront, Elevated, Disabled, Busy).
    std::map<std::string, Activation> windowRefusals;
    std::string activeTitle;
    // The foreground window; an activation puts kActivatedWindow there.
    static constexpr WindowHandle kActivatedWindow = 900;
    WindowHandle foreground = 0;
    // The window in front runs with higher rights: keys sent are refused.
    bool keysRefused = false;
    // The CAD side: each hotkey it handles evaluates the exchange file as it
    // is then. Hotkeys sent while its window is refused as Busy wait in its
    // queue until CadAnswersAgain().
    std::vector<std::string> cadEvaluated;
    int cadQueuedHotkeys = 0;
    void CadAnswersAgain();
    float screenWidth = 15360, screenHeight = 11520;  // 1024 x 768 at 96 DPI
    // Monitors besides the primary screen (0, 0, screenWidth, screenHeight).
    using Monitor = ScreenArea;
    std::vector<Monitor> otherMonitors;
    // Work areas, the primary's first; empty: each monitor whole.
    std::vector<ScreenArea> workAreas;
    std::vector<Message> messages;
    std::vector<ActivationCall> activations;
    std::vector<KeysSent> keysSent;
    std::vector<WindowHandle> madeTopmost;
    int doEventsCount = 0;
    int exitCode = -1;  // until the program ends
    bool Ended() const { return exitCode >= 0; }
    // Run inside AppActivate's wait, before the activation (re-entry tests).
    std::function<void()> whileWaitingForFocus;
    std::function<void()> onDoEvents;
    std::function<void(const Message&)> onMsgBox;
    // Run after every file written, with its path.
    std::function<void(const std::string&)> onWrite;

    std::string AppDir() const override { return appDir; }

    bool FileExists(const std::string& path) const override;
    void ReadLines(const std::string& path, const LineSink& sink) const override;
    // The size, and for the time a digest of the contents: any write changes it.
    std::optional<FileStamp> StampOf(const std::string& path) const override;
    void WriteFile(const std::string& path, std::string_view bytes) override;
    void ReplaceContents(const std::string& path, std::string_view bytes) override;
    void Kill(const std::string& path) override;
    void Rename(const std::string& from, const std::string& to) override;

    int MsgBox(const std::string& prompt, const std::string& title, int style) override;
    Activation AppActivate(const std::string& title, bool wait) override;
    bool ActivatedWindowInFront() const override { return foreground == kActivatedWindow; }
    bool SendKeys(const std::string& keys) override;
    bool OwnsForeground(WindowHandle window) const override { return foreground == window; }
    void DoEvents() override;
    [[noreturn]] void End(int exitCode) override;
    std::string UCase(const std::string& text) const override;
    float ScreenWidth() const override { return screenWidth; }
    float ScreenHeight() const override { return screenHeight; }
    float VirtualScreenRight() const override;
    float VirtualScreenBottom() const override;
    std::vector<ScreenArea> WorkAreas() const override;
    void MakeTopmost(WindowHandle hWnd) override { madeTopmost.push_back(hWnd); }

private:
    std::vector<Monitor> Monitors() const;
    void CheckWritable(const std::string& path) const;
};

}  // namespace zantoli::testing
