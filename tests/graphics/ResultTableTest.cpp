#include "graphics/ResultTable.h"

#include "gui/Form.h"
#include "support/headless/HeadlessApp.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace morvane {
namespace {

using TCells = std::vector<TRoadCell>;

constexpr std::uint8_t B = 0, BK = 1, P = 2, PK = 3, T = 4, TS = 5;

TRoadTableEntry Game(std::uint8_t code, bool bankerPair = false, bool playerPair = false) {
    return {code, std::uint8_t(bankerPair ? 1 : 0), std::uint8_t(playerPair ? 1 : 0)};
}

std::vector<TRoadTableEntry> Games(std::initializer_list<std::uint8_t> codes) {
    std::vector<TRoadTableEntry> games;
    for (std::uint8_t code : codes)
        games.push_back(Game(code));
    return games;
}

class ResultTableTest : public test::HeadlessTest {
protected:
    ResultTableTest() {
        form.SetBounds(0, 0, 1024, 734);
        form.SetColor(RGB(0, 96, 40));
        table = form.Own(std::make_unique<TBJLResultTable>(&form));
        table->SetParent(&form);
        table->SetLeft(200);
        table->SetTop(170);
        form.Show();
        platform.RunUntilIdle();
    }
    void Show(const std::vector<TRoadTableEntry>& games) { table->SetResults(games, int(games.size())); }
    std::string LabelText(TBJLResultTable::TLabelSlot slot) const { return table->Label(slot).Caption(); }

    TForm form{nullptr};
    TBJLResultTable* table{nullptr};
};

TEST_F(ResultTableTest, AnEmptyTableReadsZeroEverywhere) {
    EXPECT_EQ(table->Width(), 501);
    EXPECT_EQ(table->Height(), 390);
    EXPECT_EQ(table->Count(), 0);
    EXPECT_TRUE(table->ColumnRoad().empty());
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerCountLabel), "0");
    EXPECT_EQ(LabelText(TBJLResultTable::BankerPercentLabel), "00.00%");
    EXPECT_EQ(table->Entry(63).ResultCode, 0xFF);
    Show({});
    EXPECT_EQ(LabelText(TBJLResultTable::TiePercentLabel), "00.00%");
    EXPECT_EQ(table->Label(TBJLResultTable::BankerCountLabel).Font().Color(), clRed);
    EXPECT_EQ(table->Label(TBJLResultTable::PlayerCountLabel).Left(), 72);
}

TEST_F(ResultTableTest, BankerBankerPlayerTieLaysOutBothRoadsAndCounts) {
    Show(Games({B, B, P, T}));
    EXPECT_EQ(table->ColumnRoad(), (TCells{{1, 1}, {1, 2}, {2, 1}, {3, 1}}));
    EXPECT_EQ(table->BeadPlate(), (TCells{{1, 1}, {1, 2}, {1, 3}, {1, 4}}));
    EXPECT_EQ(LabelText(TBJLResultTable::BankerCountLabel), "2");
    EXPECT_EQ(LabelText(TBJLResultTable::BankerPercentLabel), "50.00%");
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerCountLabel), "1");
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerPercentLabel), "25.00%");
    EXPECT_EQ(LabelText(TBJLResultTable::TieCountLabel), "1");
    EXPECT_EQ(LabelText(TBJLResultTable::TiePercentLabel), "25.00%");

    Show(Games({P}));
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerPercentLabel), "100.00%");
    Show(Games({B, B, B, B, B, B, B, B, B, B, B, B, B, B, B, P}));
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerPercentLabel), "06.25%");
}

TEST_F(ResultTableTest, ALongStreakTurnsRightAndTheNextSideStartsBesideItsHead) {
    Show(Games({B, B, B, B, B, B, B, P, P}));
    EXPECT_EQ(table->ColumnRoad(),
              (TCells{{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {2, 6}, {2, 1}, {2, 2}}));
    EXPECT_EQ(table->BeadPlate()[6], (TRoadCell{2, 1}));
    EXPECT_EQ(table->BeadPlate()[8], (TRoadCell{2, 3}));
    // A streak that meets a mark below it turns right at that row.
    Show(Games({B, B, B, B, B, B, B, P, P, P, P, P, P}));
    EXPECT_EQ(table->ColumnRoad().back(), (TRoadCell{3, 5}));
}

TEST_F(ResultTableTest, KingsTiesAndPairsAreCountedWithTheirSide) {
    Show({Game(BK, true), Game(PK, false, true), Game(TS, true, true), Game(T), Game(B)});
    EXPECT_EQ(table->Counter(TBJLResultTable::BankerWins), 2);
    EXPECT_EQ(table->Counter(TBJLResultTable::BankerKings), 1);
    EXPECT_EQ(table->Counter(TBJLResultTable::PlayerWins), 1);
    EXPECT_EQ(table->Counter(TBJLResultTable::PlayerKings), 1);
    EXPECT_EQ(table->Counter(TBJLResultTable::TieWins), 2);
    EXPECT_EQ(table->Counter(TBJLResultTable::SamePointTies), 1);
    EXPECT_EQ(table->Counter(TBJLResultTable::BankerPairs), 2);
    EXPECT_EQ(table->Counter(TBJLResultTable::PlayerPairs), 2);
    EXPECT_EQ(LabelText(TBJLResultTable::BankerKingLabel), "1");
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerPairsLabel), "2");
    EXPECT_EQ(table->ColumnRoad(), (TCells{{1, 1}, {2, 1}, {3, 1}, {3, 2}, {4, 1}}));
    // A King result is drawn as its side: it continues that side's column.
    Show(Games({B, BK, P, PK, T, TS}));
    EXPECT_EQ(table->ColumnRoad(), (TCells{{1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 1}, {3, 2}}));
}

