#pragma once

#include "gui/Canvas.h"
#include "gui/PngImage.h"
#include "gui/WinControl.h"

#include <functional>

namespace morvane {

// A picture drawn on the parent: at the top-left corner, centred, or stretched over the control.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);

    const TPngImage& Picture() const {
        if (pendingLoad_) LoadPendingPicture();
        return picture_;
    }
    // The picture is copied; with AutoSize the control takes its size.
    void SetPicture(const TPngImage& picture);
    // A picture of the given size that `load` makes when it is first drawn or asked for: a control that
    // starts hidden costs no decoding until it shows. With AutoSize the control takes that size at once.
    void SetPictureOnFirstUse(int width, int height, std::function<TPngImage()> load);
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
    void LoadPendingPicture() const;

    mutable TPngImage picture_;
    mutable std::function<TPngImage()> pendingLoad_;
    int pendingWidth_{0};
    int pendingHeight_{0};
    bool stretch_{false};
    bool center_{false};
    bool autoSize_{false};
    bool keepsBlend_{false};
    TBlendCache blend_;
};

} // namespace morvane
