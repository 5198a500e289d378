#include "win32/services/activation.h"

#include "win32/services/encoding.h"
#include "win32/services/integrity.h"
#include "win32/services/message_waits.h"
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

bool SameThread(HWND a, HWND b) {
    return GetWindowThreadProcessId(a, nullptr) == GetWindowThreadProcessId(b, nullptr);
}

bool OwnThreadInFront(HWND own) {
    const HWND front = GetForegroundWindow();
    return front != nullptr && SameThread(front, own);
}

thread_local bool waitingForForeground = false;

// A window that answers a message in this time is taken as not busy.
constexpr UINT kAnswersAtOnceMs = 50;

// SMTO_ABORTIFHUNG: a window the system already calls hung fails at once.
bool AnswersWithin(HWND target, UINT timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
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
    return PaintWhileWaiting([question] { return lastAnswer == question; }, timeoutMs);
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

    // Keys sent before the switch is complete would go to the window left.
    return AnswerSentMessagesUntil([target] { return GetForegroundWindow() == target && !IsIconic(target); }, 500);
}

void WaitUntilForeground(HWND own, DWORD timeoutMs) {
    if (waitingForForeground) return;
    waitingForForeground = true;
    struct Reset {
        ~Reset() { waitingForForeground = false; }
    } reset;

    DispatchWhileWaiting([own] { return !IsWindow(own) || OwnThreadInFront(own); }, timeoutMs);
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

}  // namespace zantoli::win32
