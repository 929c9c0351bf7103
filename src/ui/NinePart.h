#pragma once

#include "gui/Bitmap.h"

namespace morvane {

class TPngImage;

// Stretches a skin picture onto a larger surface while keeping its borders: the row `centerY` and the
// column `centerX` of the picture are repeated to fill the extra height and width. The target keeps its
// size and is cleared first (all 0); without a picture it stays cleared. Stretch lines beyond the picture
// are taken as its last row or column.
void RenderNinePart(const TPngImage* picture, int centerX, int centerY, TBitmap& target);

} // namespace morvane
