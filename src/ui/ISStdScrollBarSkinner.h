#pragma once

#include "ui/ISScrollBarSkinner.h"

namespace morvane {

// Flat buttons with a light and a dark edge, as the classic system bars are drawn.
class TISStdScrollBarSkinner : public TISScrollBarSkinner {
public:
    using TISScrollBarSkinner::TISScrollBarSkinner;

    void DrawTrack(TCanvas& canvas, const TRect& rect) override;
    void DrawThumb(TCanvas& canvas, const TRect& rect) override;

protected:
    void PaintArrowButton(TCanvas& canvas, const TRect& rect, TArrowDirection direction) override;

private:
    void RaisedBox(TCanvas& canvas, const TRect& rect);
};

} // namespace morvane
