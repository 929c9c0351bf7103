#include "ui/BitmapRegion.h"

#include <cstdlib>
#include <vector>

namespace morvane {
namespace {

struct TRun {
    int left;
    int right;
    std::size_t rect; // the rectangle the run belongs to
};

// The runs of kept pixels in one row.
std::vector<TRun> RowRuns(const TBitmap& bitmap, int y, TColor keyColor, int tolerance) {
    std::vector<TRun> runs;
    int x = 0;
    while (x < bitmap.Width()) {
        while (x < bitmap.Width() && !OutsideColorKey(bitmap.Pixel(x, y), keyColor, tolerance))
            ++x;
        int runStart = x;
        while (x < bitmap.Width() && OutsideColorKey(bitmap.Pixel(x, y), keyColor, tolerance))
            ++x;
        if (x > runStart) runs.push_back({runStart, x, 0});
    }
    return runs;
}

} // namespace

bool OutsideColorKey(TColor color, TColor keyColor, int tolerance) {
    int distance = (std::abs(int(GetRValue(color)) - int(GetRValue(keyColor))) +
                    std::abs(int(GetGValue(color)) - int(GetGValue(keyColor))) +
                    std::abs(int(GetBValue(color)) - int(GetBValue(keyColor)))) /
                   3;
    return distance > tolerance;
}

TRegion RegionFromBitmap(const TBitmap& bitmap, TColor keyColor, int tolerance) {
    // A run equal to one in the row above extends that rectangle downwards, so a plain picture gives a
    // handful of rectangles instead of one per row.
    std::vector<TRect> rects;
    std::vector<TRun> above;
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::vector<TRun> runs = RowRuns(bitmap, y, keyColor, tolerance);
        std::size_t a = 0;
        for (TRun& run : runs) {
            while (a < above.size() && above[a].left < run.left)
                ++a;
            if (a < above.size() && above[a].left == run.left && above[a].right == run.right) {
                run.rect = above[a].rect;
                rects[run.rect].bottom = y + 1;
            } else {
                run.rect = rects.size();
                rects.push_back({run.left, y, run.right, y + 1});
            }
        }
        above = std::move(runs);
    }
    TRegion region;
    for (const TRect& rect : rects)
        region.Add(rect);
    return region;
}

} // namespace morvane
