#include "win32/forms/suggestion_list.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "win32/services/win32_error.h"

namespace zantoli::win32 {

namespace {
constexpr UINT_PTR kListSubclass = 1;
}  // namespace

void SuggestionList::Create(HWND owner, std::function<void(int)> clicked) {
    clicked_ = std::move(clicked);
    RegisterOnce(instance_, kClassName, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), 0);
    // Owned, not a child: it may reach beyond the command window's edges.
    if (!CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, kClassName, L"", WS_POPUP | WS_BORDER,
                         0, 0, 0, 0, owner, nullptr, instance_, this))
        ThrowLastError("No se ha podido crear la lista de sugerencias");
    list_ = CreateChildControl(hwnd(), instance_, {1, L"ListBox", L"", LBS_NOINTEGRALHEIGHT, 0, {0, 0, 0, 0}}, 96,
                               "No se ha podido crear la lista de sugerencias");
    if (!SetWindowSubclass(list_, &SuggestionList::ListProc, kListSubclass, reinterpret_cast<DWORD_PTR>(this)))
        ThrowLastError("No se ha podido crear la lista de sugerencias");
}

void SuggestionList::Show(const std::vector<std::wstring>& lines, const RECT& field, HFONT font) {
    if (lines.empty()) {
        Hide();
        return;
    }
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& line : lines) SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);

    const int itemHeight = static_cast<int>(SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0));
    RECT outer{0, 0, field.right - field.left, itemHeight * static_cast<int>(lines.size())};
    AdjustWindowRectEx(&outer, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
    const int width = field.right - field.left, height = outer.bottom - outer.top;
    // Under the field, or above it where the work area of its monitor ends.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&field, MONITOR_DEFAULTTONEAREST), &monitor);
    const int y = field.bottom + height > monitor.rcWork.bottom ? field.top - height : field.bottom;
    const int x = std::max<int>(monitor.rcWork.left, std::min<int>(field.left, monitor.rcWork.right - width));
    MoveWindow(list_, 0, 0, width - (outer.right - outer.left - (field.right - field.left)),
               itemHeight * static_cast<int>(lines.size()), FALSE);
    SetWindowPos(hwnd(), HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(list_, nullptr, TRUE);
}

// Without activation of any window: the command window keeps the focus.
void SuggestionList::Hide() {
    if (Visible())
        SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER);
}

void SuggestionList::Move(int step) {
    const int count = static_cast<int>(SendMessageW(list_, LB_GETCOUNT, 0, 0));
    if (count <= 0) return;
    const int chosen = Chosen();
    const int next = chosen < 0 ? (step > 0 ? 0 : count - 1) : std::clamp(chosen + step, 0, count - 1);
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(next), 0);
}

int SuggestionList::Chosen() const {
    const LRESULT chosen = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    return chosen == LB_ERR ? -1 : static_cast<int>(chosen);
}

LRESULT SuggestionList::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return Default(message, wParam, lParam);
}

// A click chooses without the list box taking the focus: its own handling
// of the button would.
LRESULT CALLBACK SuggestionList::ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR data) {
    auto* self = reinterpret_cast<SuggestionList*>(data);
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN: {
        const LRESULT hit = SendMessageW(hwnd, LB_ITEMFROMPOINT, 0, lParam);
        if (HIWORD(hit) == 0 && self->clicked_) self->clicked_(static_cast<int>(LOWORD(hit)));
        return 0;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &SuggestionList::ListProc, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace zantoli::win32
