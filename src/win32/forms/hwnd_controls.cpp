#include "win32/forms/hwnd_controls.h"

#include <vector>

#include "win32/services/encoding.h"

namespace zantoli::win32 {

RECT WindowRectForPlacement(HWND hwnd) {
    RECT r{};
    if (!hwnd || !GetWindowRect(hwnd, &r)) return RECT{};
    if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) {
        MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

std::string WindowTextAnsi(HWND hwnd, bool* lostCharacter) {
    if (lostCharacter) *lostCharacter = false;
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return WideToAnsi(text, lostCharacter);
}

namespace {

// The list parts can run out of room; that failure is reported, not lost.
void CheckAdded(LRESULT result) {
    if (result == LB_ERR || result == LB_ERRSPACE) {  // CB_ERR and CB_ERRSPACE are the same values
        throw ListRefusedItem("La lista no admite más entradas.");
    }
}

std::string ListText(HWND hwnd, UINT lengthMessage, UINT textMessage, int index) {
    const LRESULT length = SendMessageW(hwnd, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};  // LB_ERR / CB_ERR: no such entry
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(hwnd, textMessage, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(buffer.data()));
    if (copied < 0) return {};
    return WideToAnsi(std::wstring_view(buffer.data(), static_cast<std::size_t>(copied)));
}

}  // namespace

std::string HwndComboBox::Text() const { return WindowTextAnsi(Hwnd()); }

bool HwndComboBox::TextHasUnmappableCharacters() const {
    bool lost = false;
    WindowTextAnsi(Hwnd(), &lost);
    return lost;
}

void HwndComboBox::SetText(const std::string& text) {
    SetWindowTextW(Hwnd(), AnsiToWide(text).c_str());
}

void HwndComboBox::AddItem(const std::string& item) {
    CheckAdded(SendMessageW(Hwnd(), CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(AnsiToWide(item).c_str())));
}

void HwndComboBox::SetFocus() { ::SetFocus(Hwnd()); }

int HwndListBox::ListCount() const {
    return static_cast<int>(SendMessageW(Hwnd(), LB_GETCOUNT, 0, 0));
}

std::string HwndListBox::List(int index) const {
    return ListText(Hwnd(), LB_GETTEXTLEN, LB_GETTEXT, index);
}

int HwndListBox::ListIndex() const {
    return static_cast<int>(SendMessageW(Hwnd(), LB_GETCURSEL, 0, 0));
}

void HwndListBox::AddItem(const std::string& item) {
    CheckAdded(SendMessageW(Hwnd(), LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(AnsiToWide(item).c_str())));
}

std::string HwndLabel::Caption() const { return WindowTextAnsi(Hwnd()); }

void HwndLabel::SetCaption(const std::string& caption) {
    SetWindowTextW(Hwnd(), AnsiToWide(caption).c_str());
}

namespace {

// Outer size minus client size, in pixels.
SIZE FramePixels(HWND hwnd) {
    RECT outer{}, client{};
    if (!GetWindowRect(hwnd, &outer) || !GetClientRect(hwnd, &client)) return SIZE{};
    return SIZE{(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
}

}  // namespace

float HwndForm::ScaleWidth() const {
    return Width() - PixelsToTwips(FramePixels(Hwnd()).cx, SizeDpi());
}

float HwndForm::ScaleHeight() const {
    return Height() - PixelsToTwips(FramePixels(Hwnd()).cy, SizeDpi());
}

void HwndForm::Show() { ShowWindow(Hwnd(), showCommand_); }

void HwndForm::Hide() { ShowWindow(Hwnd(), SW_HIDE); }

}  // namespace zantoli::win32
