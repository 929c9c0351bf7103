#include "gui/BmpFile.h"

#include "support/BmpBuilder.h"
#include "support/TempDir.h"

#include <array>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace morvane {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::TBmpBuilder;

// Two rows of three pixels as the file stores them: first row red, green, blue; second white, black, grey.
TBmpBuilder ThreeByTwo24() {
    TBmpBuilder builder;
    builder.width = 3;
    builder.height = 2;
    builder.rows = {{0, 0, 255, 0, 255, 0, 255, 0, 0}, {255, 255, 255, 0, 0, 0, 128, 128, 128}};
    return builder;
}

TBitmap Load(const Bytes& bytes) {
    TBitmap bitmap;
    std::string error = "left over";
    EXPECT_TRUE(LoadBmp(bytes, bitmap, error)) << error;
    EXPECT_EQ(error, "");
    return bitmap;
}

TEST(BmpFileTest, RowsAreBottomUpUnlessTheHeightIsNegative) {
    TBmpBuilder builder = ThreeByTwo24();
    TBitmap bitmap = Load(builder.Build());
    ASSERT_EQ(bitmap.Width(), 3);
    ASSERT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(bitmap.Pixel(0, 0), clWhite);
    EXPECT_EQ(bitmap.Pixel(1, 0), clBlack);
    EXPECT_EQ(bitmap.Pixel(2, 0), RGB(128, 128, 128));
    EXPECT_EQ(bitmap.Pixel(0, 1), RGB(255, 0, 0));
    EXPECT_EQ(bitmap.Pixel(1, 1), RGB(0, 255, 0));
    EXPECT_EQ(bitmap.Pixel(2, 1), RGB(0, 0, 255));

    builder.height = -2;
    bitmap = Load(builder.Build());
    ASSERT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.Pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(bitmap.Pixel(2, 0), RGB(0, 0, 255));
    EXPECT_EQ(bitmap.Pixel(0, 1), clWhite);
}

TEST(BmpFileTest, ThirtyTwoBitPixelsDropTheFourthByte) {
    TBmpBuilder builder;
    builder.width = 2;
    builder.bits = 32;
    builder.rows = {{10, 20, 30, 0, 40, 50, 60, 255}};
    TBitmap bitmap = Load(builder.Build());
    EXPECT_EQ(bitmap.Pixel(0, 0), RGB(30, 20, 10));
    EXPECT_EQ(bitmap.Pixel(1, 0), RGB(60, 50, 40));

    // The same pixels with the standard masks, in a V5 header as image editors write them.
    builder.compression = 3;
    builder.headerSize = 124;
    bitmap = Load(builder.Build());
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Pixel(0, 0), RGB(30, 20, 10));
    EXPECT_EQ(bitmap.Pixel(1, 0), RGB(60, 50, 40));

    // And after a plain 40-byte header, where the masks are three words of their own.
    builder.headerSize = 40;
    EXPECT_EQ(Load(builder.Build()).Pixel(1, 0), RGB(60, 50, 40));
}

