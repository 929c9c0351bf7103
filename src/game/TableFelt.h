#pragma once

#include "gui/Bitmap.h"
#include "gui/PngImage.h"
#include "gui/WinControl.h"

#include <string>

namespace morvane {

// The still layers of the table in one opaque control: the felt ("MainBigImage") with the betting board,
// the question fan and the beam laid over it at their places. They never change while the table is open,
// so they are composed once and a repaint copies them instead of blending four pictures each time.
class TTableFelt : public TGraphicControl {
public:
    explicit TTableFelt(TComponent* owner);

    // Lays the named picture over the felt with its top-left corner at (left, top); the felt itself, the
    // first layer, decides the control's size.
    void AddLayer(const std::string& name, int left, int top);
    int Layers() const { return layers_; }

    bool Opaque() const override { return layers_ > 0; }

protected:
    void Paint(TCanvas& canvas) override;

private:
    TBitmap composed_;
    int layers_{0};
};

} // namespace morvane
