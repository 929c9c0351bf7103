#include "game/TableFixture.h"
#include "game/TableLayout.h"
#include "game/TwoEightRules.h"
#include "graphics/BarPictures.h"
#include "gui/PngImage.h"
#include "support/RoadGames.h"
#include "support/headless/GoldenPicture.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace morvane::test {
namespace {

// The whole table in each phase, as a player sees it, against the pictures in tests/golden/.
class TableGoldenTest : public TableTest {
protected:
    void ExpectPicture(const std::string& name) {
        platform.RunUntilIdle();
        ExpectGolden(platform, form->WindowId(), name);
    }
    // Twelve games on the roads, so that the bars look like a table that has been open a while.
    static void FillRoads(TTableScene& scene) {
        std::vector<TBarRoadEntry> games = test::roads::SampleBarGames();
        games.resize(12);
        for (std::size_t i = 0; i < games.size(); ++i) {
            scene.BarRoad[i] = games[i];
            scene.ResultRoad[i] = {games[i].ResultCode, std::uint8_t(i % 5 == 0), std::uint8_t(i % 7 == 3)};
        }
        scene.ResultRoadCount = int(games.size());
        TAcceptableInputs limits{scene.TotalStakes, scene.BankerBeans, scene.BankerPayoutCap,
                                 scene.RegionPayoutCap, scene.Hedging};
        scene.AcceptableAmounts = AcceptableAmounts(limits);
    }
};

TEST_F(TableGoldenTest, FreeTimeWithNoBanker) {
    Start();
    TTableScene scene = RoomScene(TGamePhase::Free);
    scene.BankerList[0] = {};
    scene.NoBankerText = "现在无人上庄，请玩家申请上庄，上庄后即可开始游戏";
    SendScene(scene);
    ExpectPicture("table-free.png");
}

TEST_F(TableGoldenTest, BettingWithPilesOwnStakesAndAHighlightedField) {
    Start();
    TTableScene scene = RoomScene(TGamePhase::Betting);
    scene.BankerList[1] = {kOther, kOtherSeat};
    scene.PhaseElapsed = 6;
    FillRoads(scene);
    SendScene(scene);
    const std::array<std::tuple<std::int64_t, std::int64_t, std::uint8_t>, 9> bets{
        {{kOther, 50000, brBanker},
         {kMe, 10000, brPlayer},
         {kOther, 5000, brTie},
         {kMe, 1000, brPlayer},
         {kOther, 100000, brBanker},
         {kMe, 5000, brBankerPair},
         {kOther, 1000, brPlayerKing},
         {kOther, 10000, brPlayer},
         {kMe, 100, brSamePointTie}}};
    TRegionAmounts totals{};
    TRegionAmounts mine{};
    for (const auto& [user, amount, region] : bets) {
        totals[region] += amount;
        if (user == kMe) mine[region] += amount;
        SendBet(user, amount, region, user == kMe ? mine[region] : amount, totals[region], 6);
    }
    // The region numbers show on the next refresh of the table.
    SendFrame(hostframes::Attribute(0, kMe, 0));
    Table().ChipButtonClick(3);
    Table().TableMouseMove(100, 300);
    ExpectPicture("table-betting.png");
}

TEST_F(TableGoldenTest, DealingWithACardInFlight) {
    Start();
    TTableScene scene = RoomScene(TGamePhase::Dealing);
    scene.PlayerCards = "Dc";
    scene.BankerCards = "jPI";
    scene.TotalStakes = {150000, 0, 21000, 1000, 5000, 100, 5000, 0};
    scene.OwnStakes = {0, 0, 11000, 0, 0, 100, 5000, 0};
    FillRoads(scene);
    SendScene(scene);
    // Three cards have landed and the fourth is on its way.
    while (Table().BankerHand().Count() < 1 || Table().PlayerHand().Count() < 2)
        Run(Table().DealingTimer().Interval());
    Run(Table().DealingTimer().Interval());
    ASSERT_TRUE(Table().FlyingCard().Visible());
    ExpectPicture("table-dealing.png");
}

TEST_F(TableGoldenTest, SettlementWithThePanelAndABlinkingWinner) {
    Start();
    TTableScene scene = RoomScene(TGamePhase::Dealing);
    scene.PlayerCards = "Dc";
    scene.BankerCards = "jPI";
    scene.TotalStakes = {150000, 0, 21000, 1000, 5000, 100, 5000, 0};
    scene.OwnStakes = {0, 0, 11000, 0, 0, 100, 5000, 0};
    FillRoads(scene);
    SendScene(scene);
    SendFrame(hostframes::ScoreBlock(
        2, 2, {{kMe, 0, 100, -16100, kMyBeans - 16100}, {kBanker, 0, 5000, 1234567, 6234567}}));
    TSettlementNotice notice;
    notice.ResultCode = rcBanker;
    notice.PointsA = 9;
    notice.PointsB = 7;
    notice.OwnStakes = scene.OwnStakes;
    notice.NetResult = -16100;
    SendNotice(notice.Write());
    scene.Phase = TGamePhase::Settlement;
    SendScene(scene);
    Run(400);
    ExpectPicture("table-settlement.png");
}

// The numbers of the King fields are drawn over the board picture, so the board's captions must lie
// where no number can reach: a seven-digit own stake (from the left of its line) and a seven-digit region
// total (centred above it) touch no caption ink, which is light (its outline) where the field is dark.
TEST_F(TableGoldenTest, SevenDigitNumbersOfTheKingFieldsKeepClearOfTheirCaptions) {
    Start();
    TTableScene scene = RoomScene(TGamePhase::Betting);
    for (const std::uint8_t region : {brBankerKing, brPlayerKing, brSamePointTie}) {
        scene.TotalStakes[region] = 9999999;
        scene.OwnStakes[region] = 9999999;
    }
    SendScene(scene);
    platform.RunUntilIdle();
    const TPngImage board = BarPicture("MainBetRegPng");
    ASSERT_FALSE(board.Empty());
    const auto captionInkIn = [&](const TControl& number) {
        int ink = 0;
        // One pixel of room on either side, as digits and caption must not touch.
        for (int y = number.Top(); y < number.Top() + number.Height(); ++y) {
            for (int x = number.Left() - 1; x <= number.Left() + number.Width(); ++x) {
                const int bx = x - tablelayout::kBoardAt.x;
                const int by = y - tablelayout::kBoardAt.y;
                if (bx < 0 || by < 0 || bx >= board.Width() || by >= board.Height()) continue;
                const std::uint8_t* p = board.Scanline(by) + std::size_t(bx) * 4;
                if (p[3] > 128 && p[0] > 190 && p[1] > 190) ++ink;
            }
        }
        return ink;
    };
    for (const std::uint8_t region : {brBankerKing, brPlayerKing, brSamePointTie}) {
        const TPngNumber& own = Table().OwnStake(region);
        const TPngNumber& total = Table().RegionTotal(region);
        ASSERT_TRUE(own.Visible() && total.Visible()) << int(region);
        EXPECT_GE(own.Width(), 7 * own.DigitWidth()) << int(region);
        EXPECT_EQ(captionInkIn(own), 0) << "own stake of region " << int(region);
        EXPECT_EQ(captionInkIn(total), 0) << "total of region " << int(region);
    }
}

} // namespace
} // namespace morvane::test
