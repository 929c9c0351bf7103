// Lines, outlines, polygons and gradients on the canvas, in the pen and brush.
#include "gui/Canvas.h"
#include "gui/SystemColors.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace morvane {
namespace {

int Channel(TColor colour, int shift) {
    return int((colour >> shift) & 0xFF);
}

// Line k of n between two colours, per channel, as integer steps from the first colour.
TColor GradientStep(TColor from, TColor to, int k, int n) {
    if (n <= 1) return from & 0xFFFFFF;
    TColor result = 0;
    for (int shift : {0, 8, 16}) {
        const int a = Channel(from, shift);
        const int b = Channel(to, shift);
        result |= TColor(a + k * (b - a) / (n - 1)) << shift;
    }
    return result;
}

} // namespace

void TCanvas::DrawLine(TPoint from, TPoint to, TColor colour, int width) {
    if (width <= 0 || colour == clNone) return;
    colour = ColorToRGB(colour);
    const int before = (width - 1) / 2;
    // Horizontal and vertical lines are rectangles.
    if (from.y == to.y) {
        const int left = from.x <= to.x ? from.x : to.x + 1;
        const int right = from.x <= to.x ? to.x : from.x + 1;
        FillRect({left, from.y - before, right, from.y - before + width}, colour);
        return;
    }
    if (from.x == to.x) {
        const int top = from.y <= to.y ? from.y : to.y + 1;
        const int bottom = from.y <= to.y ? to.y : from.y + 1;
        FillRect({from.x - before, top, from.x - before + width, bottom}, colour);
        return;
    }
    // Bresenham, leaving out the end point as the system does.
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int sx = from.x < to.x ? 1 : -1;
    const int sy = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    TPoint p = from;
    while (p != to) {
        FillRect(Bounds(p.x - before, p.y - before, width, width), colour);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.x += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.y += sy;
        }
    }
}

void TCanvas::LineTo(int x, int y) {
    DrawLine(penPos_, {x, y}, pen_.color, pen_.width);
    penPos_ = {x, y};
}

void TCanvas::FrameRect(const TRect& rect) {
    FrameRect(rect, brush_.color);
}

void TCanvas::FrameRect(const TRect& rect, TColor colour) {
    if (rect.IsEmpty()) return;
    colour = ColorToRGB(colour);
    FillRect({rect.left, rect.top, rect.right, rect.top + 1}, colour);
    FillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
    FillRect({rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1}, colour);
    FillRect({rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1}, colour);
}

void TCanvas::Rectangle(const TRect& rect) {
    if (rect.IsEmpty()) return;
    if (brush_.style == TBrushStyle::bsSolid) FillRect(rect, ColorToRGB(brush_.color));
    for (int i = 0; i < pen_.width && 2 * i < std::min(rect.Width(), rect.Height()); ++i)
        FrameRect({rect.left + i, rect.top + i, rect.right - i, rect.bottom - i}, pen_.color);
}

void TCanvas::RoundRect(const TRect& rect, int corner) {
    corner = std::clamp(corner, 0, std::min(rect.Width(), rect.Height()) / 2);
    if (corner == 0) {
        Rectangle(rect);
        return;
    }
    const int r = rect.right - 1;
    const int b = rect.bottom - 1;
    Polygon({{rect.left + corner, rect.top},
             {r - corner, rect.top},
             {r, rect.top + corner},
             {r, b - corner},
             {r - corner, b},
             {rect.left + corner, b},
             {rect.left, b - corner},
             {rect.left, rect.top + corner}});
}

void TCanvas::FillPolygonSpans(const std::vector<TPoint>& points, TColor colour) {
    int top = points[0].y;
    int bottom = points[0].y;
    for (const TPoint& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const TRect clip = ClipRect();
    top = std::max(top, clip.top);
    bottom = std::min(bottom, clip.bottom - 1);
    std::vector<double> crossings;
    for (int y = top; y <= bottom; ++y) {
        const double centre = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const TPoint a = points[i];
            const TPoint b = points[(i + 1) % points.size()];
            if ((a.y + 0.0 <= centre) == (b.y + 0.0 <= centre)) continue;
            crossings.push_back(a.x + (centre - a.y) * (b.x - a.x) / double(b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            // Pixels whose centres lie inside the span.
            const int left = int(std::ceil(crossings[i] - 0.5));
            const int right = int(std::ceil(crossings[i + 1] - 0.5));
            FillRect({left, y, right, y + 1}, colour);
        }
    }
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (points.size() < 2 || !CanDraw()) return;
    if (brush_.style == TBrushStyle::bsSolid && points.size() >= 3)
        FillPolygonSpans(points, ColorToRGB(brush_.color));
    if (pen_.width <= 0) return;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TPoint a = points[i];
        const TPoint b = points[(i + 1) % points.size()];
        DrawLine(a, b, pen_.color, pen_.width);
    }
}

void TCanvas::GradientFill(const TRect& rect, TColor from, TColor to, int direction) {
    if (rect.IsEmpty()) return;
    from = ColorToRGB(from);
    to = ColorToRGB(to);
    if ((from & 0xFFFFFF) == (to & 0xFFFFFF)) {
        FillRect(rect, from & 0xFFFFFF);
        return;
    }
    const int w = rect.Width();
    const int h = rect.Height();
    switch (direction) {
    case 0:
    case 1:
        for (int k = 0; k < w; ++k) {
            const int x = direction == 0 ? rect.left + k : rect.right - 1 - k;
            FillRect({x, rect.top, x + 1, rect.bottom}, GradientStep(from, to, k, w));
        }
        return;
    case 2:
    case 3:
        for (int k = 0; k < h; ++k) {
            const int y = direction == 2 ? rect.top + k : rect.bottom - 1 - k;
            FillRect({rect.left, y, rect.right, y + 1}, GradientStep(from, to, k, h));
        }
        return;
    default:
        break;
    }
    // Diagonals: line k holds the pixels whose distance in steps from the starting corner is k.
    const int n = w + h - 1;
    const bool reversed = direction == 6 || direction == 7;
    const bool fromRight = direction == 5 || direction == 7;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int k = (fromRight ? w - 1 - x : x) + y;
            if (reversed) k = n - 1 - k;
            SetPixel(rect.left + x, rect.top + y, GradientStep(from, to, k, n));
        }
    }
}

} // namespace morvane
