#include "ui/LovelyButton.h"

#include "gui/Canvas.h"

namespace morvane {

TLovelyButton::TLovelyButton(TComponent* owner) : THoverButton(owner) {}

TLovelyButton::~TLovelyButton() {
    if (images_) RemoveFreeNotification(images_);
}

void TLovelyButton::SetImages(TImageList* images) {
    if (images_ == images) return;
    if (images_) RemoveFreeNotification(images_);
    images_ = images;
    if (images_) {
        FreeNotification(images_);
        AdoptImageSize();
    }
    Invalidate();
}

void TLovelyButton::AdoptImageSize() {
    SetBounds(Left(), Top(), images_->Width(), images_->Height());
}

void TLovelyButton::SetStartIndex(int value) {
    if (startIndex_ == value) return;
    startIndex_ = value;
    Invalidate();
}

int TLovelyButton::StateIndex() const {
    if (!Enabled()) return kDisabled;
    if (Pressed()) return kPressed;
    if (Hovered()) return kHover;
    return kNormal;
}

void TLovelyButton::Notification(TComponent* component, bool removing) {
    if (removing && component == images_) {
        images_ = nullptr;
        Invalidate();
    }
    THoverButton::Notification(component, removing);
}

void TLovelyButton::Paint(TCanvas& canvas) {
    if (images_) {
        images_->Draw(canvas, 0, 0, ImageIndex());
        return;
    }
    canvas.FillRect(ClientRect(), Color());
    canvas.Font().Assign(Font());
    canvas.Brush().style = TBrushStyle::bsClear;
    canvas.TextOut(0, 0, "TLovelyButton");
}

} // namespace morvane
