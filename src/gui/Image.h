#pragma once

#include "gui/Canvas.h"
#include "gui/PngImage.h"
#include "gui/WinControl.h"

namespace morvane {

// A picture drawn on the parent: at the top-left corner, centred, or stretched over the control.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);

    const TPngImage& Picture() const { return picture_; }
    // The picture is copied; with AutoSize the control takes its size.
    void SetPicture(const TPngImage& picture);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    // For a large translucent picture over still layers: what it blended to is kept, and a repaint over an
    // unchanged backdrop copies it instead of blending again (pixels unchanged either way).
    bool KeepsBlend() const { return keepsBlend_; }
    void SetKeepsBlend(bool value);

protected:
    void Paint(TCanvas& canvas) override;

private:
    TPngImage picture_;
    bool stretch_{false};
    bool center_{false};
    bool autoSize_{false};
    bool keepsBlend_{false};
    TBlendCache blend_;
};

} // namespace morvane
