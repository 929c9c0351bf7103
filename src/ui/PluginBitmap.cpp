#include "ui/PluginBitmap.h"

namespace morvane {
namespace {

// The bitmap scaled to size × size by nearest pixel, in 24-bit form.
TBitmap StretchTo24Bit(const TBitmap& bitmap, int size) {
    TBitmap result(size, size, TPixelFormat::pf24bit);
    for (int y = 0; y < size; ++y) {
        const int sourceY = int(std::int64_t(y) * bitmap.Height() / size);
        for (int x = 0; x < size; ++x) {
            const int sourceX = int(std::int64_t(x) * bitmap.Width() / size);
            result.SetPixel(x, y, bitmap.Pixel(sourceX, sourceY));
        }
    }
    return result;
}

// Only the colour bytes take part in comparisons.
constexpr TColor ColourBytes(TColor colour) {
    return colour & 0xFFFFFF;
}

} // namespace

bool BitmapToIcon(const TBitmap& bitmap, TIconImage& icon, bool large, int hotspotY, int hotspotX,
                  TColor transparentColour) {
    if (bitmap.Empty()) return false;
    const int size = large ? 32 : 16;
    TBitmap colour = StretchTo24Bit(bitmap, size);
    TBitmap mask(size, size, TPixelFormat::pf24bit);

    // Without a transparent colour every pixel is opaque: the mask stays black. (A white mask would let the
    // screen show through, XORed with the colour image.)
    if (transparentColour != clNone) {
        const TColor key =
            ColourBytes(transparentColour == clDefault ? colour.Pixel(0, size - 1) : transparentColour);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const bool transparent = colour.Pixel(x, y) == key;
                mask.SetPixel(x, y, transparent ? clWhite : clBlack);
                if (transparent) colour.SetPixel(x, y, clBlack);
            }
        }
    }
    icon.mask = std::move(mask);
    icon.colour = std::move(colour);
    icon.hotspotX = hotspotX;
    icon.hotspotY = hotspotY;
    return true;
}

} // namespace morvane
