#include "ui/ISScrollBarCorner.h"

#include "gui/Canvas.h"

namespace morvane {

TISScrollBarCorner::TISScrollBarCorner(TComponent* owner) : TCustomControl(owner) {
    SetVisible(false);
    // An empty shape: hit-testing finds nothing here and the mouse reaches the control below.
    const TRegion nothing;
    SetWindowRegion(&nothing);
}

void TISScrollBarCorner::SetCornerColor(TColor colour) {
    if (cornerColor_ == colour) return;
    cornerColor_ = colour;
    Invalidate();
}

void TISScrollBarCorner::Paint(TCanvas& canvas) {
    if (cornerColor_ != clNone) canvas.FillRect(ClientRect(), cornerColor_);
}

} // namespace morvane
