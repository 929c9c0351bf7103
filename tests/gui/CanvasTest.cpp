#include "gui/Canvas.h"

#include "gui/Image.h"
#include "gui/PngImage.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

TPngImage Solid(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b, int alpha = -1) {
    TPngImage picture(width, height, alpha >= 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = picture.Scanline(y);
        for (int x = 0; x < width; ++x, p += picture.BytesPerPixel()) {
            p[0] = r;
            p[1] = g;
            p[2] = b;
            if (alpha >= 0) p[3] = std::uint8_t(alpha);
        }
    }
    return picture;
}

// The framebuffer row as colours, to compare whole rows at once.
std::vector<TColor> Row(const TBitmap& bitmap, int y) {
    std::vector<TColor> row;
    for (int x = 0; x < bitmap.Width(); ++x)
        row.push_back(bitmap.Pixel(x, y));
    return row;
}

class CanvasTest : public ::testing::Test {
protected:
    TBitmap frame{6, 4};
    TCanvas canvas{frame};
};

TEST(BitmapTest, SidesAndAreasBeyondTheLimitsAreRefusedAndLeaveTheBitmapAsItWas) {
    TBitmap bitmap(3, 2);
    EXPECT_THROW(bitmap.SetSize(TBitmap::kMaxSide + 1, 1), std::length_error);
    EXPECT_THROW(bitmap.SetSize(1, TBitmap::kMaxSide + 1), std::length_error);
    // Both sides allowed, the area not: 4 GiB at 32 bits a pixel.
    EXPECT_THROW(bitmap.SetSize(TBitmap::kMaxSide, TBitmap::kMaxSide), std::length_error);
    EXPECT_THROW(
        TBitmap(TBitmap::kMaxSide, int(TBitmap::kMaxPixels / TBitmap::kMaxSide) + 1, TPixelFormat::pf24bit),
        std::length_error);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
    bitmap.SetSize(TBitmap::kMaxSide, 2); // a long strip is fine
    EXPECT_EQ(bitmap.Stride(), std::size_t(TBitmap::kMaxSide) * 4);
}

TEST_F(CanvasTest, FillsOnlyInsideTheClipAndTheFramebuffer) {
    canvas.FillRect({-5, -5, 50, 50}, clWhite);
    canvas.SetOrigin({1, 1});
    canvas.IntersectClipRect({0, 0, 3, 2}); // framebuffer columns 1..3, rows 1..2
    canvas.FillRect({-1, -1, 10, 10}, clRed);
    EXPECT_EQ(Row(frame, 0), std::vector<TColor>(6, clWhite));
    EXPECT_EQ(Row(frame, 1), (std::vector<TColor>{clWhite, clRed, clRed, clRed, clWhite, clWhite}));
    EXPECT_EQ(Row(frame, 3), std::vector<TColor>(6, clWhite));
    EXPECT_EQ(canvas.ClipRect(), (TRect{0, 0, 3, 2}));
    EXPECT_EQ(frame.Alpha(1, 1), 255);
    EXPECT_EQ(canvas.Pixel(0, 0), clRed);
    EXPECT_EQ(canvas.Pixel(-2, 0), clNone);
}

TEST_F(CanvasTest, SaverRestoresClipAndOrigin) {
    {
        TCanvasSaver saver(canvas);
        canvas.MoveOrigin(2, 2);
        canvas.IntersectClipRect({0, 0, 1, 1});
        canvas.FillRect({0, 0, 9, 9}, clBlue);
    }
    EXPECT_EQ(canvas.Origin(), (TPoint{0, 0}));
    EXPECT_EQ(canvas.ClipRect(), (TRect{0, 0, 6, 4}));
    canvas.FillRect({0, 0, 1, 1}, clLime);
    EXPECT_EQ(frame.Pixel(0, 0), clLime);
    EXPECT_EQ(frame.Pixel(2, 2), clBlue);
    EXPECT_EQ(frame.Pixel(3, 2), clBlack);
}

