#include "ui/ISXPScrollBarSkinner.h"

namespace morvane {
namespace {

// Gripper lines of the thumb: how many, their spacing and length across the bar, and the size the thumb
// needs before they are drawn.
constexpr int kGripLines = 4;
constexpr int kGripSpacing = 2;
constexpr int kGripLength = 7;
constexpr int kGripMinLength = 15;
constexpr int kGripMinThickness = 11;

} // namespace

void TISXPScrollBarSkinner::DrawTrack(TCanvas& canvas, const TRect& rect) {
    canvas.FillRect(rect, Color(scTrack));
}

// The outline: left and top in b(30), right and bottom graded from b(30) to b(80), the corner pixels
// softened (b(50) top-left, b(70) top-right and bottom-left, b(90) bottom-right) so the box looks rounded.
void TISXPScrollBarSkinner::DrawFrame(TCanvas& canvas, const TRect& rect) {
    if (rect.Width() < 2 || rect.Height() < 2) return;
    const TColor start = EdgeBlend(30);
    const TColor end = EdgeBlend(80);
    HLine(canvas, rect.left + 1, rect.right - 1, rect.top, start);
    VLine(canvas, rect.left, rect.top + 1, rect.bottom - 1, start);
    canvas.GradientFill({rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1}, start, end, 2);
    canvas.GradientFill({rect.left + 1, rect.bottom - 1, rect.right - 1, rect.bottom}, start, end, 0);
    canvas.SetPixel(rect.left, rect.top, EdgeBlend(50));
    canvas.SetPixel(rect.right - 1, rect.top, EdgeBlend(70));
    canvas.SetPixel(rect.left, rect.bottom - 1, EdgeBlend(70));
    canvas.SetPixel(rect.right - 1, rect.bottom - 1, EdgeBlend(90));
}

void TISXPScrollBarSkinner::DrawFace(TCanvas& canvas, const TRect& rect) {
    const TColor face = Color(scFace);
    canvas.GradientFill(rect, BlendColor(clWhite, face, 70), BlendColor(clWhite, face, 90),
                        Vertical() ? 0 : 2);
}

void TISXPScrollBarSkinner::PaintArrowButton(TCanvas& canvas, const TRect& rect, TArrowDirection direction) {
    canvas.FillRect(rect, Color(scTrack));
    DrawFrame(canvas, rect);
    const TRect inner{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    if (!inner.IsEmpty()) DrawFace(canvas, inner);
    DrawTriangle(canvas, rect, direction, rect.Width() / 5, Color(scArrow));
}

void TISXPScrollBarSkinner::DrawThumb(TCanvas& canvas, const TRect& rect) {
    canvas.FillRect(rect, Color(scTrack));
    DrawFrame(canvas, rect);
    const TRect ring{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    if (ring.IsEmpty()) return;
    canvas.FrameRect(ring, BlendColor(Color(scFace), Color(scDark), 5));
    const TRect face{ring.left + 1, ring.top + 1, ring.right - 1, ring.bottom - 1};
    DrawFace(canvas, face);
    for (TPoint corner : {TPoint{ring.left, ring.top}, TPoint{ring.right - 1, ring.top},
                          TPoint{ring.left, ring.bottom - 1}, TPoint{ring.right - 1, ring.bottom - 1}})
        canvas.SetPixel(corner.x, corner.y, EdgeBlend(20));
    // The highlight runs across the bar two pixels in from the thumb's leading edge.
    const TColor light = BlendColor(clWhite, Color(scFace), 50);
    if (Vertical())
        canvas.GradientFill({rect.left + 2, rect.top + 2, rect.right - 2, rect.top + 3}, light, Color(scFace),
                            0);
    else
        canvas.GradientFill({rect.left + 2, rect.top + 2, rect.left + 3, rect.bottom - 2}, light,
                            Color(scFace), 2);
    DrawGripper(canvas, rect);
}

void TISXPScrollBarSkinner::DrawGripper(TCanvas& canvas, const TRect& thumb) {
    const int along = Vertical() ? thumb.Height() : thumb.Width();
    const int across = Vertical() ? thumb.Width() : thumb.Height();
    if (along <= kGripMinLength || across <= kGripMinThickness) return;
    const int centreX = thumb.left + thumb.Width() / 2;
    const int centreY = thumb.top + thumb.Height() / 2;
    const int half = kGripLength / 2;
    for (int i = 0; i < kGripLines; ++i) {
        const int offset = -3 + i * kGripSpacing;
        if (Vertical()) {
            HLine(canvas, centreX - half, centreX - half + kGripLength, centreY + offset, EdgeBlend(10));
            HLine(canvas, centreX - half, centreX - half + kGripLength, centreY + offset + 1, EdgeBlend(80));
        } else {
            VLine(canvas, centreX + offset, centreY - half, centreY - half + kGripLength, EdgeBlend(10));
            VLine(canvas, centreX + offset + 1, centreY - half, centreY - half + kGripLength, EdgeBlend(80));
        }
    }
}

} // namespace morvane
