#include "win32/forms/suggestion_list.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "window/list_place.h"
#include "win32/services/encoding.h"
#include "win32/services/handles.h"
#include "win32/services/win32_error.h"

namespace zantoli::win32 {

namespace {
constexpr UINT_PTR kListSubclass = 1;
constexpr int kListId = 1;
constexpr DWORD kStyle = WS_POPUP | WS_BORDER, kExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;

int TextWidth(HDC dc, HFONT font, const std::wstring& text) {
    const SelectedObject selected(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// `text` from `x` on, the piece [at, at + length) in `bold` and in
// `matchColour`, so that it stands out in the grey column too.
void DrawWithMatch(HDC dc, int x, const RECT& cell, const std::wstring& text, std::size_t at, std::size_t length,
                   HFONT regular, HFONT bold, COLORREF matchColour) {
    at = std::min(at, text.size());
    length = std::min(length, text.size() - at);
    const std::wstring pieces[] = {text.substr(0, at), text.substr(at, length), text.substr(at + length)};
    for (int i = 0; i < 3; ++i) {
        const HFONT font = i == 1 ? bold : regular;
        const SelectedObject selected(dc, font);
        const COLORREF colour = i == 1 ? SetTextColor(dc, matchColour) : CLR_INVALID;
        RECT clip = cell;
        clip.left = x;
        ExtTextOutW(dc, x, cell.top, ETO_CLIPPED, &clip, pieces[i].c_str(), static_cast<UINT>(pieces[i].size()),
                    nullptr);
        if (colour != CLR_INVALID) SetTextColor(dc, colour);
        x += TextWidth(dc, font, pieces[i]);
    }
}

}  // namespace

void SuggestionList::Create(HWND owner, std::function<void(int)> taken) {
    taken_ = std::move(taken);
    RegisterOnce(instance_, kClassName, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), 0);
    // Owned, not a child: it may reach beyond the command window's edges.
    if (!CreateWindowExW(kExStyle, kClassName, L"", kStyle, 0, 0, 0, 0, owner, nullptr, instance_, this))
        ThrowLastError("No se ha podido crear la lista de sugerencias");
    list_ = CreateChildControl(
        hwnd(), instance_,
        {kListId, L"ListBox", L"", LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_VSCROLL, 0,
         {0, 0, 0, 0}},
        96, "No se ha podido crear la lista de sugerencias");
    if (!SetWindowSubclass(list_, &SuggestionList::ListProc, kListSubclass, reinterpret_cast<DWORD_PTR>(this)))
        ThrowLastError("No se ha podido crear la lista de sugerencias");
}

void SuggestionList::Show(const std::vector<Suggestion>& items, const RECT& field, HFONT regular, HFONT bold,
                          int dpi) {
    if (items.empty()) {
        Hide();
        return;
    }
    regular_ = regular;
    bold_ = bold;
    field_ = field;
    padding_ = MulDiv(4, dpi, 96);
    lines_.clear();
    int aliasWidth = 0, commandWidth = 0, textHeight = 0;
    {
        const WindowDC dc(list_);
        for (const Suggestion& item : items) {
            Line line{AnsiToWide(item.text), AnsiToWide(item.command), item.refused,
                      item.group == SuggestionGroup::CommandStart || item.group == SuggestionGroup::CommandInside,
                      item.matchAt, item.matchLength};
            if (item.refused) line.command += L"  (" + Utf8ToWide(kRefusedMark) + L")";
            aliasWidth = std::max(aliasWidth, TextWidth(dc.get(), bold, line.text));
            commandWidth = std::max(commandWidth, TextWidth(dc.get(), bold, line.command));
            lines_.push_back(std::move(line));
        }
        const SelectedObject selected(dc.get(), bold);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.get(), &metrics);
        textHeight = metrics.tmHeight;
    }
    const int itemHeight = textHeight + MulDiv(2, dpi, 96);
    commandColumn_ = aliasWidth + 2 * padding_;

    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(regular), FALSE);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    SendMessageW(list_, LB_SETITEMHEIGHT, 0, itemHeight);
    for (const Suggestion& item : items) {
        const std::wstring spoken =
            AnsiToWide(item.Spoken()) + (item.refused ? L", " + Utf8ToWide(kRefusedMark) : std::wstring());
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(spoken.c_str()));
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);

    RECT outer{0, 0, std::max<LONG>(field.right - field.left, commandColumn_ + commandWidth + padding_),
               itemHeight * static_cast<int>(items.size())};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    width_ = outer.right - outer.left;
    height_ = outer.bottom - outer.top;
    Place();
}

