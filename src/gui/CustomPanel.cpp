#include "gui/CustomPanel.h"

#include "gui/Canvas.h"

namespace morvane {

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetParentBackground(bool value) {
    if (parentBackground_ == value) return;
    parentBackground_ = value;
    Invalidate();
}

void TCustomPanel::Paint(TCanvas& canvas) {
    if (!parentBackground_ && Color() != clNone) canvas.FillRect(ClientRect(), Color());
}

} // namespace morvane
