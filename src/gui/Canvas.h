#pragma once

#include "base/Types.h"
#include "gui/Bitmap.h"
#include "gui/Font.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace morvane {

class TPngImage;

// Layout flags of TCanvas::DrawText, with the system's values (named apart from the system's macros so
// that a backend including the system headers still compiles).
inline constexpr std::uint32_t dtLeft = 0x0;
inline constexpr std::uint32_t dtCenter = 0x1;
inline constexpr std::uint32_t dtRight = 0x2;
inline constexpr std::uint32_t dtVCenter = 0x4;
inline constexpr std::uint32_t dtBottom = 0x8;
inline constexpr std::uint32_t dtWordBreak = 0x10;
inline constexpr std::uint32_t dtSingleLine = 0x20;
inline constexpr std::uint32_t dtCalcRect = 0x400;
inline constexpr std::uint32_t dtNoPrefix = 0x800;
inline constexpr std::uint32_t dtEndEllipsis = 0x8000;
inline constexpr std::uint32_t dtWordEllipsis = 0x40000;

enum class TBrushStyle { bsSolid, bsClear };

// What one picture blended to over a backdrop that seldom changes (a bar's translucent background over the
// still felt): per pixel, the framebuffer word that was under it and the word the blend made of it. Drawing
// through the cache copies the kept result wherever the backdrop is as it was and blends only rows whose
// backdrop changed, so the cache needs no invalidation from outside. It belongs to one picture; another
// picture, or the same one with new pixels, starts it afresh after Reset.
class TBlendCache {
public:
    void Reset() {
        picture_ = nullptr;
        under_.clear();
        result_.clear();
    }

private:
    friend class TCanvas;
    const TPngImage* picture_{nullptr};
    int width_{0};
    int height_{0};
    std::vector<std::uint32_t> under_;
    std::vector<std::uint32_t> result_;
};

// Fill state: shapes are filled with the colour unless the style is clear; text with a solid brush gets
// its cell filled first.
struct TBrush {
    TColor color{clWhite};
    TBrushStyle style{TBrushStyle::bsSolid};
};

struct TPen {
    TColor color{clBlack};
    int width{1};
};

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
    // The same picture, through a cache of what it blended to over the backdrop last time; the pixels are
    // exactly those Draw would write.
    void Draw(int x, int y, const TPngImage& picture, TBlendCache& cache);
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

    // [SECTION] Drawing state
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    TBrush& Brush() { return brush_; }
    TPen& Pen() { return pen_; }

    // [SECTION] Text (GBK), measured and drawn by the application's text engine in the current font
    TSize TextExtent(std::string_view text) const;
    int TextWidth(std::string_view text) const { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) const { return TextExtent(text).cy; }
    // Text with its cell's top-left corner at (x, y); a solid brush fills the cell first.
    void TextOut(int x, int y, std::string_view text);
    // Like TextOut, but only inside `rect` (the brush fills the whole rectangle).
    void TextRect(const TRect& rect, int x, int y, std::string_view text);
    // Lays the text out in `rect` by the dt flags and draws it (unless dtCalcRect); returns the height used.
    // Word wrap and ellipsis cut between whole GBK characters.
    int DrawText(const TRect& rect, std::string_view text, std::uint32_t flags);

    // [SECTION] Shapes, in the pen and brush
    void MoveTo(int x, int y) { penPos_ = {x, y}; }
    // A line from the pen position up to (not including) (x, y), which becomes the pen position.
    void LineTo(int x, int y);
    TPoint PenPos() const { return penPos_; }
    // A one-pixel outline in the brush colour (or in `colour`).
    void FrameRect(const TRect& rect);
    void FrameRect(const TRect& rect, TColor colour);
    // Filled with the brush (unless clear), outlined with the pen.
    void Rectangle(const TRect& rect);
    // A rectangle whose corners are cut diagonally by `corner` pixels.
    void RoundRect(const TRect& rect, int corner);
    // Filled with the brush by the even-odd rule at pixel centres, outlined with the pen when its width > 0.
    void Polygon(const std::vector<TPoint>& points);
    // Colour lines from `from` to `to` across the rectangle. Directions: 0 left to right, 1 right to left,
    // 2 top to bottom, 3 bottom to top, 4 top-left to bottom-right, 5 top-right to bottom-left, 6 and 7 the
    // diagonals reversed. Line k of n gets from + k * (to - from) / (n - 1) in each channel.
    void GradientFill(const TRect& rect, TColor from, TColor to, int direction);

private:
    static constexpr TRect kUnclipped{-0x3FFFFFFF, -0x3FFFFFFF, 0x3FFFFFFF, 0x3FFFFFFF};

    bool CanDraw() const { return target_->PixelFormat() == TPixelFormat::pf32bit && !target_->Empty(); }
    TRect DeviceClip() const { return clip_.Intersect({0, 0, target_->Width(), target_->Height()}); }
    // Blits picture pixels [sx, sx + w) × [sy, sy + h) to framebuffer (dx, dy), all already clipped.
    void BlitPicture(const TPngImage& picture, int sx, int sy, int dx, int dy, int w, int h);

    friend class TCanvasSaver;

    void FillPolygonSpans(const std::vector<TPoint>& points, TColor colour);
    void DrawLine(TPoint from, TPoint to, TColor colour, int width);

    TBitmap* target_;
    TRect clip_{kUnclipped};
    TPoint origin_{};
    TFont font_;
    TBrush brush_;
    TPen pen_;
    TPoint penPos_{};
};

// Keeps a canvas's whole drawing state for a scope: clip, origin, font, brush, pen and pen position, so
// that a nested paint cannot leak its changes to what is painted after it.
class TCanvasSaver {
public:
    explicit TCanvasSaver(TCanvas& canvas)
        : canvas_(canvas), clip_(canvas.clip_), origin_(canvas.origin_), font_(canvas.font_),
          brush_(canvas.brush_), pen_(canvas.pen_), penPos_(canvas.penPos_) {}
    ~TCanvasSaver() {
        canvas_.clip_ = clip_;
        canvas_.origin_ = origin_;
        canvas_.font_.Assign(font_);
        canvas_.brush_ = brush_;
        canvas_.pen_ = pen_;
        canvas_.penPos_ = penPos_;
    }
    TCanvasSaver(const TCanvasSaver&) = delete;
    TCanvasSaver& operator=(const TCanvasSaver&) = delete;

private:
    TCanvas& canvas_;
    TRect clip_;
    TPoint origin_;
    TFont font_;
    TBrush brush_;
    TPen pen_;
    TPoint penPos_;
};

} // namespace morvane
