#include "ui/ISStdScrollBarSkinner.h"

namespace morvane {

void TISStdScrollBarSkinner::RaisedBox(TCanvas& canvas, const TRect& rect) {
    canvas.FillRect(rect, Color(scFace));
    HLine(canvas, rect.left, rect.right, rect.top, Color(scLight));
    VLine(canvas, rect.left, rect.top, rect.bottom, Color(scLight));
    HLine(canvas, rect.left, rect.right, rect.bottom - 1, Color(scDark));
    VLine(canvas, rect.right - 1, rect.top, rect.bottom, Color(scDark));
}

void TISStdScrollBarSkinner::PaintArrowButton(TCanvas& canvas, const TRect& rect, TArrowDirection direction) {
    RaisedBox(canvas, rect);
    DrawTriangle(canvas, rect, direction, rect.Width() / 5, Color(scArrow));
}

void TISStdScrollBarSkinner::DrawTrack(TCanvas& canvas, const TRect& rect) {
    canvas.FillRect(rect, Color(scTrack));
}

void TISStdScrollBarSkinner::DrawThumb(TCanvas& canvas, const TRect& rect) {
    RaisedBox(canvas, rect);
}

} // namespace morvane
