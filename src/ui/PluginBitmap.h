#pragma once

#include "base/Types.h"
#include "gui/Bitmap.h"

namespace morvane {

// A window icon as its two images, combined the way icons are drawn: the screen is ANDed with the mask and
// then XORed with the colour image. So where the mask is white (and the colour black) the icon is
// transparent; where it is black the colour image shows.
struct TIconImage {
    TBitmap mask;
    TBitmap colour;
    int hotspotX{0};
    int hotspotY{0};
};

// Makes a 32 × 32 (large) or 16 × 16 icon of a bitmap stretched to that size. The transparent colour is
// clNone for an opaque icon, clDefault for the colour of the stretched bitmap's bottom-left pixel, or a
// colour; pixels of that colour become transparent. False, with the icon untouched, for an empty bitmap.
bool BitmapToIcon(const TBitmap& bitmap, TIconImage& icon, bool large, int hotspotY, int hotspotX,
                  TColor transparentColour);

} // namespace morvane
