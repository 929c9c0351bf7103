#pragma once

#include "base/Types.h"

#include <vector>

namespace morvane {

// A set of pixels kept as rectangles (not necessarily disjoint). Window shapes and dirty areas use it.
class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect& rect) { Add(rect); }

    void Add(const TRect& rect);
    void Add(const TRegion& other);
    void Clear() { rects_.clear(); }
    void Offset(int dx, int dy);

    bool Empty() const { return rects_.empty(); }
    bool Contains(TPoint point) const;
    TRect Bounds() const;
    const std::vector<TRect>& Rects() const { return rects_; }

private:
    std::vector<TRect> rects_;
};

} // namespace morvane
