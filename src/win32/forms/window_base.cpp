#include "win32/forms/window_base.h"

#include <cmath>

namespace zantoli::win32 {

HFONT CreateDesignFont(const wchar_t* face, float points, bool bold, int dpi) {
    const int height = -static_cast<int>(std::lround(points * static_cast<float>(dpi) / 72.0f));
    return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face);
}

HWND CreateChildControl(HWND parent, HINSTANCE instance, const ChildControl& control, int dpi,
                        const std::string& what) {
    const TwipsRect& at = control.at;
    HWND hwnd = CreateWindowExW(control.exStyle, control.className, control.text,
                                WS_CHILD | WS_VISIBLE | control.style, TwipsToPixels(at.left, dpi),
                                TwipsToPixels(at.top, dpi), TwipsToPixels(at.width, dpi),
                                TwipsToPixels(at.height, dpi), parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
    if (!hwnd) ThrowLastError(what);
    return hwnd;
}

}  // namespace zantoli::win32
