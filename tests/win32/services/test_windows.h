// Windows for the Win32 service tests: the test's own window beside the
// windows on threads of their own (support/window_thread.h).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "support/window_helpers.h"
#include "support/window_thread.h"

namespace zantoli::win32::testing {

using test_support::eventClock;
using test_support::KeySeen;
using test_support::WindowThread;

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