TEST_F(ResultTableTest, SixtyFiveGamesOrAThirtiethColumnEmptyTheTable) {
    Show(Games({B, P, T}));
    // Streaks of three that would fit the road if only 64 of them were taken.
    std::vector<TRoadTableEntry> many;
    for (int game = 0; game < 65; ++game)
        many.push_back(Game((game / 3) % 2 ? P : B));
    Show(many);
    EXPECT_TRUE(table->ColumnRoad().empty());
    EXPECT_EQ(table->Count(), 0);
    EXPECT_EQ(table->Counter(TBJLResultTable::BankerWins), 0);
    EXPECT_EQ(LabelText(TBJLResultTable::BankerCountLabel), "0");

    std::vector<TRoadTableEntry> alternating;
    for (int game = 0; game < 29; ++game)
        alternating.push_back(Game(game % 2 ? P : B));
    Show(alternating);
    ASSERT_EQ(table->Count(), 29);
    EXPECT_EQ(table->ColumnRoad().back(), (TRoadCell{29, 1}));
    alternating.push_back(Game(B));
    Show(alternating);
    EXPECT_EQ(table->Count(), 0);
    EXPECT_TRUE(table->ColumnRoad().empty());
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerCountLabel), "0");

    // Sixty-four games of one side fit: the streak runs along the bottom row to column 29.
    std::vector<TRoadTableEntry> full(29 + 5, Game(P));
    Show(full);
    EXPECT_EQ(table->ColumnRoad().back(), (TRoadCell{29, 6}));
}

// Bytes that are no result code never reach a picture table or a counter; short input is not read past.
TEST_F(ResultTableTest, UnknownCodesAreLeftOutAndCountsAreHeldToTheInput) {
    Show({Game(B), Game(6), Game(0xFF), Game(200), Game(P)});
    EXPECT_EQ(table->Count(), 2);
    EXPECT_EQ(table->ColumnRoad(), (TCells{{1, 1}, {2, 1}}));
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerPercentLabel), "50.00%");

    const std::vector<TRoadTableEntry> two = Games({T, T});
    table->SetResults(two, 40);
    EXPECT_EQ(table->Count(), 2);
    table->SetResults(two, -3);
    EXPECT_EQ(table->Count(), 0);
    platform.RunUntilIdle();
}

TEST_F(ResultTableTest, TheBandDragsThePanelAndTheCloseButtonHidesIt) {
    platform.MouseDown({200 + 100, 170 + 20});
    platform.MouseMove({200 + 130, 170 + 60});
    platform.MouseUp({200 + 130, 170 + 60});
    platform.RunUntilIdle();
    EXPECT_EQ(table->Left(), 230);
    EXPECT_EQ(table->Top(), 210);

    // Below the band, and right of it, the panel stays put.
    for (TPoint inside : {TPoint{100, 50}, TPoint{490, 30}}) {
        platform.MouseDown({230 + inside.x, 210 + inside.y});
        platform.MouseMove({230 + inside.x + 40, 210 + inside.y + 40});
        platform.MouseUp({230 + inside.x + 40, 210 + inside.y + 40});
        platform.RunUntilIdle();
        EXPECT_EQ(table->Left(), 230) << inside.x;
    }

    const TPoint band = table->ClientToScreen({300, 20});
    const TPoint below = table->ClientToScreen({300, 40});
    auto hitTest = [&](TPoint at) {
        return table->Perform(TBJLResultTable::kHitTestMessage, 0, (at.y << 16) | (at.x & 0xFFFF));
    };
    EXPECT_EQ(hitTest(band), TBJLResultTable::kHitCaption);
    EXPECT_NE(hitTest(below), TBJLResultTable::kHitCaption);

    EXPECT_EQ(table->CloseButton().Left(), 475);
    platform.Click({230 + 480, 210 + 15});
    platform.RunUntilIdle();
    EXPECT_FALSE(table->Visible());
}

const std::string kGoldenRoad =
    (std::filesystem::path(__FILE__).parent_path().parent_path() / "golden" / "road.png").string();

// Twenty mixed games with Kings and pairs, as the road window shows them over the felt.
TEST_F(ResultTableTest, GoldenRoadAfterTwentyMixedGames) {
    Show({Game(B),
          Game(B, true),
          Game(P),
          Game(PK, false, true),
          Game(P),
          Game(T),
          Game(B, true, true),
          Game(BK),
          Game(B),
          Game(B),
          Game(B),
          Game(B),
          Game(B),
          Game(B, false, true),
          Game(P),
          Game(TS),
          Game(T, true),
          Game(P),
          Game(B),
          Game(P, true)});
    platform.RunUntilIdle();

    const std::string shot = test::SaveScreenshot(platform, form.WindowId(), "road.png");
    if (std::getenv("MORVANE_REFRESH_GOLDEN")) {
        std::filesystem::copy_file(shot, kGoldenRoad, std::filesystem::copy_options::overwrite_existing);
        GTEST_SKIP() << "golden picture rewritten: " << kGoldenRoad;
    }
    TPngImage actual;
    TPngImage golden;
    ASSERT_TRUE(actual.LoadFromFile(shot)) << actual.Error();
    ASSERT_TRUE(golden.LoadFromFile(kGoldenRoad))
        << golden.Error() << "\nmake it with scripts/refresh-golden after checking " << shot;
    EXPECT_TRUE(actual == golden) << "the road table draws differently from " << kGoldenRoad << "; look at "
                                  << shot << " and, if the change is meant, run scripts/refresh-golden";
}

} // namespace
} // namespace morvane