void SuggestionList::Follow(const RECT& field) {
    if (!Visible()) return;
    field_ = field;
    Place();
}

// The work area of the input line's monitor; a list cut short scrolls.
void SuggestionList::Place() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&field_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const PixelRect at = PlaceBesideField({field_.left, field_.top, field_.right, field_.bottom},
                                          {work.left, work.top, work.right, work.bottom}, width_, height_);
    RECT client{0, 0, at.right - at.left, at.bottom - at.top};
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    MoveWindow(list_, 0, 0, client.right - (frame.right - frame.left), client.bottom - (frame.bottom - frame.top),
               FALSE);
    SetWindowPos(hwnd(), HWND_TOPMOST, at.left, at.top, client.right, client.bottom, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(list_, nullptr, TRUE);
}

// Without activation of any window: the command window keeps the focus.
void SuggestionList::Hide() {
    if (Visible())
        SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER);
}

bool SuggestionList::Steer(WPARAM key) {
    if (!Visible()) return false;
    switch (key) {
    case VK_DOWN:
    case VK_UP:
        Move(key == VK_DOWN ? 1 : -1);
        return true;
    case VK_TAB:
        // With nothing chosen Tab moves on as ever.
        if (Chosen() < 0 || !taken_) return false;
        taken_(Chosen());
        return true;
    case VK_ESCAPE:
        Hide();
        return true;
    default:
        return false;
    }
}

void SuggestionList::Move(int step) {
    const int count = static_cast<int>(lines_.size());
    const int chosen = Chosen();
    int next = chosen < 0 ? (step > 0 ? 0 : count - 1) : chosen + step;
    while (next >= 0 && next < count && lines_[static_cast<std::size_t>(next)].refused) next += step;
    if (next < 0 || next >= count) return;  // at the end: the choice stays
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(next), 0);
}

int SuggestionList::Chosen() const {
    const LRESULT chosen = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    return chosen == LB_ERR ? -1 : static_cast<int>(chosen);
}

void SuggestionList::DrawItem(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= lines_.size()) return;
    const Line& line = lines_[item.itemID];
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    const COLORREF text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    const COLORREF grey = selected ? text : GetSysColor(COLOR_GRAYTEXT);
    RECT cell = item.rcItem;
    cell.top += MulDiv(1, padding_, 4);
    const std::size_t none = std::wstring::npos;
    SetTextColor(dc, line.refused ? grey : text);
    RECT aliasCell = cell;
    aliasCell.right = std::min<LONG>(cell.right, cell.left + commandColumn_);
    DrawWithMatch(dc, cell.left + padding_, aliasCell, line.text, line.matchInCommand ? none : line.matchAt,
                  line.matchLength, regular_, bold_, line.refused ? grey : text);
    SetTextColor(dc, grey);
    DrawWithMatch(dc, cell.left + commandColumn_, cell, line.command, line.matchInCommand ? line.matchAt : none,
                  line.matchLength, regular_, bold_, line.refused ? grey : text);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

LRESULT SuggestionList::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_MEASUREITEM:
        // Set for real by Show, at the window's DPI.
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 16;
        return TRUE;
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    default:
        return Default(message, wParam, lParam);
    }
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
        const auto index = static_cast<std::size_t>(LOWORD(hit));
        if (HIWORD(hit) == 0 && index < self->lines_.size() && !self->lines_[index].refused && self->taken_)
            self->taken_(static_cast<int>(index));
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
