#include "gui/Bitmap.h"
#include "gui/Canvas.h"
#include "gui/Image.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

TPngImage OpaqueRed(int width, int height) {
    TPngImage picture(width, height, false);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.Scanline(y)[3 * x] = 255;
    return picture;
}

TEST(ImageFirstUse, TakesItsSizeAtOnceAndDecodesOnlyWhenFirstDrawnThenNeverAgain) {
    int loads = 0;
    TImage image(nullptr);
    image.SetAutoSize(true);
    image.SetPictureOnFirstUse(3, 2, [&] {
        ++loads;
        return OpaqueRed(3, 2);
    });
    EXPECT_EQ(image.Width(), 3);
    EXPECT_EQ(image.Height(), 2);
    EXPECT_EQ(loads, 0);

    TBitmap frame(4, 4);
    TCanvas canvas(frame);
    canvas.FillRect({0, 0, 4, 4}, clWhite);
    image.PaintControl(canvas);
    image.PaintControl(canvas);
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(frame.Pixel(2, 1), RGB(255, 0, 0));
    EXPECT_EQ(frame.Pixel(3, 1), clWhite);
    EXPECT_EQ(image.Picture().Width(), 3);
}

TEST(ImageFirstUse, AskingForThePictureDecodesItAndAPictureSetLaterWins) {
    int loads = 0;
    TImage image(nullptr);
    image.SetPictureOnFirstUse(2, 2, [&] {
        ++loads;
        return OpaqueRed(2, 2);
    });
    EXPECT_EQ(image.Picture(), OpaqueRed(2, 2));
    EXPECT_EQ(loads, 1);

    image.SetPictureOnFirstUse(5, 5, [&] {
        ++loads;
        return OpaqueRed(5, 5);
    });
    image.SetPicture(OpaqueRed(1, 1));
    EXPECT_EQ(image.Picture().Width(), 1);
    EXPECT_EQ(loads, 1) << "the replaced loader never runs";
}

TEST(ImageFirstUse, AutoSizeSwitchedOnLaterUsesTheAnnouncedSizeWithoutDecoding) {
    bool loaded = false;
    TImage image(nullptr);
    image.SetPictureOnFirstUse(7, 9, [&] {
        loaded = true;
        return OpaqueRed(7, 9);
    });
    image.SetAutoSize(true);
    EXPECT_EQ(image.Width(), 7);
    EXPECT_EQ(image.Height(), 9);
    EXPECT_FALSE(loaded);
}

} // namespace
} // namespace morvane
