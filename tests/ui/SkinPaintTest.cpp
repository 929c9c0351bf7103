#include "gui/Canvas.h"
#include "gui/PngImage.h"
#include "ui/BitmapRegion.h"
#include "ui/ISScrollBarSkinner.h"
#include "ui/NinePart.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace morvane {
namespace {

// A 4 × 3 picture whose every pixel tells where it came from: red 10·x + 1, green 10·y + 1.
TPngImage Numbered() {
    TPngImage picture(4, 3, false);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            std::uint8_t* p = picture.Scanline(y) + x * 3;
            p[0] = std::uint8_t(10 * x + 1);
            p[1] = std::uint8_t(10 * y + 1);
            p[2] = 0;
        }
    return picture;
}

TEST(NinePartTest, StretchLinesFillTheExtraSpaceAndBordersKeepTheirPlace) {
    TPngImage picture = Numbered();
    TBitmap target(7, 5);
    RenderNinePart(&picture, 1, 1, target);
    // Column 1 covers x 1 … 3, row 1 covers y 1 … 2; the rest of the picture sits at the far edges.
    const int fromColumn[7] = {0, 1, 1, 1, 1, 2, 3};
    const int fromRow[5] = {0, 1, 1, 1, 2};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(target.Pixel(x, y), RGB(10 * fromColumn[x] + 1, 10 * fromRow[y] + 1, 0))
                << "at " << x << "," << y;
}

TEST(NinePartTest, NoPictureOrAnOddCentreGivesADefinedResult) {
    TBitmap target(3, 2);
    target.SetPixel(1, 1, clWhite);
    RenderNinePart(nullptr, 0, 0, target);
    EXPECT_EQ(target.Pixel(1, 1), clBlack);
    EXPECT_EQ(target.Width(), 3);

    // Centre lines beyond the picture act as its last row and column. A smaller target keeps only the
    // picture columns it has room for; the bottom rows, drawn last, win over the top ones.
    TPngImage picture = Numbered();
    TBitmap small(2, 2);
    RenderNinePart(&picture, 99, -5, small);
    EXPECT_EQ(small.Pixel(0, 0), RGB(1, 11, 0));
    EXPECT_EQ(small.Pixel(1, 1), RGB(11, 21, 0));
    TBitmap wide(6, 3);
    RenderNinePart(&picture, 99, 0, wide);
    EXPECT_EQ(wide.Pixel(5, 2), RGB(31, 21, 0));
    EXPECT_EQ(wide.Pixel(4, 0), RGB(31, 1, 0));
    EXPECT_EQ(wide.Pixel(2, 0), RGB(21, 1, 0));
}

TEST(BitmapRegionTest, PixelsWithinTheToleranceOfTheKeyAreCutOut) {
    TBitmap bitmap(4, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            bitmap.SetPixel(x, y, clFuchsia);
    bitmap.SetPixel(1, 0, RGB(255, 9, 255)); // distance 9 div 3 = 3
    bitmap.SetPixel(2, 0, clWhite);
    bitmap.SetPixel(3, 1, RGB(250, 0, 250)); // distance 10 div 3 = 3

    TRegion strict = RegionFromBitmap(bitmap, clFuchsia, 0);
    EXPECT_FALSE(strict.Contains({0, 0}));
    EXPECT_TRUE(strict.Contains({1, 0}));
    EXPECT_TRUE(strict.Contains({2, 0}));
    EXPECT_FALSE(strict.Contains({3, 0}));
    EXPECT_TRUE(strict.Contains({3, 1}));
    EXPECT_FALSE(strict.Contains({0, 1}));

    TRegion tolerant = RegionFromBitmap(bitmap, clFuchsia, 3);
    EXPECT_FALSE(tolerant.Contains({1, 0}));
    EXPECT_TRUE(tolerant.Contains({2, 0}));
    EXPECT_FALSE(tolerant.Contains({3, 1}));
}

TEST(BitmapRegionTest, TheCutAgreesWithTheColourKeyTestAtEveryDistanceAndTolerance) {
    // Every distance from the key (0 … 255 on each of the three channels, so sums 0 … 765) in both
    // pixel formats, against tolerances around the edges, including ones no distance reaches.
    constexpr TColor key = RGB(200, 40, 120);
    TBitmap bitmap(256, 3);
    for (int x = 0; x < 256; ++x) {
        bitmap.SetPixel(x, 0, RGB(std::max(200 - x, 0), std::min(40 + x, 255), std::max(120 - x, 0)));
        bitmap.SetPixel(x, 1, RGB(200, 40, (120 + x) % 256));
        bitmap.SetPixel(x, 2, RGB(x, 255 - x, x));
    }
    for (TPixelFormat format : {TPixelFormat::pf32bit, TPixelFormat::pf24bit}) {
        bitmap.SetPixelFormat(format);
        for (int tolerance : {-7, -1, 0, 1, 20, 21, 84, 85, 254, 255, 1000, 2000000000}) {
            const TRegion region = RegionFromBitmap(bitmap, key, tolerance);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 256; ++x)
                    ASSERT_EQ(region.Contains({x, y}), OutsideColorKey(bitmap.Pixel(x, y), key, tolerance))
                        << "pixel " << x << "," << y << " tolerance " << tolerance << " bytes "
                        << bitmap.BytesPerPixel();
        }
    }
}

