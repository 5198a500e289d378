// What one process holds, read from outside it: the figures a leak shows in.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace soak {

struct ProcessFigures {
    // GetGuiResources; -1 where the system does not count them (Wine).
    long long userObjects = -1;
    long long gdiObjects = -1;
    // Used where GetGuiResources is unavailable: live entries of the
    // process's GDI handle table, and its windows (top-level and child).
    long long gdiTableEntries = -1;
    long long windows = -1;
    long long kernelHandles = -1;
    // PROCESS_MEMORY_COUNTERS_EX::PrivateUsage, or PagefileUsage (the same
    // figure on Windows) where PrivateUsage reads 0; and the committed
    // private pages summed with VirtualQueryEx.
    long long privateBytes = -1;
    long long committedPrivate = -1;
};

ProcessFigures Measure(DWORD pid);

// "name=value" lines, one per figure, each name prefixed with `prefix`.
std::string Format(const ProcessFigures& figures, const std::string& prefix);

}  // namespace soak