TEST_F(CanvasTest, SaverRestoresFontBrushAndPenSoANestedPaintCannotLeakThem) {
    canvas.Font().SetName("黑体");
    canvas.Font().SetSize(12);
    canvas.Font().SetStyle(fsBold);
    canvas.Font().SetColor(clFuchsia);
    canvas.Brush() = {clYellow, TBrushStyle::bsClear};
    canvas.Pen() = {clRed, 1};
    canvas.MoveTo(1, 1);
    const TFont outerFont = canvas.Font();
    {
        TCanvasSaver saver(canvas);
        canvas.Font().SetName("宋体");
        canvas.Font().SetSize(9);
        canvas.Font().SetStyle(fsItalic);
        canvas.Font().SetColor(clWhite);
        canvas.Brush() = {clBlue, TBrushStyle::bsSolid};
        canvas.Pen() = {clLime, 0};
        canvas.MoveTo(4, 3);
        canvas.Rectangle({0, 0, 2, 2}); // the nested paint's own blue, unframed
    }
    EXPECT_TRUE(canvas.Font().SameAs(outerFont));
    EXPECT_EQ(canvas.Brush().color, clYellow);
    EXPECT_EQ(canvas.Brush().style, TBrushStyle::bsClear);
    EXPECT_EQ(canvas.Pen().color, clRed);
    EXPECT_EQ(canvas.Pen().width, 1);
    EXPECT_EQ(canvas.PenPos(), (TPoint{1, 1}));
    // Drawn afterwards in the outer state: a red frame around an unfilled inside.
    canvas.Rectangle({3, 0, 6, 3});
    EXPECT_EQ(frame.Pixel(0, 0), clBlue);
    EXPECT_EQ(frame.Pixel(3, 0), clRed);
    EXPECT_EQ(frame.Pixel(4, 1), clBlack);
}

TEST_F(CanvasTest, PicturesBlendByTheirAlphaAndRgbPicturesAreOpaque) {
    canvas.FillRect({0, 0, 6, 4}, clWhite);
    canvas.Draw(0, 0, Solid(1, 1, 255, 0, 0, 128));
    canvas.Draw(1, 0, Solid(1, 1, 0, 0, 255, 0));
    canvas.Draw(2, 0, Solid(1, 1, 0, 0, 255, 255));
    canvas.Draw(3, 0, Solid(1, 1, 10, 20, 30));
    // 255 × 128/255 + 255 × 127/255 stays 255; 0 × 128/255 + 255 × 127/255 = 127.
    EXPECT_EQ(frame.Pixel(0, 0), RGB(255, 127, 127));
    EXPECT_EQ(frame.Pixel(1, 0), clWhite);
    EXPECT_EQ(frame.Pixel(2, 0), clBlue);
    EXPECT_EQ(frame.Pixel(3, 0), RGB(10, 20, 30));
    EXPECT_EQ(frame.Alpha(0, 0), 255);
}

TEST_F(CanvasTest, PartsOfPicturesAreCutBySourceFramebufferAndClip) {
    TPngImage picture(4, 4, false);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            picture.Scanline(y)[3 * x] = std::uint8_t(10 * y + x); // red = 10y + x
    // Columns 1..3 and rows 1..2 of the picture, placed so that its first column falls off the left edge.
    canvas.Draw(-1, 1, picture, {1, 1, 4, 3});
    EXPECT_EQ(frame.Pixel(0, 1), RGB(12, 0, 0));
    EXPECT_EQ(frame.Pixel(1, 1), RGB(13, 0, 0));
    EXPECT_EQ(frame.Pixel(0, 2), RGB(22, 0, 0));
    EXPECT_EQ(frame.Pixel(2, 1), clBlack);
    EXPECT_EQ(frame.Pixel(0, 3), clBlack);

    // A source rectangle reaching outside the picture only draws what exists, at the matching place.
    canvas.Draw(4, 0, picture, {-2, 0, 1, 1});
    EXPECT_EQ(frame.Pixel(4, 0), clBlack);
    EXPECT_EQ(frame.Pixel(5, 0), RGB(0, 0, 0));
    EXPECT_EQ(frame.Alpha(5, 0), 0) << "nothing was drawn there";
    canvas.Draw(3, 0, picture, {-2, 0, 1, 1});
    EXPECT_EQ(frame.Alpha(5, 0), 255);
}

