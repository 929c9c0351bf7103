#include "graphics/PngAction.h"
#include "graphics/TemplateOverlapPng.h"
#include "gui/Form.h"
#include "support/headless/GoldenPicture.h"
#include "support/headless/HeadlessApp.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace morvane {
namespace {

TPngImage Solid(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    TPngImage picture(width, height, true);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = picture.Scanline(y) + x * 4;
            pixel[0] = r, pixel[1] = g, pixel[2] = b, pixel[3] = a;
        }
    return picture;
}

const std::uint8_t* PixelAt(const TPngImage& picture, int x, int y) {
    return picture.Scanline(y) + x * picture.BytesPerPixel();
}

int OpaquePixels(const TPngImage& picture) {
    int count = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            count += PixelAt(picture, x, y)[3] != 0;
    return count;
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        if (!std::equal(a.Row32(y), a.Row32(y) + a.Width(), b.Row32(y))) return false;
    return true;
}

class ChipPileTest : public test::HeadlessTest {
protected:
    ChipPileTest() {
        form.SetBounds(0, 0, 300, 200);
        form.SetColor(RGB(0, 96, 40));
        heap = form.Own(std::make_unique<TTemplateOverlapPng>(&form));
        heap->SetParent(&form);
        heap->SetBounds(20, 20, 243, 177 - 20);
        heap->SetCanvasSize(heap->Width(), heap->Height());
        form.Show();
        platform.RunUntilIdle();
    }
    TForm form{nullptr};
    TTemplateOverlapPng* heap{nullptr};
};

TEST_F(ChipPileTest, OverlapComposesInOrderAndClearStartsOver) {
    EXPECT_TRUE(heap->Empty());
    heap->Overlap({});
    EXPECT_TRUE(heap->Empty());

    const TPngImage red = Solid(4, 4, 255, 0, 0, 255);
    const TPngImage halfBlue = Solid(4, 4, 0, 0, 255, 128);
    heap->Overlap({{0, 0, &red}, {2, 2, &halfBlue}, {-2, 10, &red}, {241, 155, &red}});
    EXPECT_FALSE(heap->Empty());
    EXPECT_EQ(PixelAt(heap->Canvas(), 1, 1)[0], 255);
    // Half blue over opaque red stays opaque; over the transparent canvas it keeps its own alpha.
    EXPECT_EQ(PixelAt(heap->Canvas(), 3, 3)[3], 255);
    EXPECT_EQ(PixelAt(heap->Canvas(), 5, 5)[2], 255);
    EXPECT_EQ(PixelAt(heap->Canvas(), 5, 5)[3], 128);
    // Pictures hanging over an edge are cut there, the visible part in its place.
    EXPECT_EQ(OpaquePixels(heap->Canvas()), 16 + 12 + 8 + 4);

    heap->Clear();
    EXPECT_TRUE(heap->Empty());
    EXPECT_EQ(OpaquePixels(heap->Canvas()), 0);
    EXPECT_EQ(heap->Canvas().Width(), 243);

    heap->SetCanvasSize(0, 50);
    heap->SetCanvasSize(50, -1);
    EXPECT_EQ(heap->Canvas().Width(), 243);
    heap->SetCanvasSize(60, 50);
    EXPECT_EQ(heap->Canvas().Height(), 50);
}

TEST_F(ChipPileTest, ChipsLieInsideTheHeapAndOnlyKnownChipsAreDrawn) {
    const TChipPictures chips = LoadChipPictures();
    for (const auto& chip : chips) {
        ASSERT_NE(chip, nullptr);
        EXPECT_EQ(chip->Width(), 49);
    }
    TRandom random(7);
    EXPECT_FALSE(PlaceChipOfValue(*heap, chips, 300, random));
    EXPECT_FALSE(PlaceChip(*heap, chips, -1, random));
    EXPECT_FALSE(PlaceChip(*heap, chips, 10, random));
    EXPECT_TRUE(heap->Empty());
    EXPECT_EQ(ChipIndexOf(100), 0);
    EXPECT_EQ(ChipIndexOf(5000000), 9);

    // Every chip lies wholly inside: the heap's border rows and columns beyond a chip's reach stay clear.
    heap->SetBounds(0, 0, 60, 50);
    heap->SetCanvasSize(60, 50);
    TChipPictures squares;
    for (auto& square : squares)
        square = std::make_unique<TPngImage>(Solid(49, 47, 200, 0, 0, 255));
    for (int chip = 0; chip < 200; ++chip)
        ASSERT_TRUE(PlaceChip(*heap, squares, chip % 10, random));
    EXPECT_FALSE(heap->Empty());
    auto covered = [&](int x, int y) { return PixelAt(heap->Canvas(), x, y)[3] != 0; };
    // x is drawn from [0, 60 - 49) and y from [0, 50 - 47): the last column and row are never reached,
    // the ones before them are.
    EXPECT_TRUE(covered(58, 49 - 1 - 1));
    for (int y = 0; y < 50; ++y)
        EXPECT_FALSE(covered(59, y)) << y;
    for (int x = 0; x < 60; ++x)
        EXPECT_FALSE(covered(x, 49)) << x;
    // A heap smaller than a chip still takes it, cut at its edges.
    heap->SetCanvasSize(30, 30);
    EXPECT_TRUE(PlaceChipOfValue(*heap, chips, 5000000, random));
}

