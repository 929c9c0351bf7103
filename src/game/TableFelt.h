#pragma once

#include "graphics/PictureResources.h"
#include "gui/Bitmap.h"
#include "gui/WinControl.h"

#include <memory>
#include <string>
#include <vector>

namespace morvane {

// The still layers of the table in one opaque control: the felt ("MainBigImage") with the betting board,
// the question fan and the beam laid over it at their places. They never change while the table is open,
// so they are composed once and a repaint copies them instead of blending four pictures each time. Every
// table of the process lays the same layers, so the composition is made by the first table that paints
// and shared, read-only, by the others.
class TTableFelt : public TGraphicControl {
public:
    explicit TTableFelt(TComponent* owner);

    // Lays the named picture over the felt with its top-left corner at (left, top); the felt itself, the
    // first layer, decides the control's size. Nothing is decoded until the felt is first drawn.
    void AddLayer(const std::string& name, int left, int top);
    int Layers() const { return int(layers_.size()); }

    bool Opaque() const override { return !layers_.empty(); }

    // The composed layers, made (or taken from another table) on first use.
    const TBitmap& Composed();

protected:
    void Paint(TCanvas& canvas) override;

private:
    struct TLayer {
        std::string Name;
        int Left;
        int Top;
    };
    std::string SharingKey() const;
    TBitmap Compose() const;

    // The first layer's size: the composition's.
    TPictureSize size_;
    std::vector<TLayer> layers_;
    std::shared_ptr<const TBitmap> composed_;
};

} // namespace morvane
