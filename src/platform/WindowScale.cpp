#include "platform/WindowScale.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <utility>

namespace morvane {

int ScreenFactorOfDpi(int dpi) {
    return std::clamp(dpi / kBaseDpi, 1, kLargestWindowScale);
}

int EffectiveScale(int preference, int screenFactor) {
    if (preference >= 1 && preference <= kLargestWindowScale) return preference;
    return std::clamp(screenFactor, 1, kLargestWindowScale);
}

std::optional<int> ParseScalePreference(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    const std::size_t last = text.find_last_not_of(" \t");
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    int value = 0;
    auto [at, fault] = std::from_chars(begin, end, value);
    if (fault != std::errc() || at != end || value < kScaleFollowsScreen || value > kLargestWindowScale)
        return std::nullopt;
    return value;
}

int FrameCoordinate(int screenCoordinate, int scale) {
    if (scale <= 1) return screenCoordinate;
    return screenCoordinate >= 0 ? screenCoordinate / scale : -((-screenCoordinate + scale - 1) / scale);
}

TPoint FramePointOf(TPoint screenPoint, int scale) {
    return {FrameCoordinate(screenPoint.x, scale), FrameCoordinate(screenPoint.y, scale)};
}

TRect FrameRectCovering(const TRect& screenRect, int scale) {
    if (scale <= 1) return screenRect;
    // The last pixel inside (right − 1) belongs to a frame pixel that the rectangle must keep.
    return {FrameCoordinate(screenRect.left, scale), FrameCoordinate(screenRect.top, scale),
            FrameCoordinate(screenRect.right - 1, scale) + 1,
            FrameCoordinate(screenRect.bottom - 1, scale) + 1};
}

TRect ScaledRect(const TRect& frameRect, int scale) {
    return {frameRect.left * scale, frameRect.top * scale, frameRect.right * scale, frameRect.bottom * scale};
}

TRegion ScaledRegion(const TRegion& frameRegion, int scale) {
    TRegion scaled;
    for (const TRect& rect : frameRegion.Rects())
        scaled.Add(ScaledRect(rect, scale));
    return scaled;
}

void PresentScaled(const TBitmap& frame, const TRect& rect, int scale, TBitmap& screen) {
    const TRect r = rect.Intersect({0, 0, frame.Width(), frame.Height()})
                        .Intersect({0, 0, screen.Width() / scale, screen.Height() / scale});
    if (r.IsEmpty()) return;
    for (int y = r.top; y < r.bottom; ++y) {
        const std::uint32_t* source = frame.Row32(y) + r.left;
        std::uint32_t* first = screen.Row32(y * scale) + r.left * scale;
        if (scale == 1) {
            std::copy(source, source + r.Width(), first);
            continue;
        }
        // One screen row made from the frame row, then copied whole into the rows below it.
        std::uint32_t* out = first;
        for (int x = 0; x < r.Width(); ++x) {
            std::fill_n(out, scale, source[x]);
            out += scale;
        }
        for (int copy = 1; copy < scale; ++copy)
            std::copy(first, out, screen.Row32(y * scale + copy) + r.left * scale);
    }
}

void TScaledSurface::Resize(int width, int height) {
    screen_.SetSize(width * scale_, height * scale_);
    if (scale_ > 1)
        frame_.SetSize(width, height);
    else
        frame_ = TBitmap();
}

void TScaledSurface::Present(const TBitmap& framebuffer, const TRect& rect) {
    if (Frame().Width() != framebuffer.Width() || Frame().Height() != framebuffer.Height())
        Resize(framebuffer.Width(), framebuffer.Height());
    if (scale_ > 1) PresentScaled(framebuffer, rect, 1, frame_);
    PresentScaled(framebuffer, rect, scale_, screen_);
}

void TScaledSurface::Rescale(int scale) {
    if (scale == scale_) return;
    TBitmap presented = Frame();
    scale_ = scale;
    Resize(presented.Width(), presented.Height());
    PresentScaled(presented, {0, 0, presented.Width(), presented.Height()}, scale_, screen_);
    if (scale_ > 1) frame_ = std::move(presented);
}

} // namespace morvane
