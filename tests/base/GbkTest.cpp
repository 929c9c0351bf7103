#include "base/Gbk.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

// Literals in project code are GBK at run time; these spell the same texts byte by byte to be sure.
const std::string kBanker = "\xD7\xAF"; // 庄
const std::string kBankerWins = "庄家赢";

TEST(Gbk, LiteralsAreGbkAndConvertToUtf8ForPeople) {
    EXPECT_EQ(std::string("庄"), kBanker);
    EXPECT_EQ(gbk::ToUtf8(kBankerWins), "\xE5\xBA\x84\xE5\xAE\xB6\xE8\xB5\xA2");
    EXPECT_EQ(gbk::FromUtf8("\xE5\xBA\x84\xE5\xAE\xB6\xE8\xB5\xA2"), kBankerWins);
    EXPECT_EQ(gbk::ToUtf8("a1 b"), "a1 b");
}

TEST(Gbk, UnmappableAndMalformedInputBecomesQuestionMarks) {
    // A lone lead byte at the end, a lead byte followed by a control byte, and an emoji from UTF-8.
    EXPECT_EQ(gbk::ToUtf8("A\xD7"), "A?");
    EXPECT_EQ(gbk::ToUtf8("\xD7\x0A"), "?\n");
    EXPECT_EQ(gbk::FromUtf8("x\xF0\x9F\x98\x80y"), "x?y");
    EXPECT_EQ(gbk::FromUtf8("\xE5\xBA"), "?");      // cut UTF-8 sequence
    EXPECT_EQ(gbk::ToUtf8("\x80"), "\xE2\x82\xAC"); // the euro sign of code page 936
}

TEST(Gbk, CodePointsOnePerCharacter) {
    std::u32string cps = gbk::ToCodePoints("A庄1");
    ASSERT_EQ(cps.size(), 3u);
    EXPECT_EQ(cps[0], U'A');
    EXPECT_EQ(cps[1], U'\u5E84');
    EXPECT_EQ(cps[2], U'1');
}

TEST(Gbk, CutsNeverSplitADoubleByteCharacter) {
    const std::string text = "a庄家b"; // bytes: a, 2, 2, b
    EXPECT_EQ(gbk::SafeCut(text, 0), "");
    EXPECT_EQ(gbk::SafeCut(text, 1), "a");
    EXPECT_EQ(gbk::SafeCut(text, 2), "a");
    EXPECT_EQ(gbk::SafeCut(text, 3), "a庄");
    EXPECT_EQ(gbk::SafeCut(text, 4), "a庄");
    EXPECT_EQ(gbk::SafeCut(text, 5), "a庄家");
    EXPECT_EQ(gbk::SafeCut(text, 100), text);
    // A trail byte in the ASCII range ("@" is 0x40) belongs to its lead byte, not to itself.
    const std::string withAsciiTrail = "\x81\x40x";
    EXPECT_EQ(gbk::SafeCut(withAsciiTrail, 1), "");
    EXPECT_EQ(gbk::SafeCut(withAsciiTrail, 2), "\x81\x40");
}

TEST(Gbk, WideLengthCountsCharacters) {
    EXPECT_EQ(gbk::WideLength(""), 0u);
    EXPECT_EQ(gbk::WideLength("abc"), 3u);
    EXPECT_EQ(gbk::WideLength(kBankerWins), 3u);
    EXPECT_EQ(gbk::WideLength("a庄\xD7"), 3u); // a dangling lead byte counts as one
}

} // namespace
} // namespace morvane
