#include "base/ClampedMath.h"
#include "base/FileVersionInfomation.h"
#include "base/Paths.h"
#include "base/Random.h"
#include "base/ShellAddress.h"

#include <gtest/gtest.h>
#include <set>

namespace morvane {
namespace {

TEST(ClampedMath, SumsOfServerValuesAreExactOrHeldAtTheEnds) {
    constexpr std::int64_t kMax = INT64_MAX, kMin = INT64_MIN;
    EXPECT_EQ(ClampedAdd(kMax, std::int64_t(1)), kMax);
    EXPECT_EQ(ClampedAdd(kMin, std::int64_t(-1)), kMin);
    EXPECT_EQ(ClampedSub(std::int32_t(INT32_MIN), std::int32_t(1)), INT32_MIN);
    EXPECT_EQ(ClampedSub(std::int32_t(INT32_MAX), std::int32_t(-5)), INT32_MAX);
    EXPECT_EQ(ClampedSub(std::int32_t(30), std::int32_t(4)), 26);
    // Large terms of opposite signs cancel exactly; only the result is held to the range.
    const std::array<int, 3> weights{1, -2, 1};
    EXPECT_EQ(ClampedWeightedSum(weights, std::array<std::int64_t, 3>{kMax, kMax, kMax}), 0);
    EXPECT_EQ(ClampedWeightedSum(weights, std::array<std::int64_t, 3>{kMax, kMin, kMax}), kMax);
    EXPECT_EQ(ClampedWeightedSum(weights, std::array<std::int64_t, 3>{kMin, kMax, -5}), kMin);
    EXPECT_EQ(ClampedWeightedSum(weights, std::array<std::int64_t, 3>{-7, 3, 100}), 87);
    // A sum past the largest value is above a limit that is the largest value.
    EXPECT_TRUE(SumAbove(kMax - 50, 100, kMax));
    EXPECT_FALSE(SumAbove(kMax - 100, 100, kMax));
    EXPECT_FALSE(SumAbove(kMin, -1, kMin));
    EXPECT_FALSE(AtLeastTimes(kMax, 3, kMax / 2));
    EXPECT_TRUE(AtLeastTimes(kMax, 3, kMax / 3));
    EXPECT_TRUE(AtLeastTimes(0, 3, kMin));
    // Stakes: only what is on the table counts, and the sum stops at the largest amount.
    EXPECT_EQ(StakeSum(std::array<std::int64_t, 4>{kMax, kMax, 1, 0}), kMax);
    EXPECT_EQ(StakeSum(std::array<std::int64_t, 4>{kMin, 5, -1, 7}), 12);
}

// Whatever an address holds, the command line the shell builds from it gets one argument.
TEST(ShellAddress, QuotesBlanksControlsAndAClosingBackslashRunAreEscaped) {
    EXPECT_EQ(ShellSafeAddress("http://example.com/a?b=c&d=%20#x"), "http://example.com/a?b=c&d=%20#x");
    EXPECT_EQ(ShellSafeAddress("http://example.com/a b\"c\td\r\ne\x7F"),
              "http://example.com/a%20b%22c%09d%0D%0Ae%7F");
    EXPECT_EQ(ShellSafeAddress("http://a\" --new-window \"file:C:\\x.exe"),
              "http://a%22%20--new-window%20%22file:C:\\x.exe");
    EXPECT_EQ(ShellSafeAddress("http://a/b\\c\\\\"), "http://a/b\\c%5C%5C");
    // The second byte of the GBK character 0x81 0x5C is a backslash only in appearance: it stays.
    EXPECT_EQ(ShellSafeAddress("http://a/\x81\x5C"), "http://a/\x81\x5C");
    EXPECT_EQ(ShellSafeAddress("http://例子.中国/页面"), "http://例子.中国/页面");
    EXPECT_EQ(ShellSafeAddress(std::string("a\0b", 3)), "a%00b");
}

TEST(Paths, SystemPathsMapToTheHostAndBack) {
    EXPECT_EQ(paths::ExtractFilePath("C:\\Games\\Morvane.dll"), "C:\\Games\\");
    EXPECT_EQ(paths::ExtractFileName("C:\\Games\\Morvane.dll"), "Morvane.dll");
    EXPECT_EQ(paths::IncludeTrailingBackslash("C:\\Games"), "C:\\Games\\");
    EXPECT_EQ(paths::IncludeTrailingBackslash("C:\\Games\\"), "C:\\Games\\");
    EXPECT_EQ(paths::FromHost("/tmp/a/b"), "\\tmp\\a\\b");
#ifndef _WIN32
    EXPECT_EQ(paths::ToHost("/lib\\Sound\\{ID}\\clock.wav"), "/lib/Sound/{ID}/clock.wav");
#endif
}

TEST(Random, FixedSeedRepeatsAndStaysInRange) {
    TRandom a(42), b(42);
    std::set<int> seen;
    for (int i = 0; i < 1000; ++i) {
        int x = a.Next(10);
        EXPECT_EQ(x, b.Next(10));
        ASSERT_GE(x, 0);
        ASSERT_LT(x, 10);
        seen.insert(x);
    }
    EXPECT_EQ(seen.size(), 10u);
    EXPECT_EQ(a.Next(0), 0);
    EXPECT_EQ(a.Next(-3), 0);
    for (int i = 0; i < 100; ++i) {
        int y = a.Between(-2, 2);
        ASSERT_GE(y, -2);
        ASSERT_LE(y, 2);
    }
}

TEST(Random, FollowsTheClassicLinearCongruentialStep) {
    TRandom r(0);
    r.Next(1);
    EXPECT_EQ(r.Seed(), 1u);
    r.Next(1);
    EXPECT_EQ(r.Seed(), 134775814u);
}

TEST(FileVersionInfomation, RecordCarriesTheClassIdAndTheFixedPart) {
    const TFileVersionInfomation& info = LibraryVersion();
    EXPECT_EQ(info.Comments, "{0001035D-3551-4ACD-8F99-65E0404FFF8D}");
    EXPECT_FALSE(info.FileVersion.empty());
    EXPECT_FALSE(info.InternalName.empty());
    EXPECT_EQ(info.FixedInfo.dwSignature, 0xFEEF04BDu);
    EXPECT_TRUE(info.CustomKey.empty());

    TFileVersionInfomation custom;
    custom.CustomKey = "stale";
    ASSERT_TRUE(ReadFileVersionInfomation(custom, "ProductName"));
    EXPECT_EQ(custom.CustomKey, info.ProductName);
    ASSERT_TRUE(ReadFileVersionInfomation(custom, "NoSuchKey"));
    EXPECT_TRUE(custom.CustomKey.empty());
}

} // namespace
} // namespace morvane