TEST(BitmapRegionTest, EqualRunsOfFollowingRowsJoinIntoOneRectangle) {
    TBitmap bitmap(50, 40);
    TCanvas canvas(bitmap);
    canvas.FillRect({0, 0, 50, 40}, clFuchsia);
    canvas.FillRect({5, 5, 45, 35}, clWhite);
    TRegion region = RegionFromBitmap(bitmap, clFuchsia, 0);
    ASSERT_EQ(region.Rects().size(), 1u);
    EXPECT_EQ(region.Rects()[0], (TRect{5, 5, 45, 35}));
}

TEST(ScrollBarBlendTest, ChannelsMixByPercentRoundedAndClamped) {
    EXPECT_EQ(BlendColor(clBlack, clWhite, 50), RGB(128, 128, 128));
    EXPECT_EQ(BlendColor(RGB(10, 20, 30), RGB(20, 10, 30), 25), RGB(13, 18, 30));
    EXPECT_EQ(BlendColor(RGB(10, 20, 30), RGB(200, 100, 0), 150), RGB(200, 100, 0));
    EXPECT_EQ(BlendColor(RGB(10, 20, 30), RGB(200, 100, 0), -20), RGB(10, 20, 30));
}

class ScrollBarSkinnerTest : public ::testing::Test {
protected:
    // The main form's scheme: face, light, dark, arrow, track, corner.
    TScrollBarScheme scheme{0x6FA4EF, 0x94AAC1, 0xABE3FE, 0xF0FAFE, 0xD4EDF7, 0xD4EDF7};
    TBitmap bitmap{17, 60};
    TCanvas canvas{bitmap};
};

TEST_F(ScrollBarSkinnerTest, StandardButtonHasEdgesAndACentredArrow) {
    TISScrollBarSkinCacher cacher(kStdScrollBarSkinner, scheme);
    auto skinner = CreateScrollBarSkinner(cacher, TScrollBarKind::sbVertical);
    skinner->DrawArrowButton(canvas, {0, 0, 17, 17}, TArrowDirection::adUp, false);
    EXPECT_EQ(bitmap.Pixel(0, 5), scheme[scLight]);
    EXPECT_EQ(bitmap.Pixel(5, 0), scheme[scLight]);
    EXPECT_EQ(bitmap.Pixel(16, 5), scheme[scDark]);
    EXPECT_EQ(bitmap.Pixel(5, 16), scheme[scDark]);
    EXPECT_EQ(bitmap.Pixel(3, 3), scheme[scFace]);
    // A triangle of height 17 / 5 = 3 pointing up: tip at the centre column, base five wide.
    EXPECT_EQ(bitmap.Pixel(8, 7), scheme[scArrow]);
    EXPECT_EQ(bitmap.Pixel(7, 7), scheme[scFace]);
    EXPECT_EQ(bitmap.Pixel(6, 9), scheme[scArrow]);
    EXPECT_EQ(bitmap.Pixel(10, 9), scheme[scArrow]);
    EXPECT_EQ(bitmap.Pixel(5, 9), scheme[scFace]);
}

