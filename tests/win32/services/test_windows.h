// Windows for the Win32 service tests: each lives in a thread of its own,
// as another program's window would, and records what reaches it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/window_helpers.h"

namespace zantoli::win32::testing {

// Orders events seen by different windows.
inline std::atomic<int> eventClock{0};

struct KeySeen {
    WPARAM vk;
    bool ctrl, shift, alt;
};

class WindowThread {
public:
    explicit WindowThread(std::wstring title, bool visible = true);
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
    void Run(bool visible);

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

// A plain window on the calling thread (the test's "own" window). Its
// procedure destroys it on WM_APP and runs `onUser` on WM_APP + 1.
HWND CreateOwnWindow(const wchar_t* title);
inline std::atomic<int> ownActivatedAt{-1};
inline void (*onUser)() = nullptr;

using test_support::ForceForeground;
using test_support::Pump;

// Pumps until `expected` is the foreground window (2 s at most), then
// reports which window is in front.
::testing::AssertionResult IsForeground(HWND expected);
using test_support::WindowTitle;

}  // namespace zantoli::win32::testing
