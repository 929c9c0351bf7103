#include "gui/BitmapPicture.h"

namespace morvane {

TPngImage PictureOfBitmap(const TBitmap& bitmap) {
    TPngImage picture(bitmap.Width(), bitmap.Height(), false);
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* row = picture.Scanline(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor c = bitmap.Pixel(x, y);
            row[3 * x] = GetRValue(c);
            row[3 * x + 1] = GetGValue(c);
            row[3 * x + 2] = GetBValue(c);
        }
    }
    return picture;
}

} // namespace morvane
