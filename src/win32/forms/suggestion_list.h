// The suggestions beside the input line: a popup with a standard list box
// that never takes the activation or the focus; it only shows. Each line
// has two aligned columns, the alias and, in the system's grey, the command
// Enter on it sends, the typed part in bold; the list box keeps each line's
// text as "alias, command" for screen readers. It steers itself by the keys
// the input line gets: Down/Up choose, Tab or a click puts the chosen entry
// into the input line, Esc closes it. A refused alias is shown but cannot
// be chosen.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "command/suggestions.h"
#include "win32/forms/window_base.h"

namespace zantoli::win32 {

class SuggestionList : public WindowBase<SuggestionList> {
public:
    static constexpr const wchar_t* kClassName = L"ZantoliSugerencias";

    explicit SuggestionList(HINSTANCE instance) : instance_(instance) {}
    ~SuggestionList() { Destroy(); }

    // Owned by the command window `owner`, so it stays above it. `taken`
    // gets the index of an entry the user clicks or takes with Tab.
    void Create(HWND owner, std::function<void(int)> taken);

    // Shows `items` in the fonts of the window's DPI `dpi` beside `field`
    // (the input line, in screen coordinates); none hide it. Nothing is
    // chosen afterwards.
    void Show(const std::vector<Suggestion>& items, const RECT& field, HFONT regular, HFONT bold, int dpi);
    // Follows the input line to `field` when the window moved.
    void Follow(const RECT& field);
    void Hide();
    bool Visible() const { return hwnd() && IsWindowVisible(hwnd()); }
    // A key pressed in the input line while the list shows: Down, Up, Tab
    // on a chosen entry and Esc are the list's. True when `key` was taken.
    bool Steer(WPARAM key);
    int Chosen() const;  // -1: nothing chosen

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Line {
        std::wstring text, command;
        bool refused;
        bool matchInCommand;
        std::size_t matchAt, matchLength;
    };
    // Down (+1) and Up (-1); from nothing chosen to the first or the last,
    // passing over refused aliases.
    void Move(int step);
    void Place();
    void DrawItem(const DRAWITEMSTRUCT& item) const;
    static LRESULT CALLBACK ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data);

    HINSTANCE instance_;
    HWND list_ = nullptr;
    std::function<void(int)> taken_;
    std::vector<Line> lines_;
    HFONT regular_ = nullptr, bold_ = nullptr;
    RECT field_{};
    int width_ = 0, height_ = 0;  // of the whole list, its border included
    int padding_ = 0;              // around each column, at the DPI
    int commandColumn_ = 0;        // where the command column starts
};

}  // namespace zantoli::win32
