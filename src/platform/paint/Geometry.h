// Rectangles and points in the pixel coordinates of a composed frame.
#pragma once

#include <algorithm>

namespace paint {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;

    int Right() const { return x + w; }
    int Bottom() const { return y + h; }
    bool Empty() const { return w <= 0 || h <= 0; }
    bool Contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
    Rect Inflated(int d) const { return Rect{x - d, y - d, w + 2 * d, h + 2 * d}; }
    Rect Moved(int dx, int dy) const { return Rect{x + dx, y + dy, w, h}; }
    Rect Intersect(const Rect& o) const {
        int l = std::max(x, o.x), t = std::max(y, o.y);
        int r = std::min(Right(), o.Right()), b = std::min(Bottom(), o.Bottom());
        return r > l && b > t ? Rect{l, t, r - l, b - t} : Rect{l, t, 0, 0};
    }
    bool operator==(const Rect&) const = default;
};

} // namespace paint
