#include "gui/PngImage.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <zlib.h>

namespace morvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutU32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(value >> shift));
}

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
    PutU32(out, std::uint32_t(data.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutU32(out, std::uint32_t(crc32(0, typed.data(), uInt(typed.size()))));
}

// A PNG in any colour type and depth, so that the conversions can be checked; `rows` are the raw rows
// without filter bytes, all of `rowBytes` bytes.
Bytes HandMadePng(int width, int height, int depth, int colourType, const Bytes& rows, std::size_t rowBytes,
                  const std::vector<std::pair<const char*, Bytes>>& extraChunks = {}) {
    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    PutU32(header, std::uint32_t(width));
    PutU32(header, std::uint32_t(height));
    header.insert(header.end(), {std::uint8_t(depth), std::uint8_t(colourType), 0, 0, 0});
    PutChunk(out, "IHDR", header);
    for (const auto& [type, data] : extraChunks)
        PutChunk(out, type, data);
    Bytes filtered;
    for (int y = 0; y < height; ++y) {
        filtered.push_back(0);
        filtered.insert(filtered.end(), rows.begin() + y * rowBytes, rows.begin() + (y + 1) * rowBytes);
    }
    uLongf size = compressBound(uLong(filtered.size()));
    Bytes packed(size);
    compress(packed.data(), &size, filtered.data(), uLong(filtered.size()));
    packed.resize(size);
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", {});
    return out;
}

TPngImage Gradient(int width, int height, bool alpha) {
    TPngImage picture(width, height, alpha);
    for (int y = 0; y < height; ++y)
        for (int i = 0; i < width * picture.BytesPerPixel(); ++i)
            picture.Scanline(y)[i] = std::uint8_t(y * 31 + i * 7);
    return picture;
}

TEST(PngImage, RgbAndRgbaPicturesSurviveARoundTrip) {
    for (bool alpha : {false, true}) {
        const TPngImage original = Gradient(13, 7, alpha);
        const Bytes encoded = original.SaveToBytes();
        TPngImage decoded;
        ASSERT_TRUE(decoded.LoadFromBytes(encoded)) << decoded.Error();
        EXPECT_TRUE(decoded.Error().empty());
        EXPECT_EQ(decoded.HasAlpha(), alpha);
        EXPECT_EQ(decoded, original);
    }
}

TEST(PngImage, FilesRoundTripThroughSystemPaths) {
    test::TempDir dir;
    const TPngImage original = Gradient(5, 4, true);
    const std::string path = dir.Path().string() + "\\shot.png";
    ASSERT_TRUE(original.SaveToFile(path));
    TPngImage loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path)) << loaded.Error();
    EXPECT_EQ(loaded, original);

    EXPECT_FALSE(loaded.LoadFromFile(dir.Path().string() + "\\missing.png"));
    EXPECT_NE(loaded.Error().find("missing.png"), std::string::npos);
    EXPECT_TRUE(loaded.Empty());
    EXPECT_FALSE(TPngImage().SaveToFile(path)) << "an empty picture has no PNG form";
}

TEST(PngImage, BadInputLeavesAnEmptyPictureAndSaysWhy) {
    const Bytes good = Gradient(40, 30, true).SaveToBytes();
    Bytes corrupt = good;
    corrupt[good.size() / 2] ^= 0x55; // inside the image data: its CRC no longer matches
    const Bytes truncated(good.begin(), good.begin() + good.size() / 2);
    const Bytes noSignature(good.begin() + 1, good.end());
    const Bytes headerOnly(good.begin(), good.begin() + 8 + 25);

    struct Case {
        const char* name;
        Bytes data;
        const char* errorPart;
    };
    const std::vector<Case> cases{{"corrupt", corrupt, "corrupt"},
                                  {"truncated", truncated, "truncated"},
                                  {"header only", headerOnly, "truncated"},
                                  {"no signature", noSignature, "signature"},
                                  {"nothing", {}, "signature"}};
    for (const Case& c : cases) {
        TPngImage picture = Gradient(3, 3, false); // a previous picture must not survive a failed load
        EXPECT_FALSE(picture.LoadFromBytes(c.data)) << c.name;
        EXPECT_NE(picture.Error().find(c.errorPart), std::string::npos) << c.name << ": " << picture.Error();
        EXPECT_TRUE(picture.Empty()) << c.name;
        EXPECT_EQ(picture.Width(), 0);
    }
}

