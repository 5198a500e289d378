#include "win32/forms/window_base.h"

#include <cmath>

namespace zantoli::win32 {

HFONT CreateDesignFont(const wchar_t* face, float points, bool bold, int dpi) {
    const int height = -static_cast<int>(std::lround(points * static_cast<float>(dpi) / 72.0f));
    return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face);
}

}  // namespace zantoli::win32
