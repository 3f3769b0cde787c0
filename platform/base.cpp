#include "platform/base.h"

#include <algorithm>

namespace platform {

RECT IntersectRects(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.empty()) return RECT{};
    return r;
}

RECT UnionRects(const RECT& a, const RECT& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

RECT OffsetRectBy(RECT r, LONG dx, LONG dy) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
    return r;
}

}  // namespace platform
