#pragma once

#include "gui/Canvas.h"
#include "gui/ScrollingControl.h"
#include "ui/ISScrollBarSkinCacher.h"

#include <memory>

namespace morvane {

enum class TArrowDirection { adLeft, adUp, adRight, adDown };

// Mixes colour x towards colour y by `percent` (clamped to 0 … 100), each channel rounded.
TColor BlendColor(TColor x, TColor y, int percent);

// Paints the parts of one skinned scroll bar in the skin's colours.
class TISScrollBarSkinner {
public:
    TISScrollBarSkinner(const TISScrollBarSkinCacher& cacher, TScrollBarKind barKind)
        : cacher_(cacher), barKind_(barKind) {}
    virtual ~TISScrollBarSkinner() = default;

    // A disabled button is painted as usual, then greyed and lightened by 40.
    void DrawArrowButton(TCanvas& canvas, const TRect& rect, TArrowDirection direction, bool disabled);
    virtual void DrawTrack(TCanvas& canvas, const TRect& rect) = 0;
    virtual void DrawThumb(TCanvas& canvas, const TRect& rect) = 0;

protected:
    virtual void PaintArrowButton(TCanvas& canvas, const TRect& rect, TArrowDirection direction) = 0;
    TColor Color(TScrollBarColorRole role) const { return cacher_.Color(role); }
    bool Vertical() const { return barKind_ == TScrollBarKind::sbVertical; }
    // A filled triangle of height `size` pointing in `direction`, centred in the rectangle.
    static void DrawTriangle(TCanvas& canvas, const TRect& rect, TArrowDirection direction, int size,
                             TColor colour);
    static void HLine(TCanvas& canvas, int x1, int x2, int y, TColor colour);
    static void VLine(TCanvas& canvas, int x, int y1, int y2, TColor colour);

private:
    const TISScrollBarSkinCacher& cacher_;
    TScrollBarKind barKind_;
};

// The skinner of a kind (0 standard, 1 XP); unknown kinds get the standard one.
std::unique_ptr<TISScrollBarSkinner> CreateScrollBarSkinner(const TISScrollBarSkinCacher& cacher,
                                                            TScrollBarKind barKind);

} // namespace morvane
