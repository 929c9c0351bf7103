#pragma once

#include "base/Random.h"
#include "graphics/ChipValues.h"
#include "gui/PngImage.h"
#include "gui/WinControl.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace morvane {

// One picture to composite: its top-left corner inside the canvas and the picture (not owned).
struct TPngPosAndPic {
    std::int32_t X{0};
    std::int32_t Y{0};
    const TPngImage* Pic{nullptr};
};
using TTPngPosAndPicAry = std::vector<TPngPosAndPic>;

// A chip heap: a transparent picture of the region's size onto which chip pictures are composited one after
// another, so the heap grows without keeping a list of chips.
class TTemplateOverlapPng : public TGraphicControl {
public:
    explicit TTemplateOverlapPng(TComponent* owner);

    // Replaces the canvas with a transparent one of that size; sizes that are not positive, or the size it
    // has, change nothing.
    void SetCanvasSize(int width, int height);
    // Back to a transparent canvas of the control's size (no repaint of its own).
    void Clear();
    // Composites each picture, in order, onto the canvas.
    void Overlap(const TTPngPosAndPicAry& placements);

    bool Empty() const { return empty_; }
    const TPngImage& Canvas() const { return *canvas_; }

protected:
    void Paint(TCanvas& canvas) override;

private:
    std::unique_ptr<TPngImage> canvas_;
    bool empty_{true};
};

using TChipPictures = std::array<std::unique_ptr<TPngImage>, kChipValues.size()>;

// MONEY01 … MONEY10.
TChipPictures LoadChipPictures();
// The index of the chip of that value, or -1 when no chip has it.
int ChipIndexOf(std::int64_t value);
// Drops chip `index` at a random place wholly inside the heap. An index outside 0 … 9 or a missing
// picture draws nothing and gives false.
bool PlaceChip(TTemplateOverlapPng& heap, const TChipPictures& pictures, int index, TRandom& random);
// The same for a bet of `value`: nothing is drawn when no chip has that value.
bool PlaceChipOfValue(TTemplateOverlapPng& heap, const TChipPictures& pictures, std::int64_t value,
                      TRandom& random);

} // namespace morvane
