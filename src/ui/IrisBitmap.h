#pragma once

#include "base/Types.h"
#include "gui/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace morvane {

class TCanvas;

// A 24-bit top-down pixel store with fast whole-picture colour operations. Pixels are blue, green, red;
// rows are 3 × width bytes rounded up to a multiple of 4. It is empty while either side is 0.
class TIrisBitmap {
public:
    // Channel bits of the colour operations.
    static constexpr int kBlue = 4;
    static constexpr int kGreen = 2;
    static constexpr int kRed = 1;
    static constexpr int kAllChannels = kBlue | kGreen | kRed;

    TIrisBitmap() = default;
    TIrisBitmap(const TIrisBitmap&) = delete;
    TIrisBitmap& operator=(const TIrisBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return bits_.empty(); }
    std::size_t Stride() const { return stride_; }
    std::uint8_t* ScanLine(int y) { return bits_.data() + std::size_t(y) * stride_; }
    const std::uint8_t* ScanLine(int y) const { return bits_.data() + std::size_t(y) * stride_; }
    // The colour at (x, y) as 0x00BBGGRR, or clNone outside the bitmap.
    TColor Pixel(int x, int y) const;

    // Negative sides count as 0. A new size gives new pixels (all 0); the same size changes nothing.
    // Sides above TBitmap::kMaxSide raise std::length_error.
    void SetSize(int width, int height);
    void Assign(const TIrisBitmap* source);
    // A standard bitmap's pixels in 24-bit form (alpha dropped).
    void Assign(const TBitmap* source);
    void Assign(std::nullptr_t) { SetSize(0, 0); }
    // Makes `target` a 24-bit copy of this bitmap.
    void AssignTo(TBitmap& target) const;
    // Copies the pixels 1:1 to the rectangle's top-left corner; the picture is not stretched.
    void Draw(TCanvas& canvas, const TRect& rect) const;

    // Every pixel becomes grey, B div 3 + G div 3 + R div 3, in the channels of the mask (kAllChannels for
    // a plain grey picture).
    void Grey(int mask);
    // Moves the masked channels towards white (amount up to 100) or black (down to -100); amounts outside
    // -100 … 100 act as the nearest end.
    void LightenDarken(int amount, int mask);

    std::function<void()> OnChange;

private:
    void Changed() const {
        if (OnChange) OnChange();
    }
    // Sets the size without the change notice; true when it changed.
    bool Reallocate(int width, int height);
    template <typename Map>
    void MapChannels(int mask, Map map);

    int width_{0};
    int height_{0};
    std::size_t stride_{0};
    std::vector<std::uint8_t> bits_;
};

} // namespace morvane
