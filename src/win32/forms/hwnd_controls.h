// Form1's and splash's controls and forms as the procedures see them, over
// real windows. Measures cross in twips at the screen's DPI; texts cross as
// ANSI bytes through the wide APIs.
#pragma once

#include <windows.h>

#include <string>

#include "system/controls.h"

namespace zantoli::win32 {

// One measure as the procedures last set it. Pixels round 2000 twips to
// 1995 on the way back; while the window still has the pixel size that
// value gave, it reads back exactly as set, so the layout's arithmetic sees
// its own numbers.
class TwipsMemo {
public:
    float Read(int actualPixels, int dpi) const;
    // The pixel value to apply.
    int Remember(float twips, int dpi);

private:
    bool valid_ = false;
    float twips_ = 0;
    int pixels_ = 0;
};

// Window rectangle of `hwnd` in the coordinates SetWindowPos takes for it:
// its parent's client area for a control, the screen for a top-level window.
RECT WindowRectForPlacement(HWND hwnd);

// Position and size of one window: a control relative to its parent's
// client area, a form (its outer rectangle) relative to the screen.
template <class Base>
class HwndPlaced : public Base {
public:
    explicit HwndPlaced(int dpi) : dpi_(dpi) {}

    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    // For a control created at its design place: the design twips read
    // back exactly while the control keeps the pixels they gave.
    void AttachAtDesign(HWND hwnd, float left, float top, float width, float height) {
        hwnd_ = hwnd;
        left_.Remember(left, dpi_);
        top_.Remember(top, dpi_);
        width_.Remember(width, dpi_);
        height_.Remember(height, dpi_);
    }
    HWND Hwnd() const { return hwnd_; }
    int Dpi() const { return dpi_; }

    float Left() const override { return left_.Read(Rect().left, dpi_); }
    float Top() const override { return top_.Read(Rect().top, dpi_); }
    float Width() const override {
        const RECT r = Rect();
        return width_.Read(r.right - r.left, dpi_);
    }
    float Height() const override {
        const RECT r = Rect();
        return height_.Read(r.bottom - r.top, dpi_);
    }
    void SetLeft(float twips) override {
        const RECT r = Rect();
        Place(left_.Remember(twips, dpi_), r.top, 0, 0, SWP_NOSIZE);
    }
    void SetTop(float twips) override {
        const RECT r = Rect();
        Place(r.left, top_.Remember(twips, dpi_), 0, 0, SWP_NOSIZE);
    }
    // For a form the platform raises WM_SIZE before SetWindowPos returns.
    void SetWidth(float twips) override {
        const RECT r = Rect();
        Place(0, 0, NonNegative(width_.Remember(twips, dpi_)), r.bottom - r.top, SWP_NOMOVE);
    }
    void SetHeight(float twips) override {
        const RECT r = Rect();
        Place(0, 0, r.right - r.left, NonNegative(height_.Remember(twips, dpi_)), SWP_NOMOVE);
    }

protected:
    RECT Rect() const { return WindowRectForPlacement(hwnd_); }
    void Place(int x, int y, int cx, int cy, UINT flags) {
        SetWindowPos(hwnd_, nullptr, x, y, cx, cy, flags | SWP_NOZORDER | SWP_NOACTIVATE);
    }

private:
    static int NonNegative(int pixels) { return pixels < 0 ? 0 : pixels; }

    HWND hwnd_ = nullptr;
    int dpi_;
    mutable TwipsMemo left_, top_, width_, height_;
};

// A combo box with an edit field. Its Height is that of the field; setting
// it sets the extent of the dropped-down list, as SetWindowPos does.
class HwndComboBox : public HwndPlaced<ComboBox> {
public:
    using HwndPlaced::HwndPlaced;
    std::string Text() const override;
    bool TextHasUnmappableCharacters() const override;
    void SetText(const std::string& text) override;
    void AddItem(const std::string& item) override;
    void SetFocus() override;
};

class HwndListBox : public HwndPlaced<ListBox> {
public:
    using HwndPlaced::HwndPlaced;
    int ListCount() const override;
    // The empty text for an index outside the list, -1 included.
    std::string List(int index) const override;
    int ListIndex() const override;
    void AddItem(const std::string& item) override;
};

class HwndLabel : public HwndPlaced<Label> {
public:
    using HwndPlaced::HwndPlaced;
    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;
};

class HwndForm : public HwndPlaced<Form> {
public:
    // `showCommand` is what Show passes to ShowWindow.
    HwndForm(int dpi, int showCommand) : HwndPlaced(dpi), showCommand_(showCommand) {}
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
