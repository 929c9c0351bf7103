#pragma once

#include "base/Types.h"
#include "gui/Bitmap.h"

namespace morvane {

class TPngImage;

// Draws onto a pf32bit framebuffer. Positions are logical: the origin is added to reach framebuffer pixels,
// and nothing outside the clip rectangle (or the framebuffer) is ever written.
// The framebuffer is treated as an opaque surface: every pixel the canvas writes gets alpha 255, and
// pictures are blended over the colour that is there.
class TCanvas {
public:
    // The target must stay pf32bit while the canvas draws on it; a canvas over another format draws nothing.
    explicit TCanvas(TBitmap& target) : target_(&target) {}

    TBitmap& Target() const { return *target_; }

    // The origin is where logical (0, 0) lies in the framebuffer.
    TPoint Origin() const { return origin_; }
    void SetOrigin(TPoint origin) { origin_ = origin; }
    void MoveOrigin(int dx, int dy) { origin_ = {origin_.x + dx, origin_.y + dy}; }

    // The clip rectangle in logical coordinates, already cut to the framebuffer.
    TRect ClipRect() const { return DeviceClip().Offset(-origin_.x, -origin_.y); }
    // Clipping is only ever narrowed while drawing; a saver restores the wider clip afterwards.
    void IntersectClipRect(const TRect& logical);
    // Drops any clipping: the whole framebuffer may be drawn again.
    void ResetClip() { clip_ = kUnclipped; }

    void FillRect(const TRect& rect, TColor colour);
    // A picture at (x, y); RGBA pictures are blended by their alpha, RGB pictures are opaque.
    void Draw(int x, int y, const TPngImage& picture);
    // The part `source` (picture pixels) of a picture with its top-left corner at (x, y).
    void Draw(int x, int y, const TPngImage& picture, const TRect& source);
    // The picture scaled to fill `rect`, nearest pixel, blended like Draw.
    void StretchDraw(const TRect& rect, const TPngImage& picture);
    // Copies a bitmap's pixels unblended: pf32bit words as they are, pf24bit pixels with alpha 255.
    void Draw(int x, int y, const TBitmap& bitmap) { CopyRows(x, y, bitmap.Rows()); }
    void CopyRows(int x, int y, const TPixelRows& rows);

    // The colour at a logical position, or clNone outside the framebuffer.
    TColor Pixel(int x, int y) const { return target_->Pixel(x + origin_.x, y + origin_.y); }
    void SetPixel(int x, int y, TColor colour);

private:
    static constexpr TRect kUnclipped{-0x3FFFFFFF, -0x3FFFFFFF, 0x3FFFFFFF, 0x3FFFFFFF};

    bool CanDraw() const { return target_->PixelFormat() == TPixelFormat::pf32bit && !target_->Empty(); }
    TRect DeviceClip() const { return clip_.Intersect({0, 0, target_->Width(), target_->Height()}); }
    // Blits picture pixels [sx, sx + w) × [sy, sy + h) to framebuffer (dx, dy), all already clipped.
    void BlitPicture(const TPngImage& picture, int sx, int sy, int dx, int dy, int w, int h);

    friend class TCanvasSaver;

    TBitmap* target_;
    TRect clip_{kUnclipped};
    TPoint origin_{};
};

// Keeps a canvas's clip and origin for a scope, so that a nested paint cannot leak its changes.
class TCanvasSaver {
public:
    explicit TCanvasSaver(TCanvas& canvas) : canvas_(canvas), clip_(canvas.clip_), origin_(canvas.origin_) {}
    ~TCanvasSaver() {
        canvas_.clip_ = clip_;
        canvas_.origin_ = origin_;
    }
    TCanvasSaver(const TCanvasSaver&) = delete;
    TCanvasSaver& operator=(const TCanvasSaver&) = delete;

private:
    TCanvas& canvas_;
    TRect clip_;
    TPoint origin_;
};

} // namespace morvane
