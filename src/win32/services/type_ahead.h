// Keys typed into the command window while a command is on its way. The
// system gives keys to the window in front when they are typed: those the
// operator types here while the command waits for a busy CAD window, for
// the focus or for its activation are taken out of the queue before the
// CAD window comes to the front (which would drop them), held in order and
// handed back once the command is done, as if typed then.
#pragma once

#include <windows.h>

namespace zantoli::win32::type_ahead {

// Keys this thread retrieves are held while one of these lives (they nest).
class Holding {
public:
    Holding();
    ~Holding();
    Holding(const Holding&) = delete;
    Holding& operator=(const Holding&) = delete;
};

bool Active();

// For a message loop run while a command is on its way: true when `msg` is
// a key message that is now held (translated first, so its characters
// follow it into the hold).
bool Hold(const MSG& msg);

// Holds every key message waiting in this thread's queue.
void TakeQueuedKeys();

// The oldest held message, when there is one and no Holding lives.
bool NextHeld(MSG& msg);

bool AnyHeld();

// After a command that was refused: the held Enters are dropped, so that
// what was typed ahead stays in the input line instead of being sent onto
// the refused text.
void DropHeldEnters();

}  // namespace zantoli::win32::type_ahead
