#include "support/headless/GoldenPicture.h"

#include "support/TempDir.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace morvane::test {
namespace {

TPngImage Filled(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    TPngImage picture(width, height, false);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = picture.Scanline(y) + 3 * x;
            p[0] = r, p[1] = g, p[2] = b;
        }
    return picture;
}

void Paint(TPngImage& picture, int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    std::uint8_t* p = picture.Scanline(y) + picture.BytesPerPixel() * x;
    p[0] = r, p[1] = g, p[2] = b;
}

bool IsRed(const TPngImage& picture, int x, int y) {
    const std::uint8_t* p = picture.Scanline(y) + picture.BytesPerPixel() * x;
    return p[0] == 255 && p[1] == 0 && p[2] == 0;
}

TEST(PictureDifferenceTest, ADifferenceIsCountedBoundedAndMarkedInRedOverTheWashedOutGolden) {
    const TPngImage golden = Filled(6, 4, 0, 100, 0);
    TPngImage drawn = golden;
    Paint(drawn, 1, 1, 0, 101, 0); // one step of one channel is a difference
    Paint(drawn, 4, 2, 255, 255, 255);
    const TPictureDifference difference = ComparePictures(drawn, golden);
    EXPECT_EQ(difference.pixels, 2);
    EXPECT_EQ(difference.bounds, (TRect{1, 1, 5, 3}));
    EXPECT_TRUE(IsRed(difference.picture, 1, 1));
    EXPECT_TRUE(IsRed(difference.picture, 4, 2));
    EXPECT_FALSE(IsRed(difference.picture, 2, 1));
    // The same pixels with an opaque alpha are no difference; another alpha is.
    TPngImage withAlpha(6, 4, true);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            std::uint8_t* p = withAlpha.Scanline(y) + 4 * x;
            p[0] = 0, p[1] = 100, p[2] = 0, p[3] = (x == 5 && y == 3) ? 254 : 255;
        }
    EXPECT_EQ(ComparePictures(withAlpha, golden).pixels, 1);
    EXPECT_FALSE(ComparePictures(Filled(6, 5, 0, 100, 0), golden).sameSize);
}

TEST(PictureDifferenceTest, AGoldenTestFailsWithTheCountAndWritesTheDifferenceBesideTheShot) {
    TempDir folder;
    const std::string shot = (folder / "table.png").string();
    const std::string golden = (folder / "golden.png").string();
    const std::string diff = (folder / "table-diff.png").string();
    TPngImage drawn = Filled(8, 8, 10, 20, 30);
    ASSERT_TRUE(drawn.SaveToFile(golden));
    Paint(drawn, 3, 3, 200, 20, 30);
    Paint(drawn, 3, 4, 200, 20, 30);
    Paint(drawn, 7, 0, 200, 20, 30);
    ASSERT_TRUE(drawn.SaveToFile(shot));
    EXPECT_NONFATAL_FAILURE(ExpectSamePicture("table.png", shot, golden, diff),
                            "table.png draws differently: 3 of 64 pixels differ, within (3, 0) to (8, 5)");
    TPngImage written;
    ASSERT_TRUE(written.LoadFromFile(diff)) << written.Error();
    EXPECT_TRUE(IsRed(written, 3, 4));
    EXPECT_FALSE(IsRed(written, 0, 0));

    // Once the picture is right again, the test passes and the old difference is gone.
    ASSERT_TRUE(Filled(8, 8, 10, 20, 30).SaveToFile(shot));
    ExpectSamePicture("table.png", shot, golden, diff);
    EXPECT_FALSE(std::filesystem::exists(diff));

    ASSERT_TRUE(Filled(8, 7, 10, 20, 30).SaveToFile(shot));
    EXPECT_NONFATAL_FAILURE(ExpectSamePicture("table.png", shot, golden, diff),
                            "table.png is drawn 8 x 7 pixels, its golden picture is 8 x 8");
}

} // namespace
} // namespace morvane::test
