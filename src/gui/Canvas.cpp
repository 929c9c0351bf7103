#include "gui/Canvas.h"

#include "gui/PngImage.h"
#include "gui/SystemColors.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace morvane {
namespace {

// round(value / 255) for value in 0 … 65025, without a division.
inline std::uint32_t DivideBy255(std::uint32_t value) {
    value += 128;
    return (value + (value >> 8)) >> 8;
}

inline std::uint32_t PackOpaque(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// Straight-alpha source pixel (R, G, B, A bytes) over an opaque framebuffer word.
inline std::uint32_t BlendOver(const std::uint8_t* rgba, std::uint32_t under) {
    const std::uint32_t a = rgba[3];
    const std::uint32_t rest = 255 - a;
    const std::uint32_t r = DivideBy255(rgba[0] * a + ((under >> 16) & 0xFF) * rest);
    const std::uint32_t g = DivideBy255(rgba[1] * a + ((under >> 8) & 0xFF) * rest);
    const std::uint32_t b = DivideBy255(rgba[2] * a + (under & 0xFF) * rest);
    return PackOpaque(r, g, b);
}

inline void PutPixel(const std::uint8_t* source, bool alpha, std::uint32_t& target) {
    if (!alpha) {
        target = PackOpaque(source[0], source[1], source[2]);
    } else if (source[3] == 255) {
        target = PackOpaque(source[0], source[1], source[2]);
    } else if (source[3] != 0) {
        target = BlendOver(source, target);
    }
}

// Framebuffer words of a picture over the framebuffer: opaque runs are copied as they are, transparent
// pixels are skipped and the rest blended.
void BlendWordsRow(const std::uint32_t* source, std::uint32_t* target, int count) {
    for (int i = 0; i < count;) {
        int run = i;
        while (run < count && (source[run] >> 24) == 255)
            ++run;
        if (run > i) {
            std::memcpy(target + i, source + i, std::size_t(run - i) * sizeof(std::uint32_t));
            i = run;
            continue;
        }
        const std::uint32_t word = source[i];
        if ((word >> 24) != 0) {
            const std::uint8_t rgba[4] = {std::uint8_t(word >> 16), std::uint8_t(word >> 8),
                                          std::uint8_t(word), std::uint8_t(word >> 24)};
            target[i] = BlendOver(rgba, target[i]);
        }
        ++i;
    }
}

} // namespace

void TCanvas::IntersectClipRect(const TRect& logical) {
    clip_ = clip_.Intersect(logical.Offset(origin_.x, origin_.y));
}

void TCanvas::FillRect(const TRect& rect, TColor colour) {
    if (!CanDraw() || colour == clNone) return;
    const TRect area = rect.Offset(origin_.x, origin_.y).Intersect(DeviceClip());
    if (area.IsEmpty()) return;
    // System colours (the default colour of controls) are filled in their real colour.
    const std::uint32_t word = OpaquePixel(ColorToRGB(colour));
    for (int y = area.top; y < area.bottom; ++y) {
        std::uint32_t* row = target_->Row32(y);
        std::fill(row + area.left, row + area.right, word);
    }
}

void TCanvas::SetPixel(int x, int y, TColor colour) {
    FillRect(Bounds(x, y, 1, 1), colour);
}

void TCanvas::Draw(int x, int y, const TPngImage& picture) {
    Draw(x, y, picture, {0, 0, picture.Width(), picture.Height()});
}

void TCanvas::Draw(int x, int y, const TPngImage& picture, const TRect& source) {
    if (!CanDraw()) return;
    const TRect part = source.Intersect({0, 0, picture.Width(), picture.Height()});
    if (part.IsEmpty()) return;
    // Where the whole requested part would land, then cut by the clip.
    const int placedLeft = x + origin_.x + (part.left - source.left);
    const int placedTop = y + origin_.y + (part.top - source.top);
    const TRect area = Bounds(placedLeft, placedTop, part.Width(), part.Height()).Intersect(DeviceClip());
    if (area.IsEmpty()) return;
    BlitPicture(picture, part.left + area.left - placedLeft, part.top + area.top - placedTop, area.left,
                area.top, area.Width(), area.Height());
}

void TCanvas::BlitPicture(const TPngImage& picture, int sx, int sy, int dx, int dy, int w, int h) {
    for (int row = 0; row < h; ++row)
        BlendWordsRow(picture.FramebufferRow(sy + row) + sx, target_->Row32(dy + row) + dx, w);
}

void TCanvas::StretchDraw(const TRect& rect, const TPngImage& picture) {
    if (!CanDraw() || picture.Empty() || rect.IsEmpty()) return;
    const TRect placed = rect.Offset(origin_.x, origin_.y);
    const TRect area = placed.Intersect(DeviceClip());
    if (area.IsEmpty()) return;
    // Each target pixel takes the source pixel under its centre.
    const auto sourceIndex = [](int offset, int targetSize, int sourceSize) {
        return int(((2 * std::int64_t(offset) + 1) * sourceSize) / (2 * std::int64_t(targetSize)));
    };
    std::vector<int> columns(area.Width());
    for (int x = area.left; x < area.right; ++x)
        columns[x - area.left] = sourceIndex(x - placed.left, placed.Width(), picture.Width());
    const int bytesPerPixel = picture.BytesPerPixel();
    for (int y = area.top; y < area.bottom; ++y) {
        const std::uint8_t* source =
            picture.Scanline(sourceIndex(y - placed.top, placed.Height(), picture.Height()));
        std::uint32_t* target = target_->Row32(y);
        for (int x = area.left; x < area.right; ++x)
            PutPixel(source + std::size_t(columns[x - area.left]) * bytesPerPixel, picture.HasAlpha(),
                     target[x]);
    }
}

void TCanvas::CopyRows(int x, int y, const TPixelRows& rows) {
    if (!CanDraw() || rows.width <= 0 || rows.height <= 0) return;
    const TRect placed = Bounds(x + origin_.x, y + origin_.y, rows.width, rows.height);
    const TRect area = placed.Intersect(DeviceClip());
    if (area.IsEmpty()) return;
    const int sx = area.left - placed.left;
    const int sy = area.top - placed.top;
    for (int row = 0; row < area.Height(); ++row) {
        const std::uint8_t* source = rows.Row(sy + row);
        std::uint32_t* target = target_->Row32(area.top + row) + area.left;
        if (rows.format == TPixelFormat::pf32bit) {
            std::memcpy(target, source + std::size_t(sx) * 4, std::size_t(area.Width()) * 4);
        } else {
            const std::uint8_t* bgr = source + std::size_t(sx) * 3;
            for (int i = 0; i < area.Width(); ++i, bgr += 3)
                target[i] = PackOpaque(bgr[2], bgr[1], bgr[0]);
        }
    }
}

} // namespace morvane
