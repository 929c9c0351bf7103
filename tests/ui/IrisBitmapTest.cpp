#include "ui/IrisBitmap.h"

#include "gui/Canvas.h"
#include "ui/PluginBitmap.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

void Fill(TIrisBitmap& bitmap, TColor colour) {
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            std::uint8_t* p = bitmap.ScanLine(y) + 3 * x;
            p[0] = GetBValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetRValue(colour);
        }
}

TEST(IrisBitmap, SizesClampAndRowsArePaddedToFourBytes) {
    TIrisBitmap bitmap;
    int changes = 0;
    bitmap.OnChange = [&changes] { ++changes; };
    bitmap.SetSize(5, 2);
    EXPECT_EQ(bitmap.Stride(), 16u);
    EXPECT_FALSE(bitmap.Empty());
    bitmap.SetSize(5, 2);
    EXPECT_EQ(changes, 1) << "the same size changes nothing";
    bitmap.SetSize(0, 10);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Height(), 10);
    bitmap.SetSize(-4, 3);
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Pixel(0, 0), clNone);
}

TEST(IrisBitmap, GreyAndLightenFollowTheChannelMask) {
    TIrisBitmap bitmap;
    bitmap.SetSize(1, 1);
    Fill(bitmap, RGB(100, 50, 200)); // 200/3 + 50/3 + 100/3 = 66 + 16 + 33
    bitmap.Grey(TIrisBitmap::kAllChannels);
    EXPECT_EQ(bitmap.Pixel(0, 0), RGB(115, 115, 115));
    Fill(bitmap, RGB(100, 50, 200));
    bitmap.Grey(TIrisBitmap::kRed);
    EXPECT_EQ(bitmap.Pixel(0, 0), RGB(115, 50, 200));

    Fill(bitmap, RGB(0, 100, 255));
    bitmap.LightenDarken(40, TIrisBitmap::kAllChannels); // b = 102: v + 102 × (255 − v) div 256
    EXPECT_EQ(bitmap.Pixel(0, 0), RGB(101, 161, 255));
    Fill(bitmap, RGB(0, 100, 255));
    bitmap.LightenDarken(-40, TIrisBitmap::kAllChannels); // v − v × 102 div 256
    EXPECT_EQ(bitmap.Pixel(0, 0), RGB(0, 61, 154));

    Fill(bitmap, RGB(1, 100, 254));
    bitmap.LightenDarken(100, TIrisBitmap::kGreen | TIrisBitmap::kBlue);
    EXPECT_EQ(bitmap.Pixel(0, 0), RGB(1, 255, 255));
    bitmap.LightenDarken(-100, TIrisBitmap::kAllChannels);
    EXPECT_EQ(bitmap.Pixel(0, 0), RGB(0, 0, 0));
    Fill(bitmap, RGB(1, 100, 254));
    bitmap.LightenDarken(1000, TIrisBitmap::kRed);
    EXPECT_EQ(bitmap.Pixel(0, 0), RGB(255, 100, 254)) << "amounts beyond 100 act as 100";

    int changes = 0;
    bitmap.OnChange = [&changes] { ++changes; };
    bitmap.LightenDarken(50, 0);
    EXPECT_EQ(changes, 0);
    bitmap.LightenDarken(50, TIrisBitmap::kRed);
    EXPECT_EQ(changes, 1);
}

TEST(IrisBitmap, CopiesToAndFromBitmapsAndDrawsUnscaled) {
    TBitmap source(3, 2);
    source.SetPixel(2, 1, clFuchsia);
    TIrisBitmap bitmap;
    bitmap.Assign(&source);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Pixel(2, 1), clFuchsia);

    TIrisBitmap copy;
    copy.Assign(&bitmap);
    TBitmap back;
    copy.AssignTo(back);
    EXPECT_EQ(back.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(back.Pixel(2, 1), clFuchsia);
    EXPECT_EQ(back.Pixel(0, 0), clBlack);

    TBitmap frame(6, 6);
    TCanvas canvas(frame);
    copy.Draw(canvas, {2, 3, 3, 4}); // a rectangle smaller than the picture does not scale it
    EXPECT_EQ(frame.Pixel(4, 4), clFuchsia);
    EXPECT_EQ(frame.Alpha(2, 3), 255);

    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST(BitmapToIcon, MasksTheTransparentColourAndBlacksItOut) {
    TBitmap bitmap(2, 2, TPixelFormat::pf24bit);
    bitmap.SetPixel(0, 0, clRed);
    bitmap.SetPixel(1, 0, clBlue);
    bitmap.SetPixel(0, 1, clFuchsia); // bottom left: the clDefault transparent colour
    bitmap.SetPixel(1, 1, clFuchsia);
    TIconImage icon;
    ASSERT_TRUE(BitmapToIcon(bitmap, icon, false, 3, 4, clDefault));
    EXPECT_EQ(icon.hotspotX, 4);
    EXPECT_EQ(icon.hotspotY, 3);
    ASSERT_EQ(icon.mask.Width(), 16);
    ASSERT_EQ(icon.colour.Height(), 16);
    // Nearest stretch: each source pixel becomes an 8 × 8 block.
    EXPECT_EQ(icon.colour.Pixel(7, 7), clRed);
    EXPECT_EQ(icon.colour.Pixel(8, 0), clBlue);
    EXPECT_EQ(icon.mask.Pixel(8, 0), clBlack);
    EXPECT_EQ(icon.mask.Pixel(0, 8), clWhite);
    EXPECT_EQ(icon.mask.Pixel(15, 15), clWhite);
    EXPECT_EQ(icon.colour.Pixel(15, 15), clBlack);

    ASSERT_TRUE(BitmapToIcon(bitmap, icon, true, 0, 0, clBlue));
    EXPECT_EQ(icon.mask.Width(), 32);
    EXPECT_EQ(icon.mask.Pixel(31, 0), clWhite);
    EXPECT_EQ(icon.mask.Pixel(0, 31), clBlack);
    EXPECT_EQ(icon.colour.Pixel(0, 31), clFuchsia);

    ASSERT_TRUE(BitmapToIcon(bitmap, icon, false, 0, 0, clNone));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(icon.mask.Pixel(x, y), clBlack) << "without a key all is opaque";
    EXPECT_EQ(icon.colour.Pixel(0, 15), clFuchsia);

    EXPECT_FALSE(BitmapToIcon(TBitmap(0, 5), icon, false, 0, 0, clNone));
}

} // namespace
} // namespace morvane
