#include "support/SolidPicture.h"

namespace morvane::test {

TPngImage SolidPicture(int width, int height, TColor colour) {
    TPngImage picture(width, height, false);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = picture.Scanline(y) + x * 3;
            p[0] = GetRValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetBValue(colour);
        }
    return picture;
}

} // namespace morvane::test
