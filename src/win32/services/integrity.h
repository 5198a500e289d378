// Mandatory integrity levels: the system silently drops keys that a process
// sends to a window of a process with a higher level (an elevated one).
#pragma once

#include <windows.h>

#include <optional>

namespace zantoli::win32 {

// The last sub-authority of the process token's integrity SID (0x2000
// medium, 0x3000 high), or nothing when the token cannot be read.
std::optional<DWORD> IntegrityLevelOf(HANDLE process);

// True when `window`'s process runs at a higher integrity level than this
// one; false when either level cannot be read.
bool RunsAtHigherIntegrity(HWND window);

}  // namespace zantoli::win32
