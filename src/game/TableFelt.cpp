#include "game/TableFelt.h"

#include "graphics/BarPictures.h"
#include "gui/Canvas.h"

namespace morvane {

TTableFelt::TTableFelt(TComponent* owner) : TGraphicControl(owner) {}

void TTableFelt::AddLayer(const std::string& name, int left, int top) {
    const TPngImage picture = BarPicture(name);
    if (picture.Empty()) return;
    if (layers_ == 0) {
        composed_.SetSize(picture.Width(), picture.Height());
        SetBounds(Left(), Top(), picture.Width(), picture.Height());
    }
    TCanvas canvas(composed_);
    canvas.Draw(left, top, picture);
    ++layers_;
    Invalidate();
}

void TTableFelt::Paint(TCanvas& canvas) {
    if (layers_ > 0) canvas.Draw(0, 0, composed_);
}

} // namespace morvane
