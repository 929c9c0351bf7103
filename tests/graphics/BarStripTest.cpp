#include "graphics/BarRoad.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

// Game n (1-based): Banker n mod 10 points, Player (n + 3) mod 10, result n mod 6.
TBarRoadEntry Game(int n) {
    return {std::uint8_t(n % 10), std::uint8_t((n + 3) % 10), std::uint8_t(n % 6)};
}

TEST(BarStripTest, TheColumnsShowTheTenGamesFromTheFirstOnAndNothingPastTheNewest) {
    TBarStrip strip;
    for (int n = 1; n <= 12; ++n)
        strip.Add(Game(n));
    EXPECT_EQ(strip.First(), 2);
    EXPECT_EQ(strip.GameInColumn(0), 2);
    EXPECT_EQ(strip.GameInColumn(9), 11);
    EXPECT_TRUE(strip.IsNewest(11));
    EXPECT_EQ(strip.GameInColumn(10), std::nullopt);
    EXPECT_EQ(strip.GameInColumn(-1), std::nullopt);

    strip.ScrollTo(5);
    EXPECT_EQ(strip.GameInColumn(6), 11);
    EXPECT_EQ(strip.GameInColumn(7), std::nullopt);
    strip.ScrollTo(-3);
    EXPECT_EQ(strip.First(), 0);
    strip.ScrollTo(std::int64_t(1) << 40);
    EXPECT_EQ(strip.First(), 12);
    EXPECT_EQ(strip.GameInColumn(0), std::nullopt);
}

// When the oldest game goes, its won mark goes with it: each mark stays with its own game.
TEST(BarStripTest, TheWonMarksMoveWithTheirGamesWhenTheOldestIsDropped) {
    TBarStrip strip;
    for (int n = 1; n <= 65; ++n)
        strip.Add(Game(n), n % 3 == 0);
    ASSERT_EQ(strip.Count(), kRoadLength);
    EXPECT_EQ(strip.Games()[0], Game(2));
    EXPECT_FALSE(strip.Won(0));  // game 2
    EXPECT_TRUE(strip.Won(1));   // game 3
    EXPECT_TRUE(strip.Won(61));  // game 63
    EXPECT_FALSE(strip.Won(63)); // game 65
}

TEST(BarStripTest, ARoadIsTakenOnlyIntoAnEmptyStripAndUpToItsFirstUnusableGame) {
    TBarRoad road{};
    for (int n = 1; n <= 8; ++n)
        road[std::size_t(n - 1)] = Game(n);
    road[5] = {1, 2, 6};
    TBarStrip strip;
    EXPECT_TRUE(strip.SetRoad(road));
    EXPECT_EQ(strip.Count(), 5);
    EXPECT_EQ(strip.Games()[6], TBarRoadEntry{});
    EXPECT_FALSE(strip.SetRoad(road));
    EXPECT_FALSE(strip.Add({1, 2, kNoResult}));
    EXPECT_EQ(strip.Count(), 5);
    // Games 1..5: results 1, 2, 3, 4, 5.
    EXPECT_EQ(strip.Counts().Wins, (std::array<int, kResultKindCount>{1, 2, 2}));
}

} // namespace
} // namespace morvane
