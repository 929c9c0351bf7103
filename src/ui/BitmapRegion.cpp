#include "ui/BitmapRegion.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace morvane {
namespace {

struct TRun {
    int left;
    int right;
    std::size_t rect; // the rectangle the run belongs to
};

// Whether each pixel of a row lies outside the key, read straight from the row (blue, green, red bytes
// in both formats): the test runs once for every pixel of a window-sized skin, so it compares the sum of the
// three distances with a threshold instead of dividing, and the loop is one the compiler can vectorise.
template <std::size_t kStep>
void KeptPixelsOfRow(const std::uint8_t* p, int width, int keyRed, int keyGreen, int keyBlue, int threshold,
                     std::uint8_t* kept) {
    for (int x = 0; x < width; ++x, p += kStep) {
        const int sum =
            std::abs(int(p[2]) - keyRed) + std::abs(int(p[1]) - keyGreen) + std::abs(int(p[0]) - keyBlue);
        kept[x] = std::uint8_t(sum >= threshold);
    }
}

void KeptPixels(const TBitmap& bitmap, int y, TColor keyColor, int tolerance,
                std::vector<std::uint8_t>& kept) {
    // (sum / 3 > tolerance) == (sum >= 3 * tolerance + 3) for the sums 0 … 765; the clamp keeps the
    // threshold from overflowing and changes no answer.
    const int threshold = 3 * std::clamp(tolerance, -1, 255) + 3;
    kept.resize(std::size_t(bitmap.Width()));
    const std::uint8_t* p = bitmap.ScanLine(y);
    if (bitmap.BytesPerPixel() == 4)
        KeptPixelsOfRow<4>(p, bitmap.Width(), GetRValue(keyColor), GetGValue(keyColor), GetBValue(keyColor),
                           threshold, kept.data());
    else
        KeptPixelsOfRow<3>(p, bitmap.Width(), GetRValue(keyColor), GetGValue(keyColor), GetBValue(keyColor),
                           threshold, kept.data());
}

// The runs of kept pixels in one row.
std::vector<TRun> RowRuns(const TBitmap& bitmap, int y, TColor keyColor, int tolerance,
                          std::vector<std::uint8_t>& kept) {
    KeptPixels(bitmap, y, keyColor, tolerance, kept);
    std::vector<TRun> runs;
    const int width = bitmap.Width();
    int x = 0;
    while (x < width) {
        while (x < width && !kept[std::size_t(x)])
            ++x;
        const int runStart = x;
        while (x < width && kept[std::size_t(x)])
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
    std::vector<std::uint8_t> kept;
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::vector<TRun> runs = RowRuns(bitmap, y, keyColor, tolerance, kept);
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
