#pragma once

#include "ui/ISScrollBarSkinner.h"

namespace morvane {

// Rounded, shaded buttons and thumb in the manner of the XP bars, every shade a blend of the skin's
// colours.
class TISXPScrollBarSkinner : public TISScrollBarSkinner {
public:
    using TISScrollBarSkinner::TISScrollBarSkinner;

    void DrawTrack(TCanvas& canvas, const TRect& rect) override;
    void DrawThumb(TCanvas& canvas, const TRect& rect) override;

protected:
    void PaintArrowButton(TCanvas& canvas, const TRect& rect, TArrowDirection direction) override;

private:
    // b(p): the light edge colour mixed towards the dark one.
    TColor EdgeBlend(int percent) const { return BlendColor(Color(scLight), Color(scDark), percent); }
    void DrawFrame(TCanvas& canvas, const TRect& rect);
    // The face gradient across the bar, from blend(white, face, 70) to blend(white, face, 90).
    void DrawFace(TCanvas& canvas, const TRect& rect);
    void DrawGripper(TCanvas& canvas, const TRect& thumb);
};

} // namespace morvane
