#pragma once

#include "base/Types.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace morvane {

enum class TPixelFormat { pf24bit, pf32bit };

// A read-only view of pixel rows in one of the bitmap formats, so that pixel stores of other layers can be
// drawn without a copy.
struct TPixelRows {
    const std::uint8_t* bits{nullptr};
    std::size_t stride{0};
    int width{0};
    int height{0};
    TPixelFormat format{TPixelFormat::pf32bit};

    const std::uint8_t* Row(int y) const { return bits + std::size_t(y) * stride; }
};

// A device-independent pixel buffer, rows top-down.
//  pf32bit: one 32-bit word a pixel, 0xAARRGGBB, so the bytes in memory are blue, green, red, alpha as in a
//           32-bit DIB; rows are 4 × width bytes. This is the framebuffer form the canvas draws on.
//  pf24bit: blue, green, red bytes; rows are padded to a multiple of 4 bytes as in a 24-bit DIB.
// New pixels are 0 (black; alpha 0 in pf32bit).
class TBitmap {
public:
    // Larger sides, or more pixels in all, are refused with std::length_error rather than attempting a
    // giant allocation: 32767 x 32767 at four bytes a pixel would not even fit a 32-bit size. The area
    // holds any picture the PNG reader accepts (8192 x 8192), 256 MiB at most.
    static constexpr int kMaxSide = 32767;
    static constexpr std::int64_t kMaxPixels = std::int64_t(8192) * 8192;

    TBitmap() = default;
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf32bit);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    TPixelFormat PixelFormat() const { return format_; }
    int BytesPerPixel() const { return format_ == TPixelFormat::pf32bit ? 4 : 3; }
    std::size_t Stride() const { return stride_; }

    // Negative sizes count as 0; the pixels of the new size are all 0.
    void SetSize(int width, int height);
    // Converts the pixels: 24 → 32 bits gives alpha 255, 32 → 24 bits drops alpha.
    void SetPixelFormat(TPixelFormat format);
    void Assign(const TBitmap& source) { *this = source; }

    std::uint8_t* ScanLine(int y) { return reinterpret_cast<std::uint8_t*>(Row32(y)); }
    const std::uint8_t* ScanLine(int y) const { return reinterpret_cast<const std::uint8_t*>(Row32(y)); }
    // Rows of a pf32bit bitmap as words.
    std::uint32_t* Row32(int y) { return words_.data() + std::size_t(y) * (stride_ / 4); }
    const std::uint32_t* Row32(int y) const { return words_.data() + std::size_t(y) * (stride_ / 4); }
    TPixelRows Rows() const { return {ScanLine(0), stride_, width_, height_, format_}; }

    // The colour at (x, y) as 0x00BBGGRR, or clNone outside the bitmap.
    TColor Pixel(int x, int y) const;
    // The alpha byte at (x, y); 255 for pf24bit, 0 outside the bitmap.
    std::uint8_t Alpha(int x, int y) const;
    // Sets the colour (alpha 255 in pf32bit); positions outside the bitmap are ignored.
    void SetPixel(int x, int y, TColor colour);

private:
    void Allocate();

    int width_{0};
    int height_{0};
    TPixelFormat format_{TPixelFormat::pf32bit};
    std::size_t stride_{0};
    // Stored as words so that pf32bit rows are read as words without aliasing tricks; every stride is a
    // multiple of 4 bytes.
    std::vector<std::uint32_t> words_;
};

// 0xAARRGGBB framebuffer word of an opaque colour.
constexpr std::uint32_t OpaquePixel(TColor colour) {
    return 0xFF000000u | (std::uint32_t(GetRValue(colour)) << 16) | (std::uint32_t(GetGValue(colour)) << 8) |
           GetBValue(colour);
}

} // namespace morvane
