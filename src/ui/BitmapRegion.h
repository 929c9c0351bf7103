#pragma once

#include "gui/Bitmap.h"
#include "gui/Region.h"

namespace morvane {

// The window shape cut out of a skin bitmap: every pixel whose colour is further than `tolerance` from
// `keyColor` belongs to it, distance being (|ΔR| + |ΔG| + |ΔB|) div 3. The shape is the union of the
// horizontal runs of such pixels, row by row.
TRegion RegionFromBitmap(const TBitmap& bitmap, TColor keyColor, int tolerance);

// Whether a colour lies further than `tolerance` from the key colour.
bool OutsideColorKey(TColor color, TColor keyColor, int tolerance);

} // namespace morvane