TEST(PngImage, PicturesOfTheProgramMaySkipTheChecksumsButNotTheBounds) {
    const TPngImage gradient = Gradient(40, 30, true);
    const Bytes good = gradient.SaveToBytes();
    // The last four bytes of the IDAT chunk's data are the stream's Adler-32; the IEND chunk (12 bytes) and
    // the IDAT CRC (4) follow them.
    Bytes badChecksums = good;
    badChecksums[good.size() - 12 - 4 - 1] ^= 0x01;
    badChecksums[good.size() - 12 - 1] ^= 0x01;

    TPngImage checked;
    EXPECT_FALSE(checked.LoadFromBytes(badChecksums));
    EXPECT_TRUE(checked.Empty());

    TPngImage trusted;
    ASSERT_TRUE(trusted.LoadFromBytes(badChecksums, TPngImage::TChecksums::Skip)) << trusted.Error();
    EXPECT_EQ(trusted, gradient);

    const Bytes truncated(good.begin(), good.begin() + good.size() / 2);
    EXPECT_FALSE(trusted.LoadFromBytes(truncated, TPngImage::TChecksums::Skip));
    EXPECT_NE(trusted.Error().find("truncated"), std::string::npos) << trusted.Error();
    EXPECT_TRUE(trusted.Empty());
}

TEST(PngImage, ANewSizeIsClearedEvenWhereAnEarlierPictureWas) {
    TPngImage picture = Gradient(20, 10, true);
    picture.SetSize(20, 10, true);
    for (int y = 0; y < 10; ++y)
        for (std::size_t i = 0; i < picture.Stride(); ++i)
            ASSERT_EQ(picture.Scanline(y)[i], 0) << y << ", " << i;
}

TEST(PngImage, RefusesPicturesLargerThanTheLimit) {
    const int wide = TPngImage::kMaxSide + 1;
    TPngImage picture;
    EXPECT_FALSE(picture.LoadFromBytes(HandMadePng(wide, 1, 8, 0, Bytes(wide, 0), wide)));
    EXPECT_FALSE(picture.Error().empty());
    EXPECT_TRUE(picture.Empty());
}

TEST(PngImage, GreyPaletteAndSixteenBitFilesBecomeEightBitRgbOrRgba) {
    TPngImage picture;
    // Grey, 8 bits: RGB with equal channels.
    ASSERT_TRUE(picture.LoadFromBytes(HandMadePng(2, 1, 8, 0, {0, 200}, 2))) << picture.Error();
    EXPECT_FALSE(picture.HasAlpha());
    EXPECT_EQ(Bytes(picture.Scanline(0), picture.Scanline(0) + 6), (Bytes{0, 0, 0, 200, 200, 200}));

    // Palette of two colours, 1 bit a pixel, with a transparency entry for the first: RGBA.
    const std::vector<std::pair<const char*, Bytes>> palette{{"PLTE", {10, 20, 30, 40, 50, 60}},
                                                             {"tRNS", {0}}};
    ASSERT_TRUE(picture.LoadFromBytes(HandMadePng(3, 1, 1, 3, {0b01000000}, 1, palette))) << picture.Error();
    EXPECT_TRUE(picture.HasAlpha());
    EXPECT_EQ(Bytes(picture.Scanline(0), picture.Scanline(0) + 12),
              (Bytes{10, 20, 30, 0, 40, 50, 60, 255, 10, 20, 30, 0}));

    // RGBA, 16 bits: each sample scaled to 8 bits.
    ASSERT_TRUE(
        picture.LoadFromBytes(HandMadePng(1, 1, 16, 6, {0xFF, 0xFF, 0x80, 0x80, 0, 0, 0x7F, 0x7F}, 8)))
        << picture.Error();
    EXPECT_TRUE(picture.HasAlpha());
    EXPECT_EQ(Bytes(picture.Scanline(0), picture.Scanline(0) + 4), (Bytes{255, 128, 0, 127}));
}

} // namespace
} // namespace morvane
