// Every way this thread waits while a command is under way. Each one answers
// the messages other threads send (a switch of the foreground window waits
// for that answer); they differ in what else of this program may run.
#pragma once

#include <windows.h>

#include <functional>

namespace zantoli::win32 {

// Until `done` or `timeoutMs`, answering sent messages only: nothing of
// this program runs, not even its painting. For short waits that every
// command makes, polled at the finest step. False when the time ran out.
bool AnswerSentMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs);

// Until `done` or `timeoutMs`: sent messages answered, keys held for later
// (type_ahead), timers and painting dispatched, everything else left for the
// main loop. For a wait the operator sees. False when the time ran out.
bool PaintWhileWaiting(const std::function<bool()>& done, DWORD timeoutMs);

// Until `done` or `timeoutMs`: every message dispatched as the main loop
// would, keys held for later. Wakes at least every 50 ms, for changes no
// message announces. False when the time ran out or on WM_QUIT, which is
// posted again so that the main loop ends.
bool DispatchWhileWaiting(const std::function<bool()>& done, DWORD timeoutMs);

// Dispatches the messages already pending for this thread, then returns.
// A WM_QUIT met on the way is posted again for the main loop.
void PumpPendingMessages();

}  // namespace zantoli::win32
