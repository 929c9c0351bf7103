#include "graphics/BigRoad.h"

#include "support/RoadGames.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morvane {
namespace {

using TCells = std::vector<TRoadCell>;
using TColours = std::vector<TRoadColour>;

using namespace test::roads;

constexpr TRoadColour R = TRoadColour::Red;
constexpr TRoadColour U = TRoadColour::Blue;

std::vector<TResultTableEntry> Repeat(std::vector<TResultTableEntry> games, std::uint8_t code, int times) {
    for (int game = 0; game < times; ++game)
        games.push_back(Game(code));
    return games;
}

// A history written as the tool reads it: B, P and T.
std::vector<TResultTableEntry> Shoe(std::string_view results) {
    std::vector<TResultTableEntry> games;
    for (char result : results)
        games.push_back(Game(result == 'B' ? B : result == 'P' ? P : T));
    return games;
}

TColours Colours(std::string_view history, TDerivedRoadKind kind) {
    return LayOutDerivedRoad(LayOutBigRoad(Shoe(history)), kind).Colours();
}

// T T B B P T P T T B: the two ties before the first result go on it, each later tie on the result before
// it; ties never start a column or break a streak.
TEST(BigRoadTest, StreaksTakeColumnsAndTiesCountOnTheLatestResult) {
    const TBigRoad road = LayOutBigRoad(Shoe("TTBBPTPTTB"));
    EXPECT_EQ(road.Cells(), (TCells{{1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 1}}));
    std::vector<int> ties;
    std::vector<TResultKind> sides;
    for (const TBigRoadMark& mark : road.Marks) {
        ties.push_back(mark.Ties);
        sides.push_back(mark.Side);
    }
    EXPECT_EQ(ties, (std::vector<int>{2, 0, 1, 2, 0}));
    EXPECT_EQ(sides, (std::vector<TResultKind>{TResultKind::Banker, TResultKind::Banker, TResultKind::Player,
                                               TResultKind::Player, TResultKind::Banker}));
    EXPECT_EQ(road.StreakLengths, (std::vector<int>{2, 2, 1}));
    EXPECT_EQ(road.LeadingTies, 2);
    EXPECT_EQ(road.Marks[0].Colour(), R);
    EXPECT_EQ(road.Marks[2].Colour(), U);
    // Each mark keeps its game: the fifth mark is the tenth game.
    EXPECT_EQ(road.Marks[4].Game, 9);

    // Only ties: nothing to put them on yet. King wins and same-point ties go with their side; bytes
    // that are no result are left out and break nothing.
    const TBigRoad onlyTies = LayOutBigRoad(Games({T, TS, T}));
    EXPECT_TRUE(onlyTies.Marks.empty());
    EXPECT_EQ(onlyTies.LeadingTies, 3);
    EXPECT_EQ(onlyTies.Columns(), 0);
    const TBigRoad kings = LayOutBigRoad(Games({BK, 6, B, TS, kNoResult, PK}));
    EXPECT_EQ(kings.Cells(), (TCells{{1, 1}, {1, 2}, {2, 1}}));
    EXPECT_EQ(kings.Marks[1].Ties, 1);
}

// Thirteen Bankers: six down column 1, the other seven along row 6 in columns 2 to 8. The Players after
// them start in column 2 (beside the dragon's head, not its tail) and are blocked at row 5 by the tail.
TEST(BigRoadTest, ADragonRunsAlongRowSixAndTheNextStreakStartsBesideItsHead) {
    const TBigRoad road = LayOutBigRoad(Repeat(Repeat({}, B, 13), P, 7));
    TCells dragon;
    for (int row = 1; row <= 6; ++row)
        dragon.push_back({1, row});
    for (int column = 2; column <= 8; ++column)
        dragon.push_back({column, 6});
    for (int row = 1; row <= 5; ++row)
        dragon.push_back({2, row});
    dragon.push_back({3, 5});
    dragon.push_back({4, 5});
    EXPECT_EQ(road.Cells(), dragon);
    EXPECT_EQ(road.Columns(), 8);
    EXPECT_EQ(road.StreakLengths, (std::vector<int>{13, 7}));
    EXPECT_EQ(road.Marks[12].Depth, 13);
}

// Seven Bankers then seven Players: the Players turn at row 5 in column 2 and stay on row 5, although
// the cell under (3, 5) is free (the dragon's tail reaches only (2, 6)). The derived roads count the
// seven Bankers as one streak of seven: the seventh Player (row 7 of its streak) is red on 大眼仔 (the
// Bankers reach row 7), where reading column 1 of the grid (six cells) would give blue.
TEST(BigRoadTest, ATailStaysInItsRowAndCountsInItsStreak) {
    const auto games = Repeat(Repeat({}, B, 7), P, 7);
    const TBigRoad road = LayOutBigRoad(games);
    EXPECT_EQ(road.Marks.back().Cell, (TRoadCell{4, 5}));
    EXPECT_EQ(road.Marks[12].Cell, (TRoadCell{3, 5}));
    const TDerivedRoad bigEye = LayOutDerivedRoad(road, TDerivedRoadKind::BigEye);
    EXPECT_EQ(bigEye.Colours(), (TColours{R, R, R, R, R, R}));
    EXPECT_EQ(bigEye.Marks.back().Game, 13);
}

// Worked by hand: B×7, P×6, B×5, P×4, B×3, P×3, B.
//   Bankers: (1,1)…(1,6), tail (2,6).
//   Players from column 2: (2,1)…(2,5), blocked by (2,6) → tail (3,5).
//   Bankers from column 3: (3,1)…(3,4), blocked by (3,5) → (4,4).
//   Players from column 4: (4,1)…(4,3), blocked by (4,4) → (5,3).
//   Bankers from column 5: (5,1), (5,2), blocked by (5,3) → turn on row 2: (6,2).
//   Players from column 6: (6,1), blocked by (6,2) → turn on row 1: (7,1), (8,1).
//   The last Banker belongs beside column 6, but (7,1) and (8,1) are the tail: it goes to (9,1).
TEST(BigRoadTest, StreaksBlockedByTailsTurnOnRowTwoAndRowOneAndANewStreakSkipsATakenCell) {
    std::vector<TResultTableEntry> games;
    games = Repeat(games, B, 7);
    games = Repeat(games, P, 6);
    games = Repeat(games, B, 5);
    games = Repeat(games, P, 4);
    games = Repeat(games, B, 3);
    games = Repeat(games, P, 3);
    games = Repeat(games, B, 1);
    const TBigRoad road = LayOutBigRoad(games);
    const TCells cells = road.Cells();
    ASSERT_EQ(cells.size(), 29u);
    EXPECT_EQ(TCells(cells.begin() + 18, cells.begin() + 22), (TCells{{4, 1}, {4, 2}, {4, 3}, {5, 3}}));
    EXPECT_EQ(TCells(cells.begin() + 22, cells.end()),
              (TCells{{5, 1}, {5, 2}, {6, 2}, {6, 1}, {7, 1}, {8, 1}, {9, 1}}));
    EXPECT_EQ(road.Marks.back().Streak, 7);
    EXPECT_EQ(road.Marks.back().Depth, 1);
}

// Each derived road starts with the second result of streak k + 1, or, when that streak ends after one
// result, with the first of streak k + 2; nothing before.
TEST(BigRoadTest, EachDerivedRoadStartsInEitherOfItsTwoPlaces) {
    // Second result of streak k + 1: compared with streak 1 (one result), it ends right above → blue.
    EXPECT_EQ(Colours("BP", TDerivedRoadKind::BigEye), TColours{});
    EXPECT_EQ(Colours("BPP", TDerivedRoadKind::BigEye), (TColours{U}));
    EXPECT_EQ(Colours("BPB", TDerivedRoadKind::Small), TColours{});
    EXPECT_EQ(Colours("BPBB", TDerivedRoadKind::Small), (TColours{U}));
    EXPECT_EQ(Colours("BPBP", TDerivedRoadKind::Cockroach), TColours{});
    EXPECT_EQ(Colours("BPBPP", TDerivedRoadKind::Cockroach), (TColours{U}));
    // First result of streak k + 2: the two streaks compared have one result each → red.
    EXPECT_EQ(Colours("BPB", TDerivedRoadKind::BigEye), (TColours{R}));
    EXPECT_EQ(Colours("BPBP", TDerivedRoadKind::Small), (TColours{R}));
    EXPECT_EQ(Colours("BPBPB", TDerivedRoadKind::Cockroach), (TColours{R}));
    // Ties add nothing.
    EXPECT_EQ(Colours("BTPTTPT", TDerivedRoadKind::BigEye), (TColours{U}));
}

// Worked by hand: B B P B P P P B, streaks of 2, 1, 1, 3, 1.
//   大眼仔 (k = 1), from streak 3:
//     streak 3 row 1: streaks 2 and 1 are 1 and 2 long → blue
//     streak 4 row 1: streaks 3 and 2, 1 and 1 → red
//     streak 4 row 2: streak 3 is 1 long, ends right above → blue
//     streak 4 row 3: streak 3 ends two rows above → red
//     streak 5 row 1: streaks 4 and 3, 3 and 1 → blue
//   小路 (k = 2), from streak 4 (streak 3 has one result):
//     4/1: streaks 3 and 1, 1 and 2 → blue; 4/2: streak 2 is 1 long → blue; 4/3: → red;
//     5/1: streaks 4 and 2, 3 and 1 → blue
//   曱甴路 (k = 3), from streak 4 row 2:
//     4/2: streak 1 is 2 long → red; 4/3: it ends right above → blue; 5/1: streaks 4 and 1, 3 and 2 → blue
TEST(BigRoadTest, DerivedRoadsReadTheStreaksTheyCompareWith) {
    const TBigRoad road = LayOutBigRoad(Shoe("BBPBPPPB"));
    const TDerivedRoad bigEye = LayOutDerivedRoad(road, TDerivedRoadKind::BigEye);
    EXPECT_EQ(bigEye.Colours(), (TColours{U, R, U, R, U}));
    EXPECT_EQ(bigEye.Cells(), (TCells{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}));
    const TDerivedRoad small = LayOutDerivedRoad(road, TDerivedRoadKind::Small);
    EXPECT_EQ(small.Colours(), (TColours{U, U, R, U}));
    EXPECT_EQ(small.Cells(), (TCells{{1, 1}, {1, 2}, {2, 1}, {3, 1}}));
    const TDerivedRoad cockroach = LayOutDerivedRoad(road, TDerivedRoadKind::Cockroach);
    EXPECT_EQ(cockroach.Colours(), (TColours{R, U, U}));
    EXPECT_EQ(cockroach.Cells(), (TCells{{1, 1}, {2, 1}, {2, 2}}));
    // Each mark names the big-road result that added it: 曱甴路's first is the sixth game.
    EXPECT_EQ(cockroach.Marks.front().Game, 5);
}

// A pure alternation and a two-two pattern are as regular as a shoe gets: every derived mark is red, and
// being of one colour they run down column 1 and along row 6 like a dragon.
TEST(BigRoadTest, RegularShoesGiveOnlyRedMarks) {
    std::string alternation;
    std::string twoTwo;
    for (int game = 0; game < 20; ++game) {
        alternation += game % 2 ? 'P' : 'B';
        twoTwo += (game / 2) % 2 ? 'P' : 'B';
    }
    for (TDerivedRoadKind kind : kDerivedRoadKinds) {
        const int k = int(kind);
        // Alternation: every result from streak k + 2 on; two-two: from row 2 of streak k + 1 on.
        EXPECT_EQ(Colours(alternation, kind), TColours(std::size_t(20 - k - 1), R)) << k;
        EXPECT_EQ(Colours(twoTwo, kind), TColours(std::size_t(20 - 2 * k - 1), R)) << k;
    }
    const TDerivedRoad bigEye = LayOutDerivedRoad(LayOutBigRoad(Shoe(alternation)), TDerivedRoadKind::BigEye);
    EXPECT_EQ(bigEye.Marks[5].Cell, (TRoadCell{1, 6}));
    EXPECT_EQ(bigEye.Marks.back().Cell, (TRoadCell{13, 6}));
}

// Worked by hand on B B P B P P P B (streaks 2, 1, 1, 3, 1):
//   a Banker would be row 2 of streak 5: 大眼仔 reads streak 4 (3 long) → red; 小路 streak 3 (1 long,
//   ends right above) → blue; 曱甴路 streak 2 (1 long) → blue. It goes under the last Banker, (5, 2).
//   a Player would start streak 6: 大眼仔 compares streaks 5 and 4 (1, 3) → blue; 小路 5 and 3 (1, 1) →
//   red; 曱甴路 5 and 2 (1, 1) → red. It goes to (6, 1).
TEST(BigRoadTest, AskMarksAreWhatABankerOrAPlayerWouldAdd) {
    const auto games = Shoe("BBPBPPPB");
    const TAskMarks banker = AskRoad(games, TResultKind::Banker);
    ASSERT_TRUE(banker.Big);
    EXPECT_EQ(banker.Big->Cell, (TRoadCell{5, 2}));
    EXPECT_EQ(banker.Big->Side, TResultKind::Banker);
    ASSERT_TRUE(banker.Derived[0] && banker.Derived[1] && banker.Derived[2]);
    EXPECT_EQ(banker.Derived[0]->Colour, R);
    EXPECT_EQ(banker.Derived[1]->Colour, U);
    EXPECT_EQ(banker.Derived[2]->Colour, U);
    // 大眼仔 read blue, red, blue, red, blue: a red opens column 6; 小路's blue goes under its last blue.
    EXPECT_EQ(banker.Derived[0]->Cell, (TRoadCell{6, 1}));
    EXPECT_EQ(banker.Derived[1]->Cell, (TRoadCell{3, 2}));

    const TAskMarks player = AskRoad(games, TResultKind::Player);
    ASSERT_TRUE(player.Big && player.Derived[0] && player.Derived[1] && player.Derived[2]);
    EXPECT_EQ(player.Big->Cell, (TRoadCell{6, 1}));
    EXPECT_EQ(player.Derived[0]->Colour, U);
    EXPECT_EQ(player.Derived[1]->Colour, R);
    EXPECT_EQ(player.Derived[2]->Colour, R);

    // Early in a shoe some roads add nothing yet; a tie or no side adds no mark at all.
    const TAskMarks early = AskRoad(Shoe("BP"), TResultKind::Player);
    ASSERT_TRUE(early.Big && early.Derived[0]);
    EXPECT_EQ(early.Derived[0]->Colour, U);
    EXPECT_FALSE(early.Derived[1] || early.Derived[2]);
    const TAskMarks first = AskRoad({}, TResultKind::Banker);
    ASSERT_TRUE(first.Big);
    EXPECT_EQ(first.Big->Cell, (TRoadCell{1, 1}));
    EXPECT_FALSE(first.Derived[0]);
    const TAskMarks tie = AskRoad(games, TResultKind::Tie);
    EXPECT_FALSE(tie.Big || tie.Derived[0] || tie.Derived[1] || tie.Derived[2]);
}

// Whatever the shoe, no two marks of a road share a cell, every mark lies on the six rows, and each
// result of a streak lies one row below or one column right of the one before.
TEST(BigRoadTest, NoShoeStacksTwoMarksInOneCell) {
    std::mt19937 random(22);
    // Shoes of long streaks that often shorten by one, so that tails block streaks that turn into tails
    // of their own, down to row 1; a tie now and then.
    std::uniform_int_distribution<int> length(1, 9);
    std::bernoulli_distribution shorten(0.6);
    std::bernoulli_distribution tie(0.1);
    const auto check = [](const TCells& cells, const std::vector<bool>& sameAsBefore) {
        std::set<std::pair<int, int>> seen;
        for (std::size_t mark = 0; mark < cells.size(); ++mark) {
            const TRoadCell cell = cells[mark];
            ASSERT_TRUE(cell.Row >= 1 && cell.Row <= kBigRoadRows && cell.Column >= 1);
            ASSERT_TRUE(seen.insert({cell.Column, cell.Row}).second) << cell.Column << "," << cell.Row;
            if (mark == 0 || !sameAsBefore[mark]) {
                ASSERT_EQ(cell.Row, 1);
                continue;
            }
            const TRoadCell before = cells[mark - 1];
            const bool down = cell.Column == before.Column && cell.Row == before.Row + 1;
            const bool right = cell.Column == before.Column + 1 && cell.Row == before.Row;
            ASSERT_TRUE(down || right);
        }
    };
    for (int shoe = 0; shoe < 500; ++shoe) {
        std::vector<TResultTableEntry> games;
        int streak = length(random);
        for (std::uint8_t side = B; games.size() < kRoadLength; side = side == B ? P : B) {
            streak = shorten(random) ? std::max(1, streak - 1) : length(random);
            for (int result = 0; result < streak; ++result)
                games.push_back(Game(tie(random) ? T : side));
        }
        const TBigRoad road = LayOutBigRoad(games);
        std::vector<bool> sameSide;
        for (const TBigRoadMark& mark : road.Marks)
            sameSide.push_back(mark.Depth > 1);
        check(road.Cells(), sameSide);
        for (TDerivedRoadKind kind : kDerivedRoadKinds) {
            const TDerivedRoad derived = LayOutDerivedRoad(road, kind);
            std::vector<bool> sameColour;
            for (std::size_t mark = 0; mark < derived.Marks.size(); ++mark)
                sameColour.push_back(mark > 0 &&
                                     derived.Marks[mark].Colour == derived.Marks[mark - 1].Colour);
            check(derived.Cells(), sameColour);
        }
        if (HasFatalFailure()) return;
    }
}

} // namespace
} // namespace morvane
