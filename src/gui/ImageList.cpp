#include "gui/ImageList.h"

#include "gui/Canvas.h"

namespace morvane {

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner), width_(width), height_(height) {}

void TImageList::Changed() {
    if (OnChange) OnChange(this);
}

void TImageList::SetSize(int width, int height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    pictures_.clear();
    Changed();
}

int TImageList::Add(const TPngImage& picture) {
    if (picture.Width() != width_ || picture.Height() != height_) return -1;
    pictures_.push_back(picture);
    Changed();
    return Count() - 1;
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    pictures_.erase(pictures_.begin() + index);
    Changed();
}

void TImageList::Clear() {
    if (pictures_.empty()) return;
    pictures_.clear();
    Changed();
}

const TPngImage* TImageList::Picture(int index) const {
    return index >= 0 && index < Count() ? &pictures_[std::size_t(index)] : nullptr;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
    if (const TPngImage* picture = Picture(index)) canvas.Draw(x, y, *picture);
}

} // namespace morvane
