#include "driver/desktop.h"

#include <stdexcept>

#include "driver/text.h"

namespace e2e {
namespace {

constexpr UINT kSendTimeoutMs = 3000;

struct Search {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (IsWindowVisible(hwnd) && (search->pid == 0 || owner == search->pid)) search->found.push_back(hwnd);
    return TRUE;
}

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result))
        throw std::runtime_error("window " + Narrow(ClassOf(hwnd)) + " does not answer message " +
                                 std::to_string(message));
    return static_cast<LRESULT>(result);
}

template <UINT kCount, UINT kLength, UINT kText>
std::vector<std::wstring> Items(HWND control) {
    std::vector<std::wstring> items;
    const LRESULT count = Send(control, kCount, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = Send(control, kLength, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<size_t>(length < 0 ? 0 : length) + 1, L'\0');
        const LRESULT got = Send(control, kText, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(got < 0 ? 0 : got));
        items.push_back(text);
    }
    return items;
}

}  // namespace

std::vector<HWND> VisibleTopWindows(DWORD pid) {
    Search search{pid, {}};
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopWindow(const std::wstring& title, DWORD pid) {
    for (HWND hwnd : VisibleTopWindows(pid))
        if (WindowTitle(hwnd) == title) return hwnd;
    return nullptr;
}

HWND WaitTopWindow(const std::wstring& title, DWORD pid, Millis timeout) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(title, pid)) != nullptr; }, timeout);
    if (!found)
        throw std::runtime_error("expected a visible window titled \"" + Narrow(title) + "\" within " +
                                 std::to_string(timeout.count()) + " ms; got none");
    return found;
}

HWND ChildOfClass(HWND parent, const std::wstring& className) {
    HWND child = FindWindowExW(parent, nullptr, className.c_str(), nullptr);
    if (!child)
        throw std::runtime_error("expected a " + Narrow(className) + " control in window \"" +
                                 Narrow(TextOf(parent)) + "\"; got none");
    return child;
}

std::vector<std::wstring> ListBoxItems(HWND listBox) {
    return Items<LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT>(listBox);
}

std::vector<std::wstring> ComboBoxItems(HWND comboBox) {
    return Items<CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT>(comboBox);
}

RECT WindowRect(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
}

HWND FocusOf(HWND hwnd) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

void BringToFront(HWND hwnd) {
    if (!zantoli::test_support::ForceForeground(hwnd, static_cast<DWORD>(kStepTimeout.count())))
        throw std::runtime_error("expected \"" + Narrow(WindowTitle(hwnd)) + "\" in front; got \"" +
                                 Narrow(WindowTitle(GetForegroundWindow())) + "\"");
}

HWND WaitMessageBox(const std::wstring& title, DWORD pid, Millis timeout) {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            for (HWND hwnd : VisibleTopWindows(pid))
                if (ClassOf(hwnd) == L"#32770" && WindowTitle(hwnd) == title) return (box = hwnd) != nullptr;
            return false;
        },
        timeout);
    if (!box) {
        std::string seen;
        for (HWND hwnd : VisibleTopWindows(pid)) seen += " [" + Narrow(ClassOf(hwnd)) + " \"" + Narrow(WindowTitle(hwnd)) + "\"]";
        throw std::runtime_error("expected a message box titled \"" + Narrow(title) + "\"; got windows:" +
                                 (seen.empty() ? " none" : seen));
    }
    return box;
}

void ClickOk(HWND box) {
    HWND ok = GetDlgItem(box, IDOK);
    if (!ok) ok = FindWindowExW(box, nullptr, L"Button", nullptr);
    if (!ok) throw std::runtime_error("expected an OK button in message box \"" + Narrow(TextOf(box)) + "\"; got none");
    // Posted, not sent: under Wine without a window manager, hiding the box
    // can hold the other process for seconds. Judge by the box going away.
    PostMessageW(ok, BM_CLICK, 0, 0);
    if (!WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, kStepTimeout))
        throw std::runtime_error("expected message box \"" + Narrow(TextOf(box)) + "\" to close on OK; it stayed");
}

}  // namespace e2e
