// In-memory controls and forms that keep real state.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "system/controls.h"

namespace zantoli::testing {

template <class Base>
class Placed : public Base {
public:
    float left = 0, top = 0, width = 0, height = 0;
    float Left() const override { return left; }
    float Top() const override { return top; }
    float Width() const override { return width; }
    float Height() const override { return height; }
    void SetLeft(float v) override { left = v; }
    void SetTop(float v) override { top = v; }
    void SetWidth(float v) override { width = v; }
    void SetHeight(float v) override { height = v; }
};

class FakeComboBox : public Placed<ComboBox> {
public:
    FakeComboBox() { height = 315; }
    std::string text;
    // The box shows a character the code page lacks; `text` holds "?" for it.
    bool unmappable = false;
    std::vector<std::string> items;
    bool full = false;  // refuses new entries
    int focusCount = 0;

    std::string Text() const override { return text; }
    bool TextHasUnmappableCharacters() const override { return unmappable; }
    void SetText(const std::string& t) override {
        text = t;
        unmappable = false;
    }
    void AddItem(const std::string& item) override {
        if (full) throw ListRefusedItem("lista llena");
        items.push_back(item);
    }
    void SetFocus() override { ++focusCount; }
};

class FakeListBox : public Placed<ListBox> {
public:
    std::vector<std::string> items;
    int listIndex = -1;
    bool full = false;  // refuses new entries

    int ListCount() const override { return static_cast<int>(items.size()); }
    std::string List(int index) const override {
        // Like the list control: an index outside the list reads as empty.
        if (index < 0 || index >= ListCount()) return {};
        return items[static_cast<std::size_t>(index)];
    }
    int ListIndex() const override { return listIndex; }
    void AddItem(const std::string& item) override {
        if (full) throw ListRefusedItem("lista llena");
        items.push_back(item);
    }
};

class FakeLabel : public Placed<Label> {
public:
    std::string caption;
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& c) override { caption = c; }
};

// A form whose size setters raise `onResize` synchronously when the size
// really changes, as WM_SIZE does. Its frame (outer minus client size) is
// the design frame unless a test sets another.
class FakeForm : public Placed<Form> {
public:
    explicit FakeForm(WindowHandle handle) : handle_(handle) {}
    std::function<void()> onResize;
    bool visible = false;
    int resizeEvents = 0;
    float frameWidth = 120, frameHeight = 360;

    WindowHandle hWnd() const override { return handle_; }
    float ScaleWidth() const override { return width - frameWidth; }
    float ScaleHeight() const override { return height - frameHeight; }
    void Show() override { visible = true; }
    void Hide() override { visible = false; }
    void SetWidth(float v) override {
        if (v == width) return;
        width = v;
        Resized();
    }
    void SetHeight(float v) override {
        if (v == height) return;
        height = v;
        Resized();
    }

private:
    void Resized() {
        ++resizeEvents;
        if (onResize) onResize();
    }
    WindowHandle handle_;
};

}  // namespace zantoli::testing
