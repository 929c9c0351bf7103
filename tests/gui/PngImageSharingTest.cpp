#include "gui/PictureCache.h"
#include "gui/PngImage.h"

#include <gtest/gtest.h>
#include <memory>

namespace morvane {
namespace {

TPngImage Gradient(int width, int height) {
    TPngImage picture(width, height, true);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.Scanline(y);
        for (int x = 0; x < width * 4; ++x)
            row[x] = std::uint8_t(x + 7 * y);
    }
    return picture;
}

TEST(PngImageSharing, CopiesShareUntilOneIsWrittenAndTheOtherKeepsItsPixels) {
    TPngImage original = Gradient(5, 3);
    TPngImage copy = original;
    EXPECT_TRUE(copy.SharesPixelsWith(original));

    copy.Scanline(1)[2] = 0xEE;
    EXPECT_FALSE(copy.SharesPixelsWith(original));
    EXPECT_EQ(original.Scanline(1)[2], std::uint8_t(2 + 7));
    EXPECT_EQ(copy.Scanline(1)[2], 0xEE);
    EXPECT_FALSE(copy == original);
}

TEST(PngImageSharing, AWrittenCopyDrawsItsOwnPixelsWhileTheOriginalDrawsTheOld) {
    TPngImage original = Gradient(4, 2);
    const std::uint32_t before = original.FramebufferRow(0)[1]; // the framebuffer form is made and shared
    TPngImage copy = original;
    std::uint8_t* row = copy.Scanline(0);
    row[4] = 1;
    row[5] = 2;
    row[6] = 3;
    row[7] = 255;
    EXPECT_EQ(copy.FramebufferRow(0)[1], 0xFF010203u);
    EXPECT_EQ(original.FramebufferRow(0)[1], before);
}

TEST(PngImageSharing, ResizingACopyLeavesTheOriginalWhole) {
    TPngImage original = Gradient(3, 3);
    TPngImage copy = original;
    copy.SetSize(1, 1, false);
    EXPECT_EQ(original.Width(), 3);
    EXPECT_EQ(original, Gradient(3, 3));
    copy = original;
    copy.Clear();
    EXPECT_EQ(original, Gradient(3, 3));
}

TEST(PictureCache, GivesOutTheKeptPixelsWhileACopyLivesAndForgetsThemAfter) {
    TPictureCache cache;
    EXPECT_EQ(cache.Find("A"), nullptr);
    auto first = std::make_unique<TPngImage>(Gradient(6, 2));
    cache.Keep("A", *first);

    std::unique_ptr<TPngImage> second = cache.Find("A");
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->SharesPixelsWith(*first));
    EXPECT_EQ(*second, Gradient(6, 2));
    EXPECT_EQ(cache.LiveCount(), 1u);

    first.reset();
    EXPECT_NE(cache.Find("A"), nullptr) << "the second copy still holds the pixels";
    second.reset();
    EXPECT_EQ(cache.LiveCount(), 0u);
    EXPECT_EQ(cache.Find("A"), nullptr);
}

TEST(PictureCache, TheOnlyHolderWritingToAKeptPictureNeverChangesWhatTheCacheGivesOut) {
    TPictureCache cache;
    TPngImage only = Gradient(2, 2);
    cache.Keep("B", only);
    only.Scanline(0)[0] = 0x55; // the cache's watch does not count as a holder, yet the write copies first
    EXPECT_EQ(only.Scanline(0)[0], 0x55);
    EXPECT_EQ(cache.Find("B"), nullptr) << "the kept pixels went with their last holder, unchanged";

    TPngImage kept = Gradient(2, 2);
    cache.Keep("C", kept);
    std::unique_ptr<TPngImage> shared = cache.Find("C");
    kept.Scanline(1)[1] = 0x66;
    ASSERT_NE(cache.Find("C"), nullptr);
    EXPECT_EQ(*cache.Find("C"), Gradient(2, 2));
}

} // namespace
} // namespace morvane
