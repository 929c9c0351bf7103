#include "gui/GroupBox.h"

#include "gui/Frame3D.h"

namespace morvane {

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 185, 105);
    SetColor(clBtnFace);
}

void TGroupBox::Paint(TCanvas& canvas) {
    canvas.FillRect(ClientRect(), ColorToRGB(Color()));
    canvas.Font().Assign(Font());
    const int textHeight = canvas.TextHeight("Wg");
    const TRect frame{0, textHeight / 2, Width(), Height()};
    // Etched: a dark frame with a light one a pixel inside and below.
    canvas.FrameRect({frame.left, frame.top, frame.right - 1, frame.bottom - 1}, ColorToRGB(clBtnShadow));
    canvas.FrameRect({frame.left + 1, frame.top + 1, frame.right, frame.bottom}, ColorToRGB(clBtnHighlight));
    canvas.FrameRect({frame.left, frame.top, frame.right - 1, frame.bottom - 1}, ColorToRGB(clBtnShadow));
    canvas.FillRect({frame.right - 1, frame.top, frame.right, frame.top + 1}, ColorToRGB(clBtnHighlight));
    if (Caption().empty()) return;
    const int width = canvas.TextWidth(Caption());
    canvas.Brush().color = ColorToRGB(Color());
    canvas.Brush().style = TBrushStyle::bsSolid;
    canvas.Font().SetColor(ColorToRGB(Enabled() ? Font().Color() : clGrayText));
    canvas.TextRect({6, 0, 8 + width + 2, textHeight}, 8, 0, Caption());
}

} // namespace morvane
