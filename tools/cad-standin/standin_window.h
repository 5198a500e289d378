// The stand-in's main window: a drawing area above a read-only command
// history, newest last, in the manner of a CAD program's command line.
#pragma once

#include <windows.h>

#include <string>

#include "options.h"
#include "win32/services/handles.h"

namespace standin {

class StandinWindow {
public:
    explicit StandinWindow(Options options) : options_(std::move(options)) {}
    StandinWindow(const StandinWindow&) = delete;
    StandinWindow& operator=(const StandinWindow&) = delete;

    bool Create(HINSTANCE instance, int show);

    // Ctrl+Shift+K pressed while this window or one of its children has the
    // focus. Checked in the message loop, since the focus may be on the list.
    bool IsCommandHotkey(const MSG& msg) const;
    void OnCommandHotkey();

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Layout(int width, int height);
    void PaintDrawingArea();
    void AddHistoryLine(const std::wstring& text);

    Options options_;
    HWND hwnd_ = nullptr;
    HWND history_ = nullptr;
    zantoli::win32::GdiObject<HFONT> font_;
    int drawingHeight_ = 0;
};

}  // namespace standin
