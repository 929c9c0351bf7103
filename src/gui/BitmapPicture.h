#pragma once

#include "gui/Bitmap.h"
#include "gui/PngImage.h"

namespace morvane {

// The RGB picture of what a bitmap shows (alpha dropped), for screenshots and for pictures drawn with the
// canvas.
TPngImage PictureOfBitmap(const TBitmap& bitmap);

} // namespace morvane
