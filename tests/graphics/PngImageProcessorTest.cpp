#include "graphics/PngImageProcessor.h"

#include <array>
#include <cfenv>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <zlib.h>

namespace morvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t BigEndian(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

struct Chunk {
    std::string type;
    Bytes data;
};

// Splits a stream into chunks, checking each chunk's CRC on the way.
std::vector<Chunk> Chunks(const Bytes& stream) {
    std::vector<Chunk> chunks;
    std::size_t at = 8;
    while (at + 12 <= stream.size()) {
        const std::uint32_t length = BigEndian(&stream[at]);
        const std::uint8_t* typed = &stream[at + 4];
        EXPECT_LE(at + 12 + length, stream.size());
        EXPECT_EQ(BigEndian(typed + 4 + length), crc32(0, typed, uInt(4 + length)));
        chunks.push_back({std::string(typed, typed + 4), Bytes(typed + 4, typed + 4 + length)});
        at += 12 + length;
    }
    EXPECT_EQ(at, stream.size());
    return chunks;
}

TEST(BlankPicture, WritesTheChunksInOrderAndDecodesToTransparentBlack) {
    const Bytes stream = WriteBlankPictureStream(3, 2);
    EXPECT_EQ(Bytes(stream.begin(), stream.begin() + 8),
              (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    const std::vector<Chunk> chunks = Chunks(stream);
    ASSERT_EQ(chunks.size(), 4u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[0].data, (Bytes{0, 0, 0, 3, 0, 0, 0, 2, 8, 6, 0, 0, 0}));
    EXPECT_EQ(chunks[1].type, "pHYs");
    EXPECT_EQ(chunks[1].data, (Bytes{0, 0, 0x0B, 0x13, 0, 0, 0x0B, 0x13, 1}));
    EXPECT_EQ(chunks[2].type, "IDAT");
    EXPECT_EQ(chunks[3].type, "IEND");
    EXPECT_TRUE(chunks[3].data.empty());
    EXPECT_EQ(Bytes(stream.end() - 4, stream.end()), (Bytes{0xAE, 0x42, 0x60, 0x82}));

    // Two rows, each the Sub filter byte and 3 × 4 zero bytes.
    Bytes rows(2 * 13, 0xEE);
    uLongf size = uLongf(rows.size());
    ASSERT_EQ(uncompress(rows.data(), &size, chunks[2].data.data(), uLong(chunks[2].data.size())), Z_OK);
    Bytes expected(26, 0);
    expected[0] = expected[13] = 1;
    EXPECT_EQ(size, 26u);
    EXPECT_EQ(rows, expected);

    TPngImage decoded;
    ASSERT_TRUE(decoded.LoadFromBytes(stream)) << decoded.Error();
    ASSERT_EQ(decoded.Width(), 3);
    ASSERT_EQ(decoded.Height(), 2);
    ASSERT_TRUE(decoded.HasAlpha());
    for (int y = 0; y < 2; ++y)
        EXPECT_EQ(Bytes(decoded.Scanline(y), decoded.Scanline(y) + 12), Bytes(12, 0));
}

TEST(BlankPicture, IsThePictureTheWrittenStreamDecodesTo) {
    for (auto [w, h] : {std::pair{3, 2}, {1, 1}, {220, 170}, {49, 300}}) {
        TPngImage decoded;
        ASSERT_TRUE(decoded.LoadFromBytes(WriteBlankPictureStream(w, h))) << decoded.Error();
        TPngImage picture(5, 5, false);
        MakeBlankPicture(w, h, picture);
        EXPECT_EQ(picture, decoded) << w << " x " << h;
    }
}

TEST(BlankPicture, LargeImageDataIsCutIntoChunksOfAtMost65535Bytes) {
    const std::vector<Chunk> chunks = Chunks(WriteBlankPictureStream(TPngImage::kMaxSide, 4096));
    std::size_t idat = 0;
    for (const Chunk& chunk : chunks) {
        if (chunk.type != "IDAT") continue;
        ++idat;
        EXPECT_LE(chunk.data.size(), 65535u);
    }
    EXPECT_GE(idat, 2u);
    EXPECT_EQ(chunks[2].data.size(), 65535u);
    EXPECT_EQ(chunks.back().type, "IEND");
}

TEST(BlankPicture, RefusesSizesThatAreNotPositiveOrTooLarge) {
    TPngImage picture(2, 2, false);
    for (auto [w, h] : {std::pair{0, 2}, {3, 0}, {-1, 5}, {TPngImage::kMaxSide + 1, 1}})
        EXPECT_THROW(MakeBlankPicture(w, h, picture), std::invalid_argument) << w << " x " << h;
    EXPECT_EQ(picture.Width(), 2) << "a refused call leaves the picture alone";
    EXPECT_THROW(TPngIhdrWriter(0, 1), std::invalid_argument);
    EXPECT_THROW(WriteBlankPictureStream(1, -3), std::invalid_argument);
}

TPngImage Pixel(std::uint8_t r, std::uint8_t g, std::uint8_t b, int alpha /* -1: no alpha channel */) {
    TPngImage picture(1, 1, alpha >= 0);
    std::uint8_t* p = picture.Scanline(0);
    p[0] = r;
    p[1] = g;
    p[2] = b;
    if (alpha >= 0) p[3] = std::uint8_t(alpha);
    return picture;
}

Bytes PixelBytes(const TPngImage& picture, int x = 0, int y = 0) {
    const std::uint8_t* p = picture.Scanline(y) + x * picture.BytesPerPixel();
    return Bytes(p, p + picture.BytesPerPixel());
}

void ComposePixel(TPngImage& dest, const TPngImage& src) {
    ComposeOver(dest, src, {0, 0, 1, 1}, {0, 0});
}

TEST(ComposeOver, FollowsSourceOverOnStraightAlpha) {
    for (int destAlpha : {-1, 0, 1, 128, 255}) {
        TPngImage dest = Pixel(10, 200, 30, destAlpha);
        ComposePixel(dest, Pixel(255, 0, 0, 255));
        EXPECT_EQ(PixelBytes(dest), (destAlpha < 0 ? Bytes{255, 0, 0} : Bytes{255, 0, 0, 255})) << destAlpha;

        dest = Pixel(10, 200, 30, destAlpha);
        ComposePixel(dest, Pixel(255, 0, 0, -1)); // a picture without alpha is opaque
        EXPECT_EQ(PixelBytes(dest)[0], 255);
    }
    for (int destAlpha : {-1, 1, 77, 255}) {
        TPngImage dest = Pixel(10, 200, 30, destAlpha);
        const TPngImage before = dest;
        ComposePixel(dest, Pixel(255, 0, 0, 0));
        EXPECT_EQ(dest, before) << destAlpha;
    }
    TPngImage dest = Pixel(0, 0, 0, 0);
    ComposePixel(dest, Pixel(40, 50, 60, 128));
    EXPECT_EQ(PixelBytes(dest), (Bytes{40, 50, 60, 128}));

    ComposePixel(dest = Pixel(1, 2, 3, 0), Pixel(4, 5, 6, 0));
    EXPECT_EQ(PixelBytes(dest), (Bytes{255, 255, 255, 0})) << "nothing over nothing is white";
}

// Every alpha pair against a floating-point reference rounded half to even, for pictures with and without
// alpha on either side.
TEST(ComposeOver, RoundsEveryAlphaPairToTheNearestEvenOnTies) {
    ASSERT_EQ(std::fegetround(), FE_TONEAREST);
    const auto reference = [](double numerator, double denominator) {
        return int(std::nearbyint(numerator / denominator));
    };
    int ties = 0;
    for (int as = 0; as < 256; ++as) {
        for (int ad = 0; ad < 256; ++ad) {
            const int cs = 201, cd = 14 + ad % 50;
            TPngImage dest = Pixel(std::uint8_t(cd), 0, 255, ad);
            ComposePixel(dest, Pixel(std::uint8_t(cs), 0, 255, as));
            const int a = 65025 - (255 - as) * (255 - ad);
            if (a == 0) continue;
            const int numerator = (255 - as) * ad * cd + as * 255 * cs;
            if (2 * (numerator % a) == a) ++ties;
            ASSERT_EQ(dest.Scanline(0)[0], reference(numerator, a)) << as << " over " << ad;
            ASSERT_EQ(dest.Scanline(0)[3], reference(a, 255)) << as << " over " << ad;
            ASSERT_EQ(dest.Scanline(0)[2], 255);
        }
        TPngImage opaque = Pixel(14, 0, 0, -1);
        ComposePixel(opaque, Pixel(201, 0, 0, as));
        ASSERT_EQ(opaque.Scanline(0)[0], reference((255 - as) * 14 + as * 201, 255)) << as;
    }
    EXPECT_GT(ties, 0) << "the sweep should meet exact halves";
}

// A row of clear, opaque and partly clear stretches, cut inside a stretch at both ends, composes to the
// same bytes as the same pixels composed one at a time.
TEST(ComposeOver, AWholeRowEqualsItsPixelsComposedOneByOne) {
    constexpr int kWidth = 24;
    const std::array<int, kWidth> sourceAlpha{0,   0,   0, 255, 255, 255, 255, 90, 91, 0,   255, 1,
                                              254, 254, 0, 0,   255, 255, 7,   0,  0,  200, 255, 0};
    const std::array<int, 6> destAlpha{0, 255, 128, 0, 3, 255};
    TPngImage src(kWidth, 1, true);
    TPngImage dest(kWidth, 1, true);
    for (int x = 0; x < kWidth; ++x) {
        std::uint8_t* s = src.Scanline(0) + 4 * x;
        std::uint8_t* d = dest.Scanline(0) + 4 * x;
        s[0] = std::uint8_t(11 * x), s[1] = std::uint8_t(250 - 7 * x), s[2] = 60,
        s[3] = std::uint8_t(sourceAlpha[x]);
        d[0] = 30, d[1] = std::uint8_t(9 * x), d[2] = 200,
        d[3] = std::uint8_t(destAlpha[x % destAlpha.size()]);
    }
    TPngImage expected = dest;
    const int from = 2, count = 19, at = 3;
    for (int i = 0; i < count; ++i) {
        TPngImage one(1, 1, true);
        std::memcpy(one.Scanline(0), src.Scanline(0) + 4 * (from + i), 4);
        TPngImage under(1, 1, true);
        std::memcpy(under.Scanline(0), expected.Scanline(0) + 4 * (at + i), 4);
        ComposePixel(under, one);
        std::memcpy(expected.Scanline(0) + 4 * (at + i), under.Scanline(0), 4);
    }
    ComposeOver(dest, src, {at, 0, at + count, 1}, {from, 0});
    for (int x = 0; x < kWidth; ++x)
        EXPECT_EQ(PixelBytes(dest, x), PixelBytes(expected, x)) << x;
}

TEST(ComposeOver, CutsALargeSourceAtTheDestinationEdges) {
    TPngImage dest(4, 3, true);
    TPngImage src(10, 10, false);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            src.Scanline(y)[3 * x] = std::uint8_t(10 * y + x);
    ComposeOver(dest, src, {2, 1, 100, 100}, {3, 5});
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            const bool inside = x >= 2 && y >= 1;
            const Bytes expected =
                inside ? Bytes{std::uint8_t(10 * (y - 1 + 5) + x - 2 + 3), 0, 0, 255} : Bytes{0, 0, 0, 0};
            EXPECT_EQ(PixelBytes(dest, x, y), expected) << x << "," << y;
        }
    }
    // The source runs out before the destination rectangle does.
    TPngImage wide(8, 1, true);
    ComposeOver(wide, src, {0, 0, 8, 1}, {7, 0});
    EXPECT_EQ(PixelBytes(wide, 2), (Bytes{9, 0, 0, 255}));
    EXPECT_EQ(PixelBytes(wide, 3), (Bytes{0, 0, 0, 0}));
}

TEST(ComposeOver, RefusesItselfAndNegativeOrigins) {
    TPngImage picture(2, 2, true);
    TPngImage other(2, 2, true);
    EXPECT_THROW(ComposeOver(picture, picture, {0, 0, 2, 2}, {0, 0}), std::invalid_argument);
    EXPECT_THROW(ComposeOver(picture, other, {0, 0, 2, 2}, {-1, 0}), std::invalid_argument);
    EXPECT_NO_THROW(ComposeOver(picture, TPngImage(), {0, 0, 2, 2}, {0, 0}));
}

} // namespace
} // namespace morvane
