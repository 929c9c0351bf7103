#pragma once

#include "gui/Bitmap.h"
#include "gui/PngImage.h"

#include <memory>

namespace morvane {

// The RGB picture of what a bitmap shows (alpha dropped), for screenshots and for pictures drawn with the
// canvas.
TPngImage PictureOfBitmap(const TBitmap& bitmap);

// What the picture shows over black, as a 32-bit bitmap of its size (what drawing it onto a new bitmap
// gives). A picture without alpha is converted row by row: it is not asked for the framebuffer form that
// drawing makes and keeps, which for a window-sized skin that is cut into a shape but never shown whole
// would be megabytes held for nothing.
TBitmap BitmapOfPicture(const TPngImage& picture);
// The same for a picture the tables share (one the application's picture cache keeps): made once while
// somebody holds it, so that two shapes cut from one skin in a row convert it once. Any other picture
// gets a bitmap of its own.
std::shared_ptr<const TBitmap> SharedBitmapOfPicture(const TPngImage& picture);

} // namespace morvane
