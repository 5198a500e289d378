// Form1's and splash's controls and forms as the procedures see them, over
// real windows. Measures cross in twips (see WindowDpi for which DPI converts
// which); texts cross as ANSI bytes through the wide APIs.
#pragma once

#include <windows.h>

#include <string>

#include "system/controls.h"
#include "system/twips.h"

namespace zantoli::win32 {

// Window rectangle of `hwnd` in the coordinates SetWindowPos takes for it:
// its parent's client area for a control, the screen for a top-level window.
RECT WindowRectForPlacement(HWND hwnd);

// Position and size of one window: a control relative to its parent's
// client area, a form (its outer rectangle) relative to the screen. The
// DPIs are its top-level window's (see WindowDpi).
template <class Base>
class HwndPlaced : public Base {
public:
    HwndPlaced(const WindowDpi& dpi, bool topLevel) : geometry_(dpi, topLevel) {}

    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    // For a control that has just been placed at `at`: the twips read back
    // exactly while the control keeps the pixels they gave.
    void AttachAt(HWND hwnd, const TwipsRect& at) {
        hwnd_ = hwnd;
        geometry_.Remember(Measure::Left, at.left);
        geometry_.Remember(Measure::Top, at.top);
        geometry_.Remember(Measure::Width, at.width);
        geometry_.Remember(Measure::Height, at.height);
    }
    HWND Hwnd() const { return hwnd_; }
    int SizeDpi() const { return geometry_.DpiOf(Measure::Width); }
    TwipsRect Twips() const { return TwipsRect{Left(), Top(), Width(), Height()}; }
    // True while a move or size of this object's own is under way.
    bool Placing() const { return placing_ > 0; }

    float Left() const override { return geometry_.Read(Measure::Left, Rect().left); }
    float Top() const override { return geometry_.Read(Measure::Top, Rect().top); }
    float Width() const override {
        const RECT r = Rect();
        return geometry_.Read(Measure::Width, r.right - r.left);
    }
    float Height() const override {
        const RECT r = Rect();
        return geometry_.Read(Measure::Height, r.bottom - r.top);
    }
    void SetLeft(float twips) override {
        const RECT r = Rect();
        Place(geometry_.Remember(Measure::Left, twips), r.top, 0, 0, SWP_NOSIZE);
    }
    void SetTop(float twips) override {
        const RECT r = Rect();
        Place(r.left, geometry_.Remember(Measure::Top, twips), 0, 0, SWP_NOSIZE);
    }
    // For a form the platform raises WM_SIZE before SetWindowPos returns.
    void SetWidth(float twips) override {
        const RECT r = Rect();
        Place(0, 0, NonNegative(geometry_.Remember(Measure::Width, twips)), r.bottom - r.top,
              SWP_NOMOVE);
    }
    void SetHeight(float twips) override {
        const RECT r = Rect();
        Place(0, 0, r.right - r.left, NonNegative(geometry_.Remember(Measure::Height, twips)),
              SWP_NOMOVE);
    }

protected:
    RECT Rect() const { return WindowRectForPlacement(hwnd_); }
    void Place(int x, int y, int cx, int cy, UINT flags) {
        ++placing_;
        SetWindowPos(hwnd_, nullptr, x, y, cx, cy, flags | SWP_NOZORDER | SWP_NOACTIVATE);
        --placing_;
    }

private:
    static int NonNegative(int pixels) { return pixels < 0 ? 0 : pixels; }

    HWND hwnd_ = nullptr;
    mutable TwipsGeometry geometry_;
    int placing_ = 0;
};

// A combo box with an edit field. Its Height is that of the field; setting
// it sets the extent of the dropped-down list, as SetWindowPos does.
class HwndComboBox : public HwndPlaced<ComboBox> {
public:
    explicit HwndComboBox(const WindowDpi& dpi) : HwndPlaced(dpi, false) {}
    std::string Text() const override;
    bool TextHasUnmappableCharacters() const override;
    void SetText(const std::string& text) override;
    void AddItem(const std::string& item) override;
    void SetFocus() override;
};

class HwndListBox : public HwndPlaced<ListBox> {
public:
    explicit HwndListBox(const WindowDpi& dpi) : HwndPlaced(dpi, false) {}
    int ListCount() const override;
    // The empty text for an index outside the list, -1 included.
    std::string List(int index) const override;
    int ListIndex() const override;
    void AddItem(const std::string& item) override;
};

class HwndLabel : public HwndPlaced<Label> {
public:
    explicit HwndLabel(const WindowDpi& dpi) : HwndPlaced(dpi, false) {}
    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;
};

class HwndForm : public HwndPlaced<Form> {
public:
    // `showCommand` is what Show passes to ShowWindow.
    HwndForm(const WindowDpi& dpi, int showCommand) : HwndPlaced(dpi, true), showCommand_(showCommand) {}
    WindowHandle hWnd() const override { return reinterpret_cast<WindowHandle>(Hwnd()); }
    // The outer size less the frame's pixels, so that a size the procedures
    // set reads back exactly in both measures.
    float ScaleWidth() const override;
    float ScaleHeight() const override;
    void Show() override;
    void Hide() override;

private:
    int showCommand_;
};

// The text of any window, as ANSI bytes; see WideToAnsi.
std::string WindowTextAnsi(HWND hwnd, bool* lostCharacter = nullptr);

}  // namespace zantoli::win32
