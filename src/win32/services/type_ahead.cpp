#include "win32/services/type_ahead.h"

#include <algorithm>
#include <deque>

#include "win32/services/send_keys.h"

namespace zantoli::win32::type_ahead {

namespace {

// The window thread's own: nothing of it is shared with another thread.
thread_local int holders = 0;
thread_local std::deque<MSG> held;

bool IsKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

bool IsEnter(const MSG& msg) {
    return (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) ? msg.wParam == VK_RETURN
                                                                   : msg.message == WM_CHAR && msg.wParam == '\r';
}

}  // namespace

Holding::Holding() { ++holders; }
Holding::~Holding() { --holders; }

bool Active() { return holders > 0; }

bool Hold(const MSG& msg) {
    if (!Active() || !IsKeyMessage(msg.message)) return false;
    NoteKeyMessage(msg);
    // Translated now, with the key state of its own moment; the characters
    // it posts are the next key messages retrieved.
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) TranslateMessage(&msg);
    held.push_back(msg);
    return true;
}

void TakeQueuedKeys() {
    if (!Active()) return;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) Hold(msg);
}

bool NextHeld(MSG& msg) {
    if (Active() || held.empty()) return false;
    msg = held.front();
    held.pop_front();
    return true;
}

bool AnyHeld() { return !held.empty(); }

void DropHeldEnters() { held.erase(std::remove_if(held.begin(), held.end(), IsEnter), held.end()); }

}  // namespace zantoli::win32::type_ahead
