#include "base/ByteReader.h"

#include "base/ByteWriter.h"

#include <array>
#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(ByteReader, ReadsLittleEndianFieldsInOrder) {
    const std::array<std::uint8_t, 15> data{0x01, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFF,
                                            0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    ByteReader reader(data);
    std::uint8_t a;
    std::uint16_t b;
    std::uint32_t c;
    std::int64_t d;
    ASSERT_TRUE(reader.ReadU8(a));
    ASSERT_TRUE(reader.ReadU16(b));
    ASSERT_TRUE(reader.ReadU32(c));
    ASSERT_TRUE(reader.ReadI64(d));
    EXPECT_EQ(a, 0x01);
    EXPECT_EQ(b, 0x1234);
    EXPECT_EQ(c, 0x12345678u);
    EXPECT_EQ(d, -1);
    EXPECT_TRUE(reader.AtEnd());
}

TEST(ByteReader, ShortReadFailsAndLeavesTheCursorWhereItWas) {
    const std::array<std::uint8_t, 5> data{1, 2, 3, 4, 5};
    ByteReader reader(data);
    std::uint16_t first;
    ASSERT_TRUE(reader.ReadU16(first));

    std::uint32_t u32 = 77;
    std::int64_t i64 = 77;
    std::array<std::uint8_t, 4> bytes{};
    std::span<const std::uint8_t> view;
    std::string text = "kept";
    EXPECT_FALSE(reader.ReadU32(u32));
    EXPECT_FALSE(reader.ReadI64(i64));
    EXPECT_FALSE(reader.ReadBytes(bytes));
    EXPECT_FALSE(reader.ReadSpan(4, view));
    EXPECT_FALSE(reader.ReadFixedString(4, text));
    EXPECT_FALSE(reader.Skip(4));
    EXPECT_FALSE(reader.Seek(6));
    EXPECT_EQ(reader.Position(), 2u);
    EXPECT_EQ(u32, 77u);
    EXPECT_EQ(text, "kept");

    std::array<std::uint8_t, 3> rest{};
    ASSERT_TRUE(reader.ReadBytes(rest));
    EXPECT_EQ(rest, (std::array<std::uint8_t, 3>{3, 4, 5}));
    std::uint8_t none;
    EXPECT_FALSE(reader.ReadU8(none));
}

TEST(ByteReader, FixedStringStopsAtTheFirstZeroButConsumesTheWholeField) {
    const std::array<std::uint8_t, 6> data{'a', 'b', 0, 'z', 'z', '!'};
    ByteReader reader(data);
    std::string text;
    ASSERT_TRUE(reader.ReadFixedString(5, text));
    EXPECT_EQ(text, "ab");
    EXPECT_EQ(reader.Position(), 5u);
}

TEST(ByteWriter, WritesExactLengthsAndCutsFixedTextWithoutSplittingACharacter) {
    ByteWriter writer;
    writer.WriteI16(-2);
    writer.WriteU32(0xA1B2C3D4);
    // "庄家" is four bytes; a field of three keeps only the first character.
    writer.WriteFixedString("\xD7\xAF\xBC\xD2", 3);
    writer.WriteFixedString("ab", 4);
    const std::vector<std::uint8_t> expected{0xFE, 0xFF, 0xD4, 0xC3, 0xB2, 0xA1, 0xD7,
                                             0xAF, 0,    'a',  'b',  0,    0};
    EXPECT_EQ(writer.Bytes(), expected);
}

} // namespace
} // namespace morvane
