#include "ui/NinePart.h"

#include "gui/Canvas.h"
#include "gui/PngImage.h"

#include <algorithm>
#include <cstring>

namespace morvane {
namespace {

// The picture as opaque framebuffer words, blended over black where it is translucent, so that the
// stretching below is plain word copying.
TBitmap PictureAsWords(const TPngImage& picture) {
    TBitmap words(picture.Width(), picture.Height());
    TCanvas canvas(words);
    canvas.Draw(0, 0, picture);
    return words;
}

// Step 1: the rows of the picture into columns 0 … w − 1 of the target, row `cy` repeated in the middle.
void StretchRows(const TBitmap& source, int cy, TBitmap& target) {
    const int h = source.Height();
    const int targetHeight = target.Height();
    const int bottomStart = targetHeight - (h - cy);
    const std::size_t columns = std::size_t(std::min(source.Width(), target.Width()));
    auto copyRow = [&](int sourceRow, int targetRow) {
        if (targetRow < 0 || targetRow >= targetHeight) return;
        std::memcpy(target.Row32(targetRow), source.Row32(sourceRow), columns * 4);
    };
    for (int y = cy; y < bottomStart; ++y)
        copyRow(cy, y);
    for (int y = 0; y < cy; ++y)
        copyRow(y, y);
    for (int y = cy; y < h; ++y)
        copyRow(y, bottomStart + (y - cy));
}

// Step 2, on the target itself: columns cx … w − 1 moved to the right edge, column cx repeated between.
void StretchColumns(int pictureWidth, int cx, TBitmap& target) {
    const int targetWidth = target.Width();
    const int rightStart = targetWidth - (pictureWidth - cx);
    for (int y = 0; y < target.Height(); ++y) {
        std::uint32_t* row = target.Row32(y);
        // Right to left, so a column is read before a copy can overwrite it.
        for (int x = pictureWidth - 1; x >= cx; --x) {
            int to = rightStart + (x - cx);
            if (to >= 0 && to < targetWidth && x < targetWidth) row[to] = row[x];
        }
        if (cx < targetWidth) {
            std::uint32_t middle = row[cx];
            for (int x = cx; x < rightStart && x < targetWidth; ++x)
                row[x] = middle;
        }
    }
}

} // namespace

void RenderNinePart(const TPngImage* picture, int centerX, int centerY, TBitmap& target) {
    target.SetSize(target.Width(), target.Height());
    if (!picture || picture->Empty() || target.Empty()) return;
    const int cx = std::clamp(centerX, 0, picture->Width() - 1);
    const int cy = std::clamp(centerY, 0, picture->Height() - 1);
    TBitmap source = PictureAsWords(*picture);
    StretchRows(source, cy, target);
    StretchColumns(picture->Width(), cx, target);
}

} // namespace morvane
