#include "gui/BitmapPicture.h"

#include "gui/Application.h"
#include "gui/Canvas.h"

#include <string>

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

TBitmap BitmapOfPicture(const TPngImage& picture) {
    TBitmap bitmap(picture.Width(), picture.Height());
    if (picture.HasAlpha()) {
        TCanvas canvas(bitmap);
        canvas.Draw(0, 0, picture);
        return bitmap;
    }
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* p = picture.Scanline(y);
        std::uint32_t* word = bitmap.Row32(y);
        for (int x = 0; x < picture.Width(); ++x, p += 3)
            word[x] = 0xFF000000u | (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
    }
    return bitmap;
}

std::shared_ptr<const TBitmap> SharedBitmapOfPicture(const TPngImage& picture) {
    const std::string key = HasApplication() ? Application().Pictures().KeyOf(picture) : std::string();
    if (key.empty()) return std::make_shared<const TBitmap>(BitmapOfPicture(picture));
    return Application().Pictures().Shared<TBitmap>("bitmap of " + key,
                                                    [&picture] { return BitmapOfPicture(picture); });
}

} // namespace morvane
