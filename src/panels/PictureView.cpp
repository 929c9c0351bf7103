#include "panels/PictureView.h"

#include "gui/Canvas.h"
#include "gui/ImageList.h"
#include "gui/PngImage.h"
#include "gui/SystemColors.h"

#include <algorithm>

namespace morvane {

TPicturePreview::TPicturePreview(TComponent* owner) : TCustomPanel(owner) {
    SetVisible(false);
    SetColor(clWhite);
}

void TPicturePreview::SetPreview(const TPngImage* picture, const std::string& name, int pictureWidth,
                                 int pictureHeight) {
    picture_ = picture;
    name_ = name;
    pictureWidth_ = pictureWidth;
    pictureHeight_ = pictureHeight;
    SetBounds(Left(), Top(), pictureWidth + 2, pictureHeight + 2 + (name.empty() ? 0 : kLabelHeight));
    Invalidate();
}

void TPicturePreview::Paint(TCanvas& canvas) {
    canvas.FillRect(ClientRect(), ColorToRGB(Color()));
    canvas.FrameRect(ClientRect(), ColorToRGB(clHighlight));
    const TRect box{1, 1, 1 + pictureWidth_, 1 + pictureHeight_};
    if (picture_) {
        if (picture_->Width() > pictureWidth_ || picture_->Height() > pictureHeight_)
            canvas.StretchDraw(box, *picture_);
        else
            canvas.Draw(box.left + (pictureWidth_ - picture_->Width()) / 2,
                        box.top + (pictureHeight_ - picture_->Height()) / 2, *picture_);
    }
    if (name_.empty()) return;
    const TRect label{1, box.bottom, Width() - 1, Height() - 1};
    canvas.FillRect(label, ColorToRGB(clHighlight));
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(ColorToRGB(clHighlightText));
    canvas.Brush().style = TBrushStyle::bsClear;
    canvas.DrawText(label, name_, dtSingleLine | dtCenter | dtVCenter | dtNoPrefix);
}

TPictureView::TPictureView(TComponent* owner) : TCustomPanel(owner) {
    SetColor(clWhite);
    preview_ = Add<TPicturePreview>();
    SetBounds(0, 0, 300, 300);
}

TPictureView::~TPictureView() {
    if (images_) images_->RemoveFreeNotification(this);
}

void TPictureView::SetImages(TImageList* images) {
    if (images_ == images) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
    Recount();
}

void TPictureView::Notification(TComponent* component, bool removing) {
    TCustomPanel::Notification(component, removing);
    if (removing && component == images_) {
        images_ = nullptr;
        selected_ = -1;
        preview_->Hide();
        Recount();
    }
}

void TPictureView::SetSpace(int value) {
    if (space_ == value) return;
    space_ = std::max(0, value);
    Recount();
}

void TPictureView::SetStartIndex(int value) {
    startIndex_ = std::max(0, value);
    Invalidate();
}

void TPictureView::SetPictureSize(int width, int height) {
    pictureWidth_ = width;
    pictureHeight_ = height;
}

void TPictureView::SetUsable(int count) {
    usable_ = std::max(0, count);
    Invalidate();
}

void TPictureView::Resized() {
    TCustomPanel::Resized();
    Recount();
}

void TPictureView::Recount() {
    const int w = images_ ? images_->Width() + space_ : 0;
    const int h = images_ ? images_->Height() + space_ : 0;
    colCount_ = w > 0 ? Width() / w : 0;
    rowCount_ = h > 0 ? Height() / h : 0;
    Invalidate();
}

bool TPictureView::ValidIndex(int index) const {
    return images_ && index >= 0 && index < images_->Count() && index < usable_;
}

TRect TPictureView::CellRect(int col, int row) const {
    const int w = images_ ? images_->Width() : 0;
    const int h = images_ ? images_->Height() : 0;
    const int x = col * (w + space_) + space_;
    const int y = row * (h + space_) + space_;
    return {x, y, x + w, y + h};
}

void TPictureView::SetSelected(int value) {
    if (selected_ == value) return;
    auto invalidateCell = [this](int index) {
        if (index < startIndex_ || colCount_ == 0) return;
        const int cell = index - startIndex_;
        InvalidateRect(CellRect(cell % colCount_, cell / colCount_).Offset(-1, -1));
        Invalidate();
    };
    invalidateCell(selected_);
    selected_ = value;
    invalidateCell(selected_);
    if (!ValidIndex(selected_)) {
        preview_->Hide();
        return;
    }
    preview_->SetPreview(images_->Picture(selected_), {}, pictureWidth_, pictureHeight_);
    if (OnChange) OnChange(this);
    PlacePreview();
    preview_->Show();
    preview_->BringToFront();
}

void TPictureView::SetPreviewName(const std::string& name) {
    if (!ValidIndex(selected_)) return;
    preview_->SetPreview(images_->Picture(selected_), name, pictureWidth_, pictureHeight_);
    PlacePreview();
}

void TPictureView::PlacePreview() {
    if (!images_ || colCount_ == 0) return;
    const int cell = selected_ - startIndex_;
    const int c = cell % colCount_;
    const int r = cell / colCount_;
    const int w = images_->Width();
    const int h = images_->Height();
    // Beside the face, on the side with room: right of it and a row lower in most of the grid, left of
    // it near the right edge, at the top near the bottom edge.
    const int left = c < colCount_ - 3 ? w * (c + 2) + space_ + 2 : w * (c - 1) - space_ - 10;
    const int top = r < rowCount_ - 3 ? h * (r + 2) + space_ : space_ + 4;
    preview_->SetBounds(std::clamp(left, 0, std::max(0, Width() - preview_->Width())),
                        std::clamp(top, 0, std::max(0, Height() - preview_->Height())), preview_->Width(),
                        preview_->Height());
}

void TPictureView::MouseMove(TShiftState shift, int x, int y) {
    TCustomPanel::MouseMove(shift, x, y);
    if (!images_) return;
    const int w = images_->Width() + space_;
    const int h = images_->Height() + space_;
    if (w <= 0 || h <= 0) return;
    const int px = x - space_ / 2;
    const int py = y - space_ / 2;
    if (px < 0 || py < 0) return;
    const int c = px / w;
    const int r = py / h;
    if (c >= colCount_ || r >= rowCount_) return;
    SetSelected(startIndex_ + r * colCount_ + c);
}

void TPictureView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomPanel::MouseDown(button, shift, x, y);
    MouseMove(shift, x, y);
    if (button == TMouseButton::mbLeft && ValidIndex(selected_) && OnPick) OnPick(this, selected_);
}

void TPictureView::Paint(TCanvas& canvas) {
    canvas.FillRect(ClientRect(), ColorToRGB(Color()));
    if (!images_) return;
    for (int r = 0; r < rowCount_; ++r)
        for (int c = 0; c < colCount_; ++c) {
            const int index = startIndex_ + r * colCount_ + c;
            if (index >= images_->Count()) return;
            const TRect cell = CellRect(c, r);
            images_->Draw(canvas, cell.left, cell.top, index);
            if (index == selected_)
                canvas.FrameRect({cell.left - 1, cell.top - 1, cell.right + 1, cell.bottom + 1},
                                 ColorToRGB(clHighlight));
        }
}

} // namespace morvane
