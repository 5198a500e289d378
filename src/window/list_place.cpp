#include "window/list_place.h"

#include <algorithm>

namespace zantoli {

PixelRect PlaceBesideField(const PixelRect& field, const PixelRect& work, int width, int height) {
    width = std::min(width, work.right - work.left);
    const int below = work.bottom - field.bottom, above = field.top - work.top;
    int top;
    if (height <= below) {
        top = field.bottom;
    } else if (height <= above) {
        top = field.top - height;
    } else if (below >= above) {
        height = std::max(below, 0);
        top = field.bottom;
    } else {
        height = above;
        top = work.top;
    }
    // A field partly outside the work area still gets its list inside it.
    top = std::clamp(top, work.top, std::max(work.top, work.bottom - height));
    const int left = std::clamp(field.left, work.left, work.right - width);
    return {left, top, left + width, top + height};
}

}  // namespace zantoli
