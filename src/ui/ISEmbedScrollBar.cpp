#include "ui/ISEmbedScrollBar.h"

#include "gui/Canvas.h"
#include "gui/Form.h"

namespace morvane {

TISEmbedScrollBar::TISEmbedScrollBar(TComponent* owner, TScrollBarKind kind, TScrollingControl& target)
    : TCustomControl(owner), kind_(kind), target_(target) {
    SetVisible(false);
}

void TISEmbedScrollBar::SetPicture(TBitmap picture, const TEmbedBarGeometry& geometry) {
    picture_ = std::move(picture);
    geometry_ = geometry;
    if (picture_.Empty()) Hide();
    Invalidate();
}

void TISEmbedScrollBar::Paint(TCanvas& canvas) {
    canvas.Draw(0, 0, picture_);
}

void TISEmbedScrollBar::Forward(std::uint32_t msg, int x, int y) {
    const TPoint at{Left() + x, Top() + y};
    const std::intptr_t hitCode = kind_ == TScrollBarKind::sbVertical ? HTVSCROLL : HTHSCROLL;
    target_.Perform(msg, hitCode, (std::intptr_t(std::uint16_t(at.y)) << 16) | std::uint16_t(at.x));
}

void TISEmbedScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    // The control takes the mouse from here on, so a thumb drag follows it as on its own bar.
    if (TForm* form = ParentForm()) {
        form->ReleaseCapture();
        form->SetCaptureControl(&target_);
    }
    Forward(WM_NCLBUTTONDOWN, x, y);
}

void TISEmbedScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    if (TForm* form = ParentForm()) form->ReleaseCapture();
    Forward(WM_NCLBUTTONUP, x, y);
}

} // namespace morvane