TEST(BmpFileTest, PalettisedPixelsTakeTheirPaletteColours) {
    TBmpBuilder builder;
    builder.width = 5; // five index bytes, padded to eight
    builder.height = -1;
    builder.bits = 8;
    builder.palette = {0xFF00FF, 0x102030, 0xC0A080};
    builder.rows = {{2, 0, 1, 1, 0}};
    TBitmap bitmap = Load(builder.Build());
    EXPECT_EQ(bitmap.Pixel(0, 0), RGB(0xC0, 0xA0, 0x80));
    EXPECT_EQ(bitmap.Pixel(1, 0), RGB(255, 0, 255));
    EXPECT_EQ(bitmap.Pixel(3, 0), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(bitmap.Pixel(4, 0), RGB(255, 0, 255));

    // Four bits a pixel: the left pixel is the high nibble.
    builder.bits = 4;
    builder.width = 3;
    builder.rows = {{0x21, 0x00}};
    bitmap = Load(builder.Build());
    EXPECT_EQ(bitmap.Pixel(0, 0), RGB(0xC0, 0xA0, 0x80));
    EXPECT_EQ(bitmap.Pixel(1, 0), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(bitmap.Pixel(2, 0), RGB(255, 0, 255));
}

TEST(BmpFileTest, OneBitRowsReadTheHighBitFirst) {
    TBmpBuilder builder;
    builder.width = 10; // two bytes of bits, padded to four
    builder.height = 2;
    builder.bits = 1;
    builder.palette = {0x000000, 0xFFFFFF};
    // Bottom row: alternating starting with white; top row: only the ninth pixel white.
    builder.rows = {{0b10101010, 0b10000000}, {0b00000000, 0b10000000}};
    const TBitmap bitmap = Load(builder.Build());
    ASSERT_EQ(bitmap.Width(), 10);
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(bitmap.Pixel(x, 1), x % 2 == 0 ? clWhite : clBlack) << "x " << x;
        EXPECT_EQ(bitmap.Pixel(x, 0), x == 8 ? clWhite : clBlack) << "x " << x;
    }
}

TEST(BmpFileTest, MalformedFilesAreRefusedAndLeaveTheBitmapAlone) {
    const Bytes good = ThreeByTwo24().Build();
    auto with = [](auto change) {
        TBmpBuilder builder = ThreeByTwo24();
        change(builder);
        return builder.Build();
    };
    Bytes badMagic = good;
    badMagic[1] = 'A';
    Bytes headerCut(good.begin(), good.begin() + 30);
    Bytes pixelsCut(good.begin(), good.end() - 1);
    Bytes pixelsInHeader = good;
    pixelsInHeader[10] = 20;
    TBmpBuilder outsidePalette;
    outsidePalette.bits = 8;
    outsidePalette.width = 2;
    outsidePalette.palette = {0x000000, 0xFFFFFF};
    outsidePalette.rows = {{1, 2}};
    TBmpBuilder oversizedPalette = outsidePalette;
    oversizedPalette.bits = 1;
    oversizedPalette.coloursUsed = 3;

    const struct {
        const char* name;
        Bytes bytes;
        std::string message;
    } cases[] = {
        {"empty", {}, "Not a bitmap file"},
        {"bad magic", badMagic, "Not a bitmap file"},
        {"header cut short", headerCut, "Truncated bitmap"},
        {"pixels cut short", pixelsCut, "Truncated bitmap"},
        {"core header", with([](TBmpBuilder& b) { b.headerSize = 12; }), "Unsupported bitmap header size 12"},
        {"zero width", with([](TBmpBuilder& b) { b.width = 0; }), "Bad bitmap size 0 x 2"},
        {"negative width", with([](TBmpBuilder& b) { b.width = -3; }), "Bad bitmap size -3 x 2"},
        {"zero height", with([](TBmpBuilder& b) { b.height = 0; }), "Bad bitmap size 3 x 0"},
        {"too wide", with([](TBmpBuilder& b) { b.width = 8193; }), "Bitmap too large"},
        {"too tall top-down", with([](TBmpBuilder& b) { b.height = -8193; }), "Bitmap too large"},
        {"run-length", with([](TBmpBuilder& b) { b.compression = 1; }), "Unsupported bitmap compression 1"},
        {"16-bit", with([](TBmpBuilder& b) { b.bits = 16; }), "Unsupported bitmap depth 16"},
        {"24-bit bit fields", with([](TBmpBuilder& b) { b.compression = 3; }), "Unsupported bitmap depth 24"},
        {"other masks", with([](TBmpBuilder& b) {
             b.bits = 32;
             b.compression = 3;
             b.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
         }),
         "Unsupported bitmap colour masks"},
        {"pixels inside the header", pixelsInHeader, "Bad bitmap pixel offset 20"},
        {"palette index out of range", outsidePalette.Build(), "Bitmap palette index 2 out of range"},
        {"palette larger than the depth allows", oversizedPalette.Build(), "Bad bitmap palette size 3"},
    };
    for (const auto& c : cases) {
        TBitmap bitmap(2, 2, TPixelFormat::pf32bit);
        bitmap.SetPixel(1, 1, clRed);
        std::string error;
        EXPECT_FALSE(LoadBmp(c.bytes, bitmap, error)) << c.name;
        EXPECT_EQ(error, c.message) << c.name;
        EXPECT_EQ(bitmap.Width(), 2) << c.name;
        EXPECT_EQ(bitmap.Height(), 2) << c.name;
        EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf32bit) << c.name;
        EXPECT_EQ(bitmap.Pixel(1, 1), clRed) << c.name;
    }
}

TEST(BmpFileTest, FilesAreReadFromTheHostPath) {
    test::TempDir dir;
    const Bytes bytes = ThreeByTwo24().Build();
    test::WriteFile(dir / "skin.bmp", std::string(bytes.begin(), bytes.end()));
    TBitmap bitmap;
    std::string error;
    ASSERT_TRUE(LoadBmpFile((dir / "skin.bmp").string(), bitmap, error)) << error;
    EXPECT_EQ(bitmap.Pixel(2, 1), RGB(0, 0, 255));

    const std::string missing = (dir / "missing.bmp").string();
    EXPECT_FALSE(LoadBmpFile(missing, bitmap, error));
    EXPECT_EQ(error, "Cannot open the bitmap file " + missing);
    EXPECT_EQ(bitmap.Width(), 3);
}

} // namespace
} // namespace morvane