// Every alpha over every channel value, against the exact rule: each channel is
// (source × alpha + under × (255 − alpha)) / 255 rounded to the nearest integer.
TEST(CanvasBlendTest, EveryAlphaAndChannelValueRoundsToTheNearest) {
    TPngImage picture(256, 256, true);
    for (int y = 0; y < 256; ++y) {
        std::uint8_t* p = picture.Scanline(y);
        for (int x = 0; x < 256; ++x, p += 4) {
            p[0] = std::uint8_t(y);
            p[1] = std::uint8_t(255 - y);
            p[2] = std::uint8_t(y ^ 0x5A);
            p[3] = std::uint8_t(x);
        }
    }
    const auto nearest = [](int source, int under, int alpha) {
        return (source * alpha + under * (255 - alpha) + 127) / 255;
    };
    for (const TColor under : {RGB(0, 0, 0), RGB(255, 255, 255), RGB(1, 128, 254), RGB(127, 3, 200)}) {
        TBitmap frame(256, 256);
        TCanvas canvas(frame);
        canvas.FillRect({0, 0, 256, 256}, under);
        canvas.Draw(0, 0, picture);
        int wrong = 0;
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                const TColor expected =
                    RGB(nearest(y, GetRValue(under), x), nearest(255 - y, GetGValue(under), x),
                        nearest(y ^ 0x5A, GetBValue(under), x));
                if (frame.Pixel(x, y) != expected || frame.Alpha(x, y) != 255) ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0) << "under " << std::hex << under;
    }
}

// A row of transparent, opaque and blended stretches, drawn in parts that start and end inside each kind
// of stretch: every part matches the same pixels drawn one by one.
TEST(CanvasBlendTest, PartsOfARowWithRunsOfEachKindMatchPixelByPixelDrawing) {
    constexpr int kWidth = 23;
    TPngImage picture(kWidth, 2, true);
    const int alphas[kWidth] = {0,  0,  0, 255, 255, 255, 255, 90,  91,  200, 0,  255,
                                10, 10, 0, 0,   255, 255, 1,   254, 254, 0,   255};
    for (int y = 0; y < 2; ++y) {
        std::uint8_t* p = picture.Scanline(y);
        for (int x = 0; x < kWidth; ++x, p += 4) {
            p[0] = std::uint8_t(11 * x);
            p[1] = std::uint8_t(200 - 7 * x);
            p[2] = std::uint8_t(40 + y);
            p[3] = std::uint8_t(y == 0 ? alphas[x] : alphas[kWidth - 1 - x]);
        }
    }
    for (int from = 0; from < kWidth; ++from) {
        for (int to = from + 1; to <= kWidth; ++to) {
            TBitmap byRuns(kWidth + 4, 2);
            TBitmap byPixels(kWidth + 4, 2);
            TCanvas runs(byRuns);
            TCanvas pixels(byPixels);
            runs.FillRect({0, 0, kWidth + 4, 2}, RGB(30, 60, 90));
            pixels.FillRect({0, 0, kWidth + 4, 2}, RGB(30, 60, 90));
            runs.Draw(2 + from, 0, picture, {from, 0, to, 2});
            for (int x = from; x < to; ++x)
                pixels.Draw(2 + x, 0, picture, {x, 0, x + 1, 2});
            for (int y = 0; y < 2; ++y)
                ASSERT_EQ(Row(byRuns, y), Row(byPixels, y))
                    << "columns " << from << ".." << to << " row " << y;
        }
    }
}

// A translucent picture drawn through a blend cache writes exactly what a plain draw writes, while the
// backdrop under it stays, changes in some rows, or is drawn only in part through a clip.
TEST(CanvasBlendTest, ACachedBlendFollowsEveryChangeOfTheBackdrop) {
    TPngImage picture(9, 6, true);
    for (int y = 0; y < 6; ++y) {
        std::uint8_t* p = picture.Scanline(y);
        for (int x = 0; x < 9; ++x, p += 4) {
            p[0] = std::uint8_t(25 * x);
            p[1] = std::uint8_t(40 * y);
            p[2] = 77;
            p[3] = std::uint8_t(x == 0 ? 0 : x == 8 ? 255 : 30 * x + y);
        }
    }
    TBitmap cached(12, 8);
    TBitmap plain(12, 8);
    TCanvas viaCache(cached);
    TCanvas direct(plain);
    TBlendCache cache;
    const auto backdrop = [&](TColor colour, const TRect& where) {
        viaCache.FillRect(where, colour);
        direct.FillRect(where, colour);
    };
    const auto drawBoth = [&](const TRect& clip) {
        TCanvasSaver keepCached(viaCache);
        TCanvasSaver keepDirect(direct);
        viaCache.IntersectClipRect(clip);
        direct.IntersectClipRect(clip);
        viaCache.Draw(2, 1, picture, cache);
        direct.Draw(2, 1, picture);
        for (int y = 0; y < 8; ++y)
            ASSERT_EQ(Row(cached, y), Row(plain, y)) << "row " << y;
    };
    const TRect whole{0, 0, 12, 8};
    backdrop(RGB(10, 200, 30), whole);
    drawBoth(whole);
    backdrop(RGB(10, 200, 30), whole); // the same backdrop again: the kept result
    drawBoth(whole);
    backdrop(RGB(250, 0, 90), {0, 3, 12, 5}); // two rows changed
    drawBoth(whole);
    backdrop(RGB(1, 2, 3), {4, 0, 7, 8}); // a column changed, and only part of it drawn
    drawBoth({5, 2, 8, 6});
    backdrop(RGB(1, 2, 3), {4, 0, 7, 8});
    drawBoth(whole);
}

