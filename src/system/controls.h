// The controls and forms as the portable procedures see them.
// Measures are twips held as float; texts are bytes in the ANSI code page.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace zantoli {

// Opaque window handle, passed through to the platform untouched.
using WindowHandle = std::intptr_t;

// Thrown by AddItem when a list control has no room for another entry.
class ListRefusedItem : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Something with a position and size: a control relative to its form's
// client area, a form relative to the screen (its outer rectangle).
class Placeable {
public:
    virtual ~Placeable() = default;
    virtual float Left() const = 0;
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual void SetLeft(float twips) = 0;
    virtual void SetTop(float twips) = 0;
    // Setting a form's width or height raises its resize event at once,
    // before the setter returns, as the platform does.
    virtual void SetWidth(float twips) = 0;
    virtual void SetHeight(float twips) = 0;
};

// The input line `texto`: an edit field with a drop-down list.
class ComboBox : public Placeable {
public:
    // Characters the code page lacks read as its default character ("?").
    virtual std::string Text() const = 0;
    // True when the text holds a character the code page lacks, so that
    // Text() is not what the box shows.
    virtual bool TextHasUnmappableCharacters() const = 0;
    virtual void SetText(const std::string& text) = 0;
    // Throws ListRefusedItem.
    virtual void AddItem(const std::string& item) = 0;
    virtual void SetFocus() = 0;
};

// The history `lista`: an unsorted list box.
class ListBox : public Placeable {
public:
    virtual int ListCount() const = 0;
    virtual std::string List(int index) const = 0;
    // -1 when nothing is selected.
    virtual int ListIndex() const = 0;
    // Throws ListRefusedItem.
    virtual void AddItem(const std::string& item) = 0;
};

// A label such as `ultimo`.
class Label : public Placeable {
public:
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
};

// A top-level form (`Form1`, `splash`).
class Form : public Placeable {
public:
    virtual WindowHandle hWnd() const = 0;
    // The client area inside the frame; the frame's size is the system's
    // (border widths and caption height differ between systems and scalings).
    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;
    // Modeless: returns at once.
    virtual void Show() = 0;
    virtual void Hide() = 0;
};

}  // namespace zantoli
