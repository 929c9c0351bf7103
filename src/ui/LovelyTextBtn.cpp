#include "ui/LovelyTextBtn.h"

#include "gui/Canvas.h"

#include <algorithm>

namespace morvane {
namespace {

// The picture with its magenta key pixels made fully transparent.
TPngImage KeyedOut(const TPngImage& picture) {
    TPngImage keyed(picture.Width(), picture.Height(), true);
    const int bytes = picture.BytesPerPixel();
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* from = picture.Scanline(y);
        std::uint8_t* to = keyed.Scanline(y);
        for (int x = 0; x < picture.Width(); ++x, from += bytes, to += 4) {
            const bool key = from[0] == 0xFF && from[1] == 0x00 && from[2] == 0xFF;
            std::copy(from, from + 3, to);
            to[3] = key ? 0 : (bytes == 4 ? from[3] : 0xFF);
        }
    }
    return keyed;
}

TPngImage Column(const TPngImage& picture, int x) {
    TPngImage column(1, picture.Height(), true);
    for (int y = 0; y < picture.Height(); ++y)
        std::copy(picture.Scanline(y) + x * 4, picture.Scanline(y) + x * 4 + 4, column.Scanline(y));
    return column;
}

} // namespace

TLovelyTextBtn::TLovelyTextBtn(TComponent* owner) : TLovelyButton(owner) {
    SetBounds(0, 0, 75, 25);
}

void TLovelyTextBtn::AdoptImageSize() {
    SetBounds(Left(), Top(), Width(), Images()->Height());
}

void TLovelyTextBtn::PaintStretched(TCanvas& canvas, const TPngImage& picture) const {
    const TPngImage keyed = KeyedOut(picture);
    const int w = keyed.Width();
    const int h = keyed.Height();
    const int half = w / 2;
    canvas.StretchDraw({half, 0, Width() - half, h}, Column(keyed, half));
    canvas.Draw(0, 0, keyed, {0, 0, half, h});
    canvas.Draw(Width() - half, 0, keyed, {w - half, 0, w, h});
}

void TLovelyTextBtn::PaintCaption(TCanvas& canvas) {
    if (Caption().empty()) return;
    canvas.Font().Assign(Font());
    canvas.Brush().style = TBrushStyle::bsClear;
    TRect rect = ClientRect();
    if (Pressed()) rect = rect.Offset(1, 1);
    canvas.DrawText(rect, Caption(), dtSingleLine | dtCenter | dtVCenter | dtNoPrefix);
}

void TLovelyTextBtn::Paint(TCanvas& canvas) {
    const TPngImage* picture = Images() ? Images()->Picture(ImageIndex()) : nullptr;
    if (picture && !picture->Empty())
        PaintStretched(canvas, *picture);
    else if (!Images())
        TLovelyButton::Paint(canvas);
    PaintCaption(canvas);
}

} // namespace morvane