// An image that keeps its blend shows a new picture of the same size at once, not the kept one.
TEST(CanvasBlendTest, AnImageKeepingItsBlendShowsANewPictureOfTheSameSize) {
    TBitmap frame(4, 4);
    TCanvas canvas(frame);
    TImage image(nullptr);
    image.SetKeepsBlend(true);
    image.SetPicture(Solid(4, 4, 255, 0, 0, 200));
    canvas.FillRect({0, 0, 4, 4}, clWhite);
    image.PaintControl(canvas);
    const TColor red = frame.Pixel(1, 1);
    image.SetPicture(Solid(4, 4, 0, 0, 255, 200));
    canvas.FillRect({0, 0, 4, 4}, clWhite);
    image.PaintControl(canvas);
    EXPECT_NE(frame.Pixel(1, 1), red);
    EXPECT_EQ(frame.Pixel(1, 1), RGB(55, 55, 255));
}

// A picture changed through its scan lines after it was drawn is drawn with the change: the changed row
// anew (its pixels and its runs), the others as they were.
TEST(CanvasBlendTest, ARowWrittenAfterDrawingIsDrawnAnew) {
    TPngImage picture = Solid(3, 3, 10, 20, 30, 0); // transparent throughout
    TBitmap frame(3, 3);
    TCanvas canvas(frame);
    canvas.FillRect({0, 0, 3, 3}, clWhite);
    canvas.Draw(0, 0, picture);
    EXPECT_EQ(Row(frame, 1), std::vector<TColor>(3, clWhite));
    std::uint8_t* row = picture.Scanline(1);
    row[4 * 1 + 3] = 255; // the middle pixel becomes opaque
    row[4 * 2 + 3] = 128; // the last one half covered
    canvas.Draw(0, 0, picture);
    EXPECT_EQ(Row(frame, 0), std::vector<TColor>(3, clWhite));
    EXPECT_EQ(Row(frame, 1), (std::vector<TColor>{clWhite, RGB(10, 20, 30), RGB(132, 137, 142)}));
    EXPECT_EQ(Row(frame, 2), std::vector<TColor>(3, clWhite));
    EXPECT_EQ(picture.FramebufferRuns(1).size(), 3u);
    EXPECT_EQ(picture.FramebufferRuns(2).size(), 1u);
}

TEST_F(CanvasTest, StretchDrawTakesTheNearestPixel) {
    TPngImage picture(2, 1, true);
    const std::uint8_t pixels[] = {255, 0, 0, 255, 0, 0, 255, 0};
    std::copy(std::begin(pixels), std::end(pixels), picture.Scanline(0));
    canvas.FillRect({0, 0, 6, 4}, clWhite);
    canvas.StretchDraw({0, 0, 6, 2}, picture);
    EXPECT_EQ(Row(frame, 1), (std::vector<TColor>{clRed, clRed, clRed, clWhite, clWhite, clWhite}));
    EXPECT_EQ(Row(frame, 2), std::vector<TColor>(6, clWhite));
}

TEST_F(CanvasTest, BitmapsAreCopiedInEitherFormat) {
    TBitmap small(2, 2, TPixelFormat::pf24bit);
    small.SetPixel(0, 0, clRed);
    small.SetPixel(0, 1, clLime);
    small.SetPixel(1, 1, clBlue);
    canvas.Draw(4, 2, small);
    canvas.Draw(5, -1, small);
    EXPECT_EQ(frame.Pixel(4, 2), clRed);
    EXPECT_EQ(frame.Pixel(5, 3), clBlue);
    EXPECT_EQ(frame.Pixel(5, 0), clLime);
    EXPECT_EQ(frame.Pixel(4, 0), clBlack);
    EXPECT_EQ(frame.Alpha(4, 3), 255);

    TBitmap copy(6, 4);
    TCanvas(copy).Draw(0, 0, frame);
    EXPECT_EQ(Row(copy, 2), Row(frame, 2));
}

} // namespace
} // namespace morvane
