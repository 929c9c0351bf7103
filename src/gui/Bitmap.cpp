#include "gui/Bitmap.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace morvane {

TBitmap::TBitmap(int width, int height, TPixelFormat format) : format_(format) {
    SetSize(width, height);
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width > kMaxSide || height > kMaxSide || std::int64_t(width) * height > kMaxPixels)
        throw std::length_error("bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                                " pixels is too large");
    width_ = width;
    height_ = height;
    Allocate();
}

void TBitmap::Allocate() {
    const std::size_t rowBytes = std::size_t(width_) * BytesPerPixel();
    stride_ = format_ == TPixelFormat::pf32bit ? rowBytes : (rowBytes + 3) & ~std::size_t(3);
    words_.assign(stride_ / 4 * height_, 0);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == format_) return;
    TBitmap converted;
    converted.format_ = format;
    converted.width_ = width_;
    converted.height_ = height_;
    converted.Allocate();
    for (int y = 0; y < height_; ++y) {
        const std::uint8_t* from = ScanLine(y);
        std::uint8_t* to = converted.ScanLine(y);
        for (int x = 0; x < width_; ++x) {
            if (format == TPixelFormat::pf32bit) {
                to[4 * x] = from[3 * x];
                to[4 * x + 1] = from[3 * x + 1];
                to[4 * x + 2] = from[3 * x + 2];
                to[4 * x + 3] = 255;
            } else {
                to[3 * x] = from[4 * x];
                to[3 * x + 1] = from[4 * x + 1];
                to[3 * x + 2] = from[4 * x + 2];
            }
        }
    }
    *this = std::move(converted);
}

TColor TBitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
    const std::uint8_t* p = ScanLine(y) + std::size_t(x) * BytesPerPixel();
    return RGB(p[2], p[1], p[0]);
}

std::uint8_t TBitmap::Alpha(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    if (format_ == TPixelFormat::pf24bit) return 255;
    return ScanLine(y)[std::size_t(x) * 4 + 3];
}

void TBitmap::SetPixel(int x, int y, TColor colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    std::uint8_t* p = ScanLine(y) + std::size_t(x) * BytesPerPixel();
    p[0] = GetBValue(colour);
    p[1] = GetGValue(colour);
    p[2] = GetRValue(colour);
    if (format_ == TPixelFormat::pf32bit) p[3] = 255;
}

} // namespace morvane
