#include "ui/ISScrollBarSkinner.h"

#include "ui/ISStdScrollBarSkinner.h"
#include "ui/ISXPScrollBarSkinner.h"
#include "ui/IrisBitmap.h"

#include <algorithm>
#include <cmath>

namespace morvane {
namespace {

constexpr int kDisabledLighten = 40;

std::uint8_t BlendChannel(int x, int y, int percent) {
    const double mixed = x + percent * (y - x) / 100.0;
    return std::uint8_t(std::clamp<long>(std::lround(mixed), 0, 255));
}

} // namespace

TColor BlendColor(TColor x, TColor y, int percent) {
    percent = std::clamp(percent, 0, 100);
    return RGB(BlendChannel(GetRValue(x), GetRValue(y), percent),
               BlendChannel(GetGValue(x), GetGValue(y), percent),
               BlendChannel(GetBValue(x), GetBValue(y), percent));
}

void TISScrollBarSkinner::DrawArrowButton(TCanvas& canvas, const TRect& rect, TArrowDirection direction,
                                          bool disabled) {
    if (rect.IsEmpty()) return;
    if (!disabled) {
        PaintArrowButton(canvas, rect, direction);
        return;
    }
    TBitmap button(rect.Width(), rect.Height());
    TCanvas buttonCanvas(button);
    PaintArrowButton(buttonCanvas, {0, 0, rect.Width(), rect.Height()}, direction);
    TIrisBitmap iris;
    iris.Assign(&button);
    iris.Grey(TIrisBitmap::kAllChannels);
    iris.LightenDarken(kDisabledLighten, TIrisBitmap::kAllChannels);
    iris.Draw(canvas, rect);
}

void TISScrollBarSkinner::HLine(TCanvas& canvas, int x1, int x2, int y, TColor colour) {
    canvas.FillRect({x1, y, x2, y + 1}, colour);
}

void TISScrollBarSkinner::VLine(TCanvas& canvas, int x, int y1, int y2, TColor colour) {
    canvas.FillRect({x, y1, x + 1, y2}, colour);
}

void TISScrollBarSkinner::DrawTriangle(TCanvas& canvas, const TRect& rect, TArrowDirection direction,
                                       int size, TColor colour) {
    size = std::max(1, size);
    const int centreX = rect.left + rect.Width() / 2;
    const int centreY = rect.top + rect.Height() / 2;
    // Row (or column) i from the tip spans 2i + 1 pixels.
    for (int i = 0; i < size; ++i) {
        switch (direction) {
        case TArrowDirection::adUp:
            HLine(canvas, centreX - i, centreX + i + 1, centreY - size / 2 + i, colour);
            break;
        case TArrowDirection::adDown:
            HLine(canvas, centreX - i, centreX + i + 1, centreY + (size - 1) / 2 - i, colour);
            break;
        case TArrowDirection::adLeft:
            VLine(canvas, centreX - size / 2 + i, centreY - i, centreY + i + 1, colour);
            break;
        case TArrowDirection::adRight:
            VLine(canvas, centreX + (size - 1) / 2 - i, centreY - i, centreY + i + 1, colour);
            break;
        }
    }
}

std::unique_ptr<TISScrollBarSkinner> CreateScrollBarSkinner(const TISScrollBarSkinCacher& cacher,
                                                            TScrollBarKind barKind) {
    if (cacher.SkinnerKind() == kXPScrollBarSkinner)
        return std::make_unique<TISXPScrollBarSkinner>(cacher, barKind);
    return std::make_unique<TISStdScrollBarSkinner>(cacher, barKind);
}

} // namespace morvane
