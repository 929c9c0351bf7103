#include "graphics/TemplateOverlapPng.h"

#include "graphics/PictureResources.h"
#include "graphics/PngImageProcessor.h"
#include "gui/Canvas.h"

#include <algorithm>
#include <cstdio>

namespace morvane {
namespace {

// The smallest rectangle holding both; an empty one adds nothing.
TRect Enclosing(const TRect& a, const TRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

} // namespace

TTemplateOverlapPng::TTemplateOverlapPng(TComponent* owner)
    : TGraphicControl(owner), canvas_(std::make_unique<TPngImage>()) {}

void TTemplateOverlapPng::SetCanvasSize(int width, int height) {
    if (!canvas_ || width <= 0 || height <= 0) return;
    if (canvas_->Width() == width && canvas_->Height() == height) return;
    MakeBlankPicture(width, height, *canvas_);
}

void TTemplateOverlapPng::Clear() {
    if (empty_) return;
    if (Width() > 0 && Height() > 0)
        MakeBlankPicture(Width(), Height(), *canvas_);
    else
        canvas_->Clear();
    empty_ = true;
}

void TTemplateOverlapPng::Overlap(const TTPngPosAndPicAry& placements) {
    if (!canvas_ || placements.empty()) return;
    const TRect whole{0, 0, canvas_->Width(), canvas_->Height()};
    TRect changed;
    for (const TPngPosAndPic& placement : placements) {
        if (!placement.Pic || placement.Pic == canvas_.get()) continue;
        // A corner left of or above the canvas takes the picture's pixels from further in, so the part
        // that shows stays where it belongs.
        const TPoint source{std::max(0, -placement.X), std::max(0, -placement.Y)};
        const TRect area{std::max(0, placement.X), std::max(0, placement.Y),
                         placement.X + placement.Pic->Width(), placement.Y + placement.Pic->Height()};
        ComposeOver(*canvas_, *placement.Pic, area, source);
        changed = Enclosing(changed, area.Intersect(whole));
    }
    empty_ = false;
    // A chip changes only the pixels under it: repainting the whole heap for each bet would redraw the
    // felt, the other chips and the numbers over them for nothing.
    if (!changed.IsEmpty()) InvalidateRect(changed);
}

void TTemplateOverlapPng::Paint(TCanvas& canvas) {
    TGraphicControl::Paint(canvas);
    if (!canvas_->Empty()) canvas.Draw(0, 0, *canvas_);
}

TChipPictures LoadChipPictures() {
    TChipPictures pictures;
    for (std::size_t index = 0; index < pictures.size(); ++index) {
        char name[32];
        std::snprintf(name, sizeof name, "MONEY%02zu", index + 1);
        pictures[index] = LoadPictureByName(name);
    }
    return pictures;
}

int ChipIndexOf(std::int64_t value) {
    const auto found = std::find(kChipValues.begin(), kChipValues.end(), value);
    return found == kChipValues.end() ? -1 : int(found - kChipValues.begin());
}

bool PlaceChip(TTemplateOverlapPng& heap, const TChipPictures& pictures, int index, TRandom& random) {
    if (index < 0 || index >= int(pictures.size()) || !pictures[std::size_t(index)]) return false;
    const TPngImage& chip = *pictures[std::size_t(index)];
    // Uniform in [0, room): the chip lies wholly inside; a heap smaller than the chip puts it at 0.
    const std::int32_t x = random.Next(heap.Canvas().Width() - chip.Width());
    const std::int32_t y = random.Next(heap.Canvas().Height() - chip.Height());
    heap.Overlap({{x, y, &chip}});
    return true;
}

bool PlaceChipOfValue(TTemplateOverlapPng& heap, const TChipPictures& pictures, std::int64_t value,
                      TRandom& random) {
    return PlaceChip(heap, pictures, ChipIndexOf(value), random);
}

} // namespace morvane