TEST_F(ChipPileTest, AChipRepaintsOnlyWhereItLies) {
    const TPngImage red = Solid(4, 4, 255, 0, 0, 255);
    heap->Overlap({{10, 12, &red}});
    // The heap sits at (20, 20) on the form.
    EXPECT_EQ(form.PendingPaint().Bounds(), Bounds(30, 32, 4, 4));
    platform.RunUntilIdle();

    // Two chips in one call mark what holds both; a chip over the edge only the part inside.
    heap->Overlap({{0, 0, &red}, {8, 6, &red}, {-2, 150, &red}});
    EXPECT_EQ(form.PendingPaint().Bounds(), Bounds(20, 20, 12, 154));
    platform.RunUntilIdle();
    heap->Overlap({{241, 155, &red}});
    EXPECT_EQ(form.PendingPaint().Bounds(), Bounds(20 + 241, 20 + 155, 2, 2));
    platform.RunUntilIdle();

    // What the screen shows after those partial repaints is what a whole repaint draws.
    const TBitmap partial = *platform.Screenshot(form.WindowId());
    form.Invalidate();
    platform.RunUntilIdle();
    EXPECT_TRUE(SamePixels(partial, *platform.Screenshot(form.WindowId())));
}

TEST_F(ChipPileTest, TheSameSeedGivesTheSameHeap) {
    const TChipPictures chips = LoadChipPictures();
    auto heapOf = [&](std::uint32_t seed) {
        heap->Clear();
        TRandom random(seed);
        for (int chip = 0; chip < 12; ++chip)
            PlaceChip(*heap, chips, chip % 10, random);
        return heap->Canvas();
    };
    const TPngImage first = heapOf(11);
    EXPECT_TRUE(first == heapOf(11));
    EXPECT_FALSE(first == heapOf(12));
}

// Thirty chips of every value dropped on the Player field with a fixed seed.
TEST_F(ChipPileTest, GoldenPileOfThirtyChips) {
    const TChipPictures chips = LoadChipPictures();
    TRandom random(20261208);
    for (int chip = 0; chip < 30; ++chip)
        ASSERT_TRUE(PlaceChip(*heap, chips, (chip * 7) % 10, random));
    platform.RunUntilIdle();

    test::ExpectGolden(platform, form.WindowId(), "chips.png");
}

TEST_F(ChipPileTest, TheSparkleShowsFiveFramesThenHides) {
    auto* sparkle = form.Own(std::make_unique<TPngAction>(&form, 1));
    sparkle->SetParent(&form);
    sparkle->Hide();
    EXPECT_FALSE(sparkle->SetKind(0));
    ASSERT_TRUE(sparkle->SetKind(1));
    sparkle->SetParams(1, 100, 30, 40);
    sparkle->Stop();
    sparkle->Start();
    EXPECT_EQ(sparkle->BoundsRect(), Bounds(30, 40, 170, 70));
    std::vector<int> frames{sparkle->ShownFrame()};
    for (int step = 0; step < 4; ++step) {
        EXPECT_TRUE(sparkle->Visible()) << step;
        platform.AdvanceBy(100);
        frames.push_back(sparkle->Visible() ? sparkle->ShownFrame() : -1);
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, -1}));
    EXPECT_FALSE(sparkle->Visible());
    EXPECT_FALSE(sparkle->Running());
    platform.AdvanceBy(1000);
    EXPECT_FALSE(sparkle->Visible());

    EXPECT_THROW(TPngAction(nullptr, 2), std::invalid_argument);
}

TEST_F(ChipPileTest, TheClockOrnamentAlternatesForThirtyEightPasses) {
    auto* ornament = form.Own(std::make_unique<TPngAction>(&form, 0));
    ornament->SetParent(&form);
    ornament->SetParams(38, 50, 134, 138);
    ornament->Start();
    platform.AdvanceBy(50 * 37);
    EXPECT_TRUE(ornament->Visible());
    EXPECT_EQ(ornament->ShownFrame(), 1);
    platform.AdvanceBy(50 * 37);
    EXPECT_TRUE(ornament->Visible());
    EXPECT_EQ(ornament->LoopsDone(), 37);
    platform.AdvanceBy(50);
    EXPECT_FALSE(ornament->Visible());
    EXPECT_FALSE(ornament->Running());
}

} // namespace
} // namespace morvane
