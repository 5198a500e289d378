// Where the suggestion list goes beside the input line, in pixels of the
// screen: inside the work area of the input line's monitor, never over the
// taskbar nor off the monitor.
#pragma once

namespace zantoli {

struct PixelRect {
    int left, top, right, bottom;
    bool operator==(const PixelRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// A list `width` x `height` under `field` when it fits in `work`, else
// above it when it fits there, else on the side with more room, cut to it.
// Left-aligned with the field, moved left as far as the work area needs.
PixelRect PlaceBesideField(const PixelRect& field, const PixelRect& work, int width, int height);

}  // namespace zantoli
