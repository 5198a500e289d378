#include "win32/services/activation.h"

#include <algorithm>
#include <vector>

#include "win32/services/encoding.h"
#include "win32/services/integrity.h"
#include "win32/services/type_ahead.h"

namespace zantoli::win32 {

// InternalGetWindowText reads the stored caption without sending a message,
// so a hung program cannot hang the search.
std::wstring WindowTitle(HWND window) {
    std::wstring title(256, L'\0');
    for (;;) {
        const int got = InternalGetWindowText(window, title.data(), static_cast<int>(title.size()));
        if (got < static_cast<int>(title.size()) - 1 || title.size() >= 65536) {
            title.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
            return title;
        }
        title.assign(title.size() * 2, L'\0');
    }
}

namespace {

// One pass over the top-level windows, front to back: the first with an
// equal title ends it; the first whose title begins with the one asked for
// is kept in case none is equal.
struct TitleSearch {
    std::wstring_view title;
    HWND equal = nullptr;
    HWND prefixed = nullptr;
};

BOOL CALLBACK CompareTitle(HWND window, LPARAM param) {
    if (!IsWindowVisible(window)) return TRUE;
    auto* search = reinterpret_cast<TitleSearch*>(param);
    const std::wstring title = WindowTitle(window);
    if (title == search->title) {
        search->equal = window;
        return FALSE;
    }
    if (!search->prefixed && title.compare(0, search->title.size(), search->title) == 0) search->prefixed = window;
    return TRUE;
}

// Sent messages (activation changes from other threads) must be answered
// while polling, or the switch the poll waits for can stall.
void AnswerSentMessages(DWORD milliseconds) {
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_SENDMESSAGE, 0);
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

bool SameThread(HWND a, HWND b) {
    return GetWindowThreadProcessId(a, nullptr) == GetWindowThreadProcessId(b, nullptr);
}

bool OwnThreadInFront(HWND own) {
    const HWND front = GetForegroundWindow();
    return front != nullptr && SameThread(front, own);
}

thread_local bool waitingForForeground = false;

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

// A window that answers a message in this time is taken as not busy.
constexpr UINT kAnswersAtOnceMs = 50;

// SMTO_ABORTIFHUNG: a window the system already calls hung fails at once.
bool AnswersWithin(HWND target, UINT timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

// Sent messages answered, key messages held, paint and timers dispatched;
// everything else waits for the main loop.
void PumpWhileWaiting() {
    type_ahead::TakeQueuedKeys();
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    // Bounded: a window that never validates would be painted for ever.
    for (int i = 0; i < 16 && PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE); ++i) DispatchMessageW(&msg);
    for (int i = 0; i < 16 && PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i) DispatchMessageW(&msg);
}

// A window answers a sent message only between its tasks. The answer comes
// back as a callback, so that this window keeps painting and taking keys
// while it waits; one that comes after the wait gave up finds it over.
thread_local ULONG_PTR lastAnswer = 0;
thread_local ULONG_PTR lastQuestion = 0;

void CALLBACK TakeAnswer(HWND, UINT, ULONG_PTR question, LRESULT) { lastAnswer = question; }

bool AnswersWhileWaiting(HWND target, DWORD timeoutMs) {
    if (IsHungAppWindow(target)) return false;
    const ULONG_PTR question = ++lastQuestion;
    if (!SendMessageCallbackW(target, WM_NULL, 0, 0, TakeAnswer, question)) return false;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        PumpWhileWaiting();
        if (lastAnswer == question) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 20)),
                                    QS_ALLINPUT, 0);
    }
}

// Enter typed ahead in the command window is handled once the CAD window
// is in front already: then there is nothing to wait for.
HWND FindAfterFocusWait(const std::string& title, HWND waitFor) {
    const std::wstring wide = Utf8ToWide(title);
    if (waitFor != nullptr && !OwnThreadInFront(waitFor)) {
        const HWND target = FindWindowByTitle(wide);
        if (target != nullptr && target == GetForegroundWindow()) return target;
        WaitUntilForeground(waitFor, kFocusWaitMs);
    }
    return FindWindowByTitle(wide);
}

}  // namespace

