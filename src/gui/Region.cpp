#include "gui/Region.h"

#include <algorithm>

namespace morvane {

void TRegion::Add(const TRect& rect) {
    if (rect.IsEmpty()) return;
    for (const TRect& r : rects_)
        if (r.left <= rect.left && r.top <= rect.top && r.right >= rect.right && r.bottom >= rect.bottom)
            return;
    std::erase_if(rects_, [&](const TRect& r) {
        return rect.left <= r.left && rect.top <= r.top && rect.right >= r.right && rect.bottom >= r.bottom;
    });
    rects_.push_back(rect);
}

void TRegion::Add(const TRegion& other) {
    for (const TRect& r : other.rects_)
        Add(r);
}

void TRegion::Offset(int dx, int dy) {
    for (TRect& r : rects_)
        r = r.Offset(dx, dy);
}

bool TRegion::Contains(TPoint point) const {
    return std::any_of(rects_.begin(), rects_.end(), [&](const TRect& r) { return r.Contains(point); });
}

TRect TRegion::Bounds() const {
    if (rects_.empty()) return {};
    TRect b = rects_.front();
    for (const TRect& r : rects_) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

} // namespace morvane
