// A window on a thread of its own, as another program's window would be,
// that records the keys and activations reaching it.
#pragma once

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zantoli::test_support {

// A window class of the test program's, with the system's window colour.
void RegisterTestClass(const wchar_t* name, WNDPROC procedure);

// Orders events seen by different windows.
inline std::atomic<int> eventClock{0};

struct KeySeen {
    WPARAM vk;
    bool ctrl, shift, alt;
};

class WindowThread {
public:
    // `topmost`: above every window that is not topmost itself.
    explicit WindowThread(std::wstring title, bool visible = true, bool topmost = false);
    ~WindowThread();
    WindowThread(const WindowThread&) = delete;
    WindowThread& operator=(const WindowThread&) = delete;

    HWND hwnd() const { return hwnd_; }
    std::vector<KeySeen> KeyDowns() const;
    std::vector<WPARAM> KeyUps() const;
    std::wstring Chars() const;
    // The event clock at this window's last activation, -1 before any.
    int ActivatedAt() const { return activatedAt_; }

private:
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
    void Run(bool visible, bool topmost);

    std::wstring title_;
    HWND hwnd_ = nullptr;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable created_;
    std::vector<KeySeen> keyDowns_;
    std::vector<WPARAM> keyUps_;
    std::wstring chars_;
    std::atomic<int> activatedAt_{-1};
};

}  // namespace zantoli::test_support