HWND FindWindowByTitle(std::wstring_view title) {
    if (title.empty()) return nullptr;
    TitleSearch search{title};
    EnumWindows(CompareTitle, reinterpret_cast<LPARAM>(&search));
    return search.equal ? search.equal : search.prefixed;
}

bool BringToFront(HWND target) {
    const bool ownThread = GetWindowThreadProcessId(target, nullptr) == GetCurrentThreadId();
    if (IsIconic(target)) {
        // Another program's window is restored asynchronously: a hung
        // program must not hang this one.
        if (ownThread)
            ShowWindow(target, SW_RESTORE);
        else
            ShowWindowAsync(target, SW_RESTORE);
    }
    // Keys typed here meanwhile would be dropped by the switch.
    type_ahead::TakeQueuedKeys();
    if (GetForegroundWindow() != target) SetForegroundWindow(target);

    const ULONGLONG deadline = GetTickCount64() + 500;
    while (GetForegroundWindow() != target || IsIconic(target)) {
        if (GetTickCount64() >= deadline) return false;
        // The switch takes a few milliseconds and every command waits for
        // it: a coarse step would add most of itself to each command.
        AnswerSentMessages(1);
    }
    return true;
}

void WaitUntilForeground(HWND own, DWORD timeoutMs) {
    if (waitingForForeground) return;
    waitingForForeground = true;
    struct Reset {
        ~Reset() { waitingForForeground = false; }
    } reset;

    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (IsWindow(own) && !OwnThreadInFront(own) && GetTickCount64() < deadline) {
        // The foreground can change without a message to this thread, so the
        // wait also wakes up on its own.
        MsgWaitForMultipleObjectsEx(0, nullptr, 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!HandleRetrieved(msg)) return;
        }
    }
}

Activation AppActivate(const std::string& title, HWND waitFor) {
    const HWND target = FindAfterFocusWait(title, waitFor);
    if (target == nullptr) return Activation::NotFound;
    // A hung window would not come to the front, and a program that waits
    // for it would hang with it.
    if (IsHungAppWindow(target)) return Activation::NotInFront;
    return BringToFront(target) ? Activation::InFront : Activation::NotInFront;
}

Activation KeysCanReach(HWND target) {
    if (RunsAtHigherIntegrity(target)) return Activation::Elevated;
    if (!IsWindowEnabled(target)) return Activation::Disabled;
    // The foreground moves to a busy window at once and the keys wait in its
    // queue: meanwhile the next command would overwrite the file it has yet
    // to read. A window answers a sent message only between its tasks.
    if (AnswersWithin(target, kAnswersAtOnceMs)) return Activation::InFront;
    const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const bool answered = AnswersWhileWaiting(target, kBusyWaitMs);
    SetCursor(previous);
    if (!answered) return Activation::Busy;
    // A modal dialog may have opened while it was busy.
    return IsWindowEnabled(target) ? Activation::InFront : Activation::Disabled;
}

Activation ActivateForKeys(const std::string& title, HWND waitFor, HWND& activated) {
    activated = nullptr;
    const HWND target = FindAfterFocusWait(title, waitFor);
    if (target == nullptr) return Activation::NotFound;
    const Activation reach = KeysCanReach(target);
    if (reach != Activation::InFront) return reach;
    if (!BringToFront(target)) return Activation::NotInFront;
    activated = target;
    return Activation::InFront;
}

bool OwnsForeground(HWND own) { return own != nullptr && OwnThreadInFront(own); }

void PumpPendingMessages() {
    // Bounded, so a window that keeps posting to itself cannot hold the
    // caller here for ever.
    MSG msg;
    for (int handled = 0; handled < 10000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
         ++handled) {
        if (!HandleRetrieved(msg)) return;
    }
}

}  // namespace zantoli::win32
