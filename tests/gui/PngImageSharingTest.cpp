#include "gui/PictureCache.h"
#include "gui/PngImage.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>

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

TEST(PictureCache, NamesAKeptPictureOnlyWhileItSharesTheKeptPixels) {
    TPictureCache cache;
    TPngImage kept = Gradient(3, 2);
    EXPECT_EQ(cache.KeyOf(kept), "") << "not kept yet";
    cache.Keep("FELT", kept);
    TPngImage copy = kept;
    EXPECT_EQ(cache.KeyOf(copy), "FELT");
    EXPECT_EQ(cache.KeyOf(Gradient(3, 2)), "") << "equal pixels elsewhere are not the kept ones";
    copy.Scanline(0)[0] = 1;
    EXPECT_EQ(cache.KeyOf(copy), "") << "a written copy has pixels of its own";
    EXPECT_EQ(cache.KeyOf(kept), "FELT");
}

TEST(PictureCache, AMadeThingIsMadeOnceWhileHeldAndMadeAfreshAfterItsLastHolderWent) {
    TPictureCache cache;
    int made = 0;
    const std::function<int()> make = [&made] { return ++made; };
    std::shared_ptr<const int> first = cache.Shared<int>("shape", make);
    std::shared_ptr<const int> second = cache.Shared<int>("shape", make);
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(made, 1);
    EXPECT_EQ(cache.LiveMadeCount(), 1u);
    EXPECT_NE(cache.Shared<int>("other shape", make).get(), first.get());

    first.reset();
    second.reset();
    EXPECT_EQ(cache.LiveMadeCount(), 0u) << "the cache holds nothing itself";
    EXPECT_EQ(*cache.Shared<int>("shape", make), 3);
    EXPECT_THROW(cache.Shared<double>("shape", [] { return 1.0; }), std::logic_error);
}

TEST(PictureCache, SweepingOutThePicturesThatWentKeepsTheLiveOnes) {
    TPictureCache cache;
    TPngImage early = Gradient(2, 1);
    cache.Keep("EARLY", early);
    const std::shared_ptr<const int> held = cache.Shared<int>("held", [] { return 7; });
    for (int i = 0; i < 1000; ++i) {
        TPngImage passing = Gradient(1, 1);
        cache.Keep("P" + std::to_string(i), passing);
        cache.Shared<int>("M" + std::to_string(i), [i] { return i; });
    }
    EXPECT_EQ(cache.LiveCount(), 1u);
    EXPECT_EQ(cache.LiveMadeCount(), 1u);
    ASSERT_NE(cache.Find("EARLY"), nullptr);
    EXPECT_TRUE(cache.Find("EARLY")->SharesPixelsWith(early));
    EXPECT_EQ(cache.Shared<int>("held", [] { return 8; }).get(), held.get());
}

} // namespace
} // namespace morvane
