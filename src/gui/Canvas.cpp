#include "gui/Canvas.h"

#include "gui/PngImage.h"
#include "gui/SystemColors.h"

#include <algorithm>
#include <cstring>
#include <span>
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

// A framebuffer word of a picture (straight alpha) over an opaque framebuffer word, with the same rounding
// as BlendOver: red and blue travel together in the two 16-bit halves of one word (a product and its
// rounding stay below 65536, so neither half spills into the other), green on its own.
inline std::uint32_t BlendWord(std::uint32_t source, std::uint32_t under) {
    const std::uint32_t a = source >> 24;
    const std::uint32_t rest = 255 - a;
    std::uint32_t redBlue = (source & 0x00FF00FFu) * a + (under & 0x00FF00FFu) * rest + 0x00800080u;
    redBlue = ((redBlue + ((redBlue >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    std::uint32_t green = ((source >> 8) & 0xFFu) * a + ((under >> 8) & 0xFFu) * rest + 0x80u;
    green = (green + (green >> 8)) >> 8;
    return 0xFF000000u | redBlue | (green << 8);
}

void BlendRun(const std::uint32_t* source, std::uint32_t* target, int count) {
    for (int i = 0; i < count; ++i)
        target[i] = BlendWord(source[i], target[i]);
}

// Picture pixels [from, from + count) of one row over the framebuffer at `target`, run by run: opaque runs
// are copied, transparent ones skipped and only the rest blended.
void DrawPictureRow(std::span<const TPngImage::TPixelRun> runs, const std::uint32_t* source, int from,
                    int count, std::uint32_t* target) {
    const int to = from + count;
    int x = 0;
    for (const TPngImage::TPixelRun& run : runs) {
        const int begin = std::max(x, from);
        x += run.Length;
        const int end = std::min(x, to);
        if (end <= begin) {
            if (x >= to) break;
            continue;
        }
        const int length = end - begin;
        std::uint32_t* out = target + (begin - from);
        if (run.Kind == TPngImage::TAlphaRun::Opaque)
            std::memcpy(out, source + begin, std::size_t(length) * sizeof(std::uint32_t));
        else if (run.Kind == TPngImage::TAlphaRun::Blended)
            BlendRun(source + begin, out, length);
        if (x >= to) break;
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
        DrawPictureRow(picture.FramebufferRuns(sy + row), picture.FramebufferRow(sy + row), sx, w,
                       target_->Row32(dy + row) + dx);
}

void TCanvas::Draw(int x, int y, const TPngImage& picture, TBlendCache& cache) {
    if (!CanDraw() || picture.Empty()) return;
    const TRect placed = Bounds(x + origin_.x, y + origin_.y, picture.Width(), picture.Height());
    const TRect area = placed.Intersect(DeviceClip());
    if (area.IsEmpty()) return;
    const int w = picture.Width();
    if (cache.picture_ != &picture || cache.width_ != w || cache.height_ != picture.Height()) {
        // A fresh cache holds the picture over zero words, which is what it would have made of them.
        cache.picture_ = &picture;
        cache.width_ = w;
        cache.height_ = picture.Height();
        cache.under_.assign(std::size_t(w) * cache.height_, 0);
        cache.result_.assign(cache.under_.size(), 0);
        for (int row = 0; row < cache.height_; ++row)
            DrawPictureRow(picture.FramebufferRuns(row), picture.FramebufferRow(row), 0, w,
                           cache.result_.data() + std::size_t(row) * w);
    }
    const int sx = area.left - placed.left;
    const int count = area.Width();
    const std::size_t bytes = std::size_t(count) * sizeof(std::uint32_t);
    for (int dy = area.top; dy < area.bottom; ++dy) {
        const int sy = dy - placed.top;
        const std::size_t at = std::size_t(sy) * w + std::size_t(sx);
        std::uint32_t* target = target_->Row32(dy) + area.left;
        if (std::memcmp(target, cache.under_.data() + at, bytes) != 0) {
            std::memcpy(cache.under_.data() + at, target, bytes);
            std::memcpy(cache.result_.data() + at, target, bytes);
            DrawPictureRow(picture.FramebufferRuns(sy), picture.FramebufferRow(sy), sx, count,
                           cache.result_.data() + at);
        }
        std::memcpy(target, cache.result_.data() + at, bytes);
    }
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
