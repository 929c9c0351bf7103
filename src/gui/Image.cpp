#include "gui/Image.h"

#include "gui/Canvas.h"

#include <utility>

namespace morvane {

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 105, 105);
}

void TImage::SetPicture(const TPngImage& picture) {
    pendingLoad_ = nullptr;
    picture_ = picture;
    blend_.Reset();
    if (autoSize_ && !picture_.Empty()) SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    Invalidate();
}

void TImage::SetPictureOnFirstUse(int width, int height, std::function<TPngImage()> load) {
    picture_.Clear();
    pendingLoad_ = std::move(load);
    pendingWidth_ = width;
    pendingHeight_ = height;
    blend_.Reset();
    if (autoSize_ && width > 0 && height > 0) SetBounds(Left(), Top(), width, height);
    Invalidate();
}

void TImage::LoadPendingPicture() const {
    // Taken out first, so that a loader that asks for the picture again does not run twice.
    const std::function<TPngImage()> load = std::exchange(pendingLoad_, nullptr);
    picture_ = load();
}

void TImage::SetStretch(bool value) {
    if (stretch_ == value) return;
    stretch_ = value;
    Invalidate();
}

void TImage::SetCenter(bool value) {
    if (center_ == value) return;
    center_ = value;
    Invalidate();
}

void TImage::SetAutoSize(bool value) {
    if (autoSize_ == value) return;
    autoSize_ = value;
    if (!autoSize_) return;
    if (pendingLoad_ && pendingWidth_ > 0 && pendingHeight_ > 0)
        SetBounds(Left(), Top(), pendingWidth_, pendingHeight_);
    else if (!picture_.Empty())
        SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
}

void TImage::SetKeepsBlend(bool value) {
    keepsBlend_ = value;
    if (!keepsBlend_) blend_.Reset();
}

void TImage::Paint(TCanvas& canvas) {
    if (Picture().Empty()) return;
    if (stretch_)
        canvas.StretchDraw(ClientRect(), picture_);
    else if (center_)
        canvas.Draw((Width() - picture_.Width()) / 2, (Height() - picture_.Height()) / 2, picture_);
    else if (keepsBlend_)
        canvas.Draw(0, 0, picture_, blend_);
    else
        canvas.Draw(0, 0, picture_);
}

} // namespace morvane
