#include "ui/IrisBitmap.h"

#include "gui/Canvas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

namespace morvane {

TColor TIrisBitmap::Pixel(int x, int y) const {
    if (Empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
    const std::uint8_t* p = ScanLine(y) + std::size_t(x) * 3;
    return RGB(p[2], p[1], p[0]);
}

void TIrisBitmap::SetSize(int width, int height) {
    if (Reallocate(width, height)) Changed();
}

bool TIrisBitmap::Reallocate(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return false;
    if (width > TBitmap::kMaxSide || height > TBitmap::kMaxSide)
        throw std::length_error("bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                                " pixels is too large");
    bits_.clear();
    bits_.shrink_to_fit();
    width_ = width;
    height_ = height;
    stride_ = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    if (width > 0 && height > 0) bits_.assign(stride_ * height, 0);
    return true;
}

void TIrisBitmap::Assign(const TIrisBitmap* source) {
    if (source == this) return;
    if (!source) return Assign(nullptr);
    Reallocate(source->width_, source->height_);
    bits_ = source->bits_;
    Changed();
}

void TIrisBitmap::Assign(const TBitmap* source) {
    if (!source) return Assign(nullptr);
    Reallocate(source->Width(), source->Height());
    const int sourceStep = source->BytesPerPixel();
    for (int y = 0; y < height_ && !Empty(); ++y) {
        const std::uint8_t* from = source->ScanLine(y);
        std::uint8_t* to = ScanLine(y);
        for (int x = 0; x < width_; ++x, from += sourceStep, to += 3)
            std::memcpy(to, from, 3);
    }
    Changed();
}

void TIrisBitmap::AssignTo(TBitmap& target) const {
    target.SetPixelFormat(TPixelFormat::pf24bit);
    target.SetSize(width_, height_);
    if (Empty()) return;
    // Both stores pad 24-bit rows to 4 bytes.
    for (int y = 0; y < height_; ++y)
        std::memcpy(target.ScanLine(y), ScanLine(y), std::size_t(width_) * 3);
}

void TIrisBitmap::Draw(TCanvas& canvas, const TRect& rect) const {
    if (Empty()) return;
    canvas.CopyRows(rect.left, rect.top, {bits_.data(), stride_, width_, height_, TPixelFormat::pf24bit});
}

template <typename Map>
void TIrisBitmap::MapChannels(int mask, Map map) {
    const bool blue = mask & kBlue;
    const bool green = mask & kGreen;
    const bool red = mask & kRed;
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* p = ScanLine(y);
        for (int x = 0; x < width_; ++x, p += 3)
            map(p, blue, green, red);
    }
}

void TIrisBitmap::Grey(int mask) {
    MapChannels(mask, [](std::uint8_t* p, bool blue, bool green, bool red) {
        const std::uint8_t grey = std::uint8_t(p[0] / 3 + p[1] / 3 + p[2] / 3);
        if (blue) p[0] = grey;
        if (green) p[1] = grey;
        if (red) p[2] = grey;
    });
    Changed();
}

void TIrisBitmap::LightenDarken(int amount, int mask) {
    if (Empty() || (mask & kAllChannels) == 0) return;
    amount = std::clamp(amount, -100, 100);
    // The amount mapped linearly from -100 … 100 onto -256 … 256 (512 / 200 × (a + 100) − 256 = 64a / 25).
    const int b = int(std::lround(64.0 * amount / 25.0));
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        const int value = b < 1 ? i - (i * -b) / 256 : i + (b * (255 - i)) / 256;
        table[i] = std::uint8_t(std::clamp(value, 0, 255));
    }
    MapChannels(mask, [&table](std::uint8_t* p, bool blue, bool green, bool red) {
        if (blue) p[0] = table[p[0]];
        if (green) p[1] = table[p[1]];
        if (red) p[2] = table[p[2]];
    });
    Changed();
}

} // namespace morvane
