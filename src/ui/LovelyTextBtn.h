#pragma once

#include "ui/LovelyButton.h"

namespace morvane {

// A stretchable image-list button with a caption: the state picture's left and right halves keep their
// width and its middle column fills the rest; magenta pixels are transparent.
class TLovelyTextBtn : public TLovelyButton {
public:
    explicit TLovelyTextBtn(TComponent* owner);

protected:
    void Paint(TCanvas& canvas) override;
    // Only the height follows the pictures; the width stays the button's own.
    void AdoptImageSize() override;

private:
    void PaintStretched(TCanvas& canvas, const TPngImage& picture) const;
    void PaintCaption(TCanvas& canvas);
};

} // namespace morvane