TEST_F(ScrollBarSkinnerTest, DisabledButtonIsGreyedAndLightened) {
    TISScrollBarSkinCacher cacher(kStdScrollBarSkinner, scheme);
    auto skinner = CreateScrollBarSkinner(cacher, TScrollBarKind::sbVertical);
    skinner->DrawArrowButton(canvas, {0, 20, 17, 37}, TArrowDirection::adDown, true);
    const TColor face = scheme[scFace];
    const int grey = GetBValue(face) / 3 + GetGValue(face) / 3 + GetRValue(face) / 3;
    const int lightened = grey + 102 * (255 - grey) / 256; // lighten by 40 is b = 102
    EXPECT_EQ(bitmap.Pixel(3, 23), RGB(lightened, lightened, lightened));
}

TEST_F(ScrollBarSkinnerTest, XPThumbHasFrameRingFaceHighlightAndGripper) {
    TISScrollBarSkinCacher cacher(kXPScrollBarSkinner, scheme);
    auto skinner = CreateScrollBarSkinner(cacher, TScrollBarKind::sbVertical);
    const TRect thumb{0, 10, 17, 50};
    skinner->DrawThumb(canvas, thumb);
    auto b = [&](int p) { return BlendColor(scheme[scLight], scheme[scDark], p); };
    EXPECT_EQ(bitmap.Pixel(0, 10), b(50));
    EXPECT_EQ(bitmap.Pixel(16, 49), b(90));
    EXPECT_EQ(bitmap.Pixel(5, 10), b(30));
    EXPECT_EQ(bitmap.Pixel(16, 11), b(30));
    EXPECT_EQ(bitmap.Pixel(16, 48), b(80));
    EXPECT_EQ(bitmap.Pixel(1, 11), b(20));
    EXPECT_EQ(bitmap.Pixel(1, 20), BlendColor(scheme[scFace], scheme[scDark], 5));
    // Face graded across the bar, highlight across it two pixels below the leading edge.
    EXPECT_EQ(bitmap.Pixel(2, 16), BlendColor(clWhite, scheme[scFace], 70));
    EXPECT_EQ(bitmap.Pixel(14, 16), BlendColor(clWhite, scheme[scFace], 90));
    EXPECT_EQ(bitmap.Pixel(2, 12), BlendColor(clWhite, scheme[scFace], 50));
    EXPECT_EQ(bitmap.Pixel(14, 12), scheme[scFace]);
    // Gripper lines from 3 pixels above the centre (y 30), each with its companion below.
    for (int y : {27, 29, 31, 33}) {
        EXPECT_EQ(bitmap.Pixel(8, y), b(10)) << y;
        EXPECT_EQ(bitmap.Pixel(8, y + 1), b(80)) << y;
    }
    EXPECT_NE(bitmap.Pixel(4, 27), b(10));
    EXPECT_EQ(bitmap.Pixel(5, 27), b(10));
    EXPECT_EQ(bitmap.Pixel(11, 27), b(10));
    EXPECT_NE(bitmap.Pixel(12, 27), b(10));
}

TEST_F(ScrollBarSkinnerTest, SmallXPThumbHasNoGripper) {
    TISScrollBarSkinCacher cacher(kXPScrollBarSkinner, scheme);
    auto skinner = CreateScrollBarSkinner(cacher, TScrollBarKind::sbVertical);
    skinner->DrawThumb(canvas, {0, 10, 17, 25}); // 15 long: not longer than 15
    auto b = [&](int p) { return BlendColor(scheme[scLight], scheme[scDark], p); };
    for (int y = 13; y < 23; ++y)
        EXPECT_NE(bitmap.Pixel(8, y), b(10)) << y;
}

} // namespace
} // namespace morvane
