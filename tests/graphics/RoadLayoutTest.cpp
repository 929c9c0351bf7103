#include "graphics/RoadLayout.h"

#include "support/RoadGames.h"

#include <gtest/gtest.h>
#include <vector>

namespace morvane {
namespace {

using TCells = std::vector<TRoadCell>;

using namespace test::roads;

TEST(RoadLayoutTest, EachSideStartsAColumnAndTheBeadsFillColumnsInOrder) {
    const auto games = Games({B, B, P, T, T, T, T, T, BK});
    const TRoadGrid road = LayOutColumnRoad(games, 6);
    EXPECT_EQ(road.Cells(), (TCells{{1, 1}, {1, 2}, {2, 1}, {3, 1}, {3, 2}, {3, 3}, {3, 4}, {3, 5}, {4, 1}}));
    EXPECT_EQ(road.Columns(), 4);
    const TRoadGrid plate = LayOutBeadPlate(games, 6);
    EXPECT_EQ(plate.Cells(),
              (TCells{{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {2, 1}, {2, 2}, {2, 3}}));
    // Every mark carries its game, which picks its picture.
    EXPECT_EQ(road.Marks[8].Game, 8);
    EXPECT_EQ(road.Marks[8].Entry, Game(BK));
    EXPECT_EQ(plate.Marks[2].Entry, Game(P));

    EXPECT_TRUE(LayOutColumnRoad({}, 6).Marks.empty());
    EXPECT_EQ(LayOutColumnRoad({}, 6).Columns(), 0);
    EXPECT_TRUE(LayOutBeadPlate({}, 6).Marks.empty());
}

// A streak runs down to the foot and then right along it; where a streak meets a mark below it, it turns
// right at that row; the next side starts beside the streak's head, not beside its tail.
TEST(RoadLayoutTest, StreaksTurnRightAtTheFootOrAtAMarkAndTheNextSideStartsBesideTheirHead) {
    const TRoadGrid road = LayOutColumnRoad(Games({B, B, B, B, B, B, B, B, P, P, P, P, P, P, B}), 6);
    EXPECT_EQ(road.Cells(), (TCells{{1, 1},
                                    {1, 2},
                                    {1, 3},
                                    {1, 4},
                                    {1, 5},
                                    {1, 6},
                                    {2, 6},
                                    {3, 6},
                                    {2, 1},
                                    {2, 2},
                                    {2, 3},
                                    {2, 4},
                                    {2, 5},
                                    {3, 5},
                                    {3, 1}}));
    EXPECT_EQ(road.Columns(), 3);
}

// A King win and a same-point Tie count for their side, on the road and in the counters.
TEST(RoadLayoutTest, KingsAndSamePointTiesBelongToTheirSide) {
    const auto games = std::vector<TResultTableEntry>{
        Game(BK, true), Game(B), Game(PK, false, true), Game(P), Game(TS, true, true), Game(T)};
    EXPECT_EQ(LayOutColumnRoad(games, 6).Cells(), (TCells{{1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 1}, {3, 2}}));
    const TResultCounts counts = CountResults(games);
    EXPECT_EQ(counts.Wins, (std::array<int, kResultKindCount>{2, 2, 2}));
    EXPECT_EQ(counts.BankerKings, 1);
    EXPECT_EQ(counts.PlayerKings, 1);
    EXPECT_EQ(counts.SamePointTies, 1);
    EXPECT_EQ(counts.BankerPairs, 2);
    EXPECT_EQ(counts.PlayerPairs, 2);
    EXPECT_EQ(counts.TotalWins(), 6);
}

// Bytes that are no result code have no side: they get no mark, break no streak and count nothing; the
// marks keep the index of their game in the history.
TEST(RoadLayoutTest, GamesWithoutAResultAreLeftOutOfRoadsAndCounters) {
    const std::vector<TResultTableEntry> games{Game(B), Game(6, true, true), Game(B), Game(kNoResult),
                                               Game(P)};
    const TRoadGrid road = LayOutColumnRoad(games, 6);
    EXPECT_EQ(road.Cells(), (TCells{{1, 1}, {1, 2}, {2, 1}}));
    EXPECT_EQ(road.Marks[1].Game, 2);
    EXPECT_EQ(road.Marks[2].Game, 4);
    EXPECT_EQ(LayOutBeadPlate(games, 6).Cells(), (TCells{{1, 1}, {1, 2}, {1, 3}}));
    const TResultCounts counts = CountResults(games);
    EXPECT_EQ(counts.TotalWins(), 3);
    EXPECT_EQ(counts.BankerPairs, 0);

    TResultCounts bare;
    for (std::uint8_t code : {std::uint8_t(0x80), std::uint8_t(200), std::uint8_t(6), kNoResult})
        bare.Add(code);
    EXPECT_EQ(bare, TResultCounts{});
}

// A road of one side in every game for longer than any window: a column per game fits it however long.
TEST(RoadLayoutTest, AHistoryLongerThanTheRoadStillLaysOut) {
    std::vector<TResultTableEntry> alternating;
    for (int game = 0; game < 200; ++game)
        alternating.push_back(Game(game % 2 ? P : B));
    EXPECT_EQ(LayOutColumnRoad(alternating, 6).Marks.back().Cell, (TRoadCell{200, 1}));
    const std::vector<TResultTableEntry> streak(200, Game(T));
    EXPECT_EQ(LayOutColumnRoad(streak, 6).Marks.back().Cell, (TRoadCell{195, 6}));
    EXPECT_EQ(LayOutBeadPlate(streak, 6).Marks.back().Cell, (TRoadCell{34, 2}));
}

// A window shows the newest columns; a tail trailing past its right edge leaves the newest game at the
// left edge rather than out of view.
TEST(RoadLayoutTest, AWindowShowsTheNewestColumnsAndKeepsTheNewestGameInView) {
    std::vector<TResultTableEntry> alternating;
    for (int game = 0; game < 29; ++game)
        alternating.push_back(Game(game % 2 ? P : B));
    EXPECT_EQ(HiddenColumns(LayOutColumnRoad(alternating, 6), 29), 0);
    // Game 29 was the Banker's: a Player result opens column 30.
    alternating.push_back(Game(P));
    EXPECT_EQ(HiddenColumns(LayOutColumnRoad(alternating, 6), 29), 1);

    std::vector<TResultTableEntry> streaks(40, Game(B));
    streaks.push_back(Game(P));
    streaks.push_back(Game(T));
    const TRoadGrid road = LayOutColumnRoad(streaks, 6);
    EXPECT_EQ(road.Columns(), 35);
    EXPECT_EQ(road.Marks.back().Cell, (TRoadCell{3, 1}));
    EXPECT_EQ(HiddenColumns(road, 29), 2);
    EXPECT_EQ(HiddenColumns(TRoadGrid{}, 29), 0);
}

TEST(RoadLayoutTest, SharesAreHundredthsOfAPerCentRoundedHalfUp) {
    std::vector<TResultTableEntry> games(31, Game(B));
    games.push_back(Game(P));
    TResultCounts counts = CountResults(games);
    EXPECT_EQ(counts.ShareOf(TResultKind::Player), 313);  // 3.125
    EXPECT_EQ(counts.ShareOf(TResultKind::Banker), 9688); // 96.875
    EXPECT_EQ(counts.ShareOf(TResultKind::Tie), 0);
    EXPECT_EQ(CountResults(Games({B, P, P})).ShareOf(TResultKind::Player), 6667);
    EXPECT_EQ(CountResults(Games({T})).ShareOf(TResultKind::Tie), 10000);
    // Nothing won: every share is nought, not a division by nought.
    EXPECT_EQ(TResultCounts{}.ShareOf(TResultKind::Banker), 0);
    EXPECT_EQ(TResultCounts{}.ShareOf(TResultKind::None), 0);
}

} // namespace
} // namespace morvane
