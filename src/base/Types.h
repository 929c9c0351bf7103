#pragma once

#include <cstdint>

// The plain values every layer draws and places with: colours, points, sizes and rectangles.
namespace morvane {

// Colours are 0x00BBGGRR; system colours carry 0xFF in the high byte.
using TColor = std::uint32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clFuchsia = 0xFF00FF;

constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
constexpr std::uint8_t GetRValue(TColor c) {
    return std::uint8_t(c & 0xFF);
}
constexpr std::uint8_t GetGValue(TColor c) {
    return std::uint8_t((c >> 8) & 0xFF);
}
constexpr std::uint8_t GetBValue(TColor c) {
    return std::uint8_t((c >> 16) & 0xFF);
}

struct TPoint {
    int x{0};
    int y{0};
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx{0};
    int cy{0};
    friend bool operator==(const TSize&, const TSize&) = default;
};

// Left and top are inside, right and bottom just outside, as window rectangles are.
struct TRect {
    int left{0};
    int top{0};
    int right{0};
    int bottom{0};

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(TPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr TRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    constexpr TRect Intersect(const TRect& o) const {
        TRect r{left > o.left ? left : o.left, top > o.top ? top : o.top, right < o.right ? right : o.right,
                bottom < o.bottom ? bottom : o.bottom};
        if (r.IsEmpty()) return {};
        return r;
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

} // namespace morvane
