#include "win32/services/message_waits.h"

#include <algorithm>

#include "win32/services/type_ahead.h"

namespace zantoli::win32 {

namespace {

// A message taken from the queue inside a wait, handled as the main loop
// would with the keys held back; false for WM_QUIT, which is posted again
// so that the main loop ends.
bool HandleRetrieved(const MSG& msg) {
    if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (!type_ahead::Hold(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void AnswerSentMessages() {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

}  // namespace

bool AnswerSentMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= deadline) return false;
        // The switch takes a few milliseconds and every command waits for
        // it: a coarse step would add most of itself to each command.
        MsgWaitForMultipleObjectsEx(0, nullptr, 1, QS_SENDMESSAGE, 0);
        AnswerSentMessages();
    }
    return true;
}

bool PaintWhileWaiting(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        type_ahead::TakeQueuedKeys();
        AnswerSentMessages();
        // Bounded: a window that never validates would be painted for ever.
        MSG msg;
        for (int i = 0; i < 16 && PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE); ++i)
            DispatchMessageW(&msg);
        for (int i = 0; i < 16 && PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
            DispatchMessageW(&msg);
        if (done()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 20)),
                                    QS_ALLINPUT, 0);
    }
}

bool DispatchWhileWaiting(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= deadline) return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!HandleRetrieved(msg)) return false;
        }
    }
    return true;
}

void PumpPendingMessages() {
    // Bounded, so a window that keeps posting to itself cannot hold the
    // caller here for ever.
    MSG msg;
    for (int handled = 0; handled < 10000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++handled) {
        if (!HandleRetrieved(msg)) return;
    }
}

}  // namespace zantoli::win32
