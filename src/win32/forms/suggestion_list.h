// The suggestions under the input line (above it where the work area ends):
// a popup with a list box that never takes the activation or the focus; it
// only shows. The command window steers it: Down/Up choose, Tab or a click
// puts the chosen entry into the input line, Esc closes it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "win32/forms/window_base.h"

namespace zantoli::win32 {

class SuggestionList : public WindowBase<SuggestionList> {
public:
    static constexpr const wchar_t* kClassName = L"ZantoliSugerencias";

    explicit SuggestionList(HINSTANCE instance) : instance_(instance) {}
    ~SuggestionList() { Destroy(); }

    // Owned by the command window `owner`, so it stays above it. `clicked`
    // gets the index of an entry the user clicks.
    void Create(HWND owner, std::function<void(int)> clicked);

    // Shows `lines` in `font` along `field` (the input line, in screen
    // coordinates); no lines hide it. Nothing is chosen afterwards.
    void Show(const std::vector<std::wstring>& lines, const RECT& field, HFONT font);
    void Hide();
    bool Visible() const { return hwnd() && IsWindowVisible(hwnd()); }
    // Down (+1) and Up (-1); from nothing chosen to the first or the last.
    void Move(int step);
    int Chosen() const;  // -1: nothing chosen

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data);

    HINSTANCE instance_;
    HWND list_ = nullptr;
    std::function<void(int)> clicked_;
};

}  // namespace zantoli::win32
