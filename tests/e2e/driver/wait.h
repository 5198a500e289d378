// Bounded polling: every wait on the programs under test ends, and the
// caller reports what it expected and what it got.
#pragma once

#include <windows.h>

#include <chrono>

namespace e2e {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

inline constexpr Millis kStartTimeout = 10s;
inline constexpr Millis kStepTimeout = 5s;

template <class Condition>
bool WaitUntil(Condition condition, Millis timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        Sleep(20);
    }
}

}  // namespace e2e
