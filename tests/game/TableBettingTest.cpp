#include "base/ByteWriter.h"
#include "game/GameRequests.h"
#include "game/TableFixture.h"
#include "game/TwoEightRules.h"
#include "graphics/TemplateOverlapPng.h"
#include "gui/Image.h"
#include "ui/PluginPictureButton.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace morvane::test {
namespace {

using ::testing::ElementsAre;

// Points inside the hit areas of the Banker, Player and Tie fields, and one on no field.
constexpr TPoint kOnBanker{600, 300};
constexpr TPoint kOnPlayer{100, 300};
constexpr TPoint kOnTie{400, 400};
constexpr TPoint kOffTheBoard{400, 150};
// The chip buttons of the room scene: 100, 1000, 5000, 1w, 5w, 10w.
constexpr int kChip100 = 0;
constexpr int kChip1w = 3;
constexpr int kChip10w = 5;

class TableBettingTest : public TableTest {
protected:
    void Betting(const TTableScene& scene = RoomScene(TGamePhase::Betting)) {
        SendScene(scene);
        TakeLines();
        TakeSounds();
        TakeFrames();
    }
    void PickChip(int button) { Table().ChipButtonClick(button); }
    void Bet(TPoint at) { ClickTable(at.x, at.y); }
    // The frame a bet goes to the host in: a table frame of command 1 around the 19-byte request.
    static std::vector<std::uint8_t> BetFrame(std::int64_t amount, std::uint8_t region) {
        ByteWriter writer;
        writer.WriteU8(3);
        writer.WriteI64(kMe);
        writer.WriteU8(1);
        writer.WriteU8(6);
        writer.WriteI64(kMe);
        writer.WriteU8(kMySeat);
        writer.WriteI64(amount);
        writer.WriteU8(region);
        return writer.Take();
    }
};

TEST_F(TableBettingTest, AcceptedClickSendsTheBetAndChangesNothingUntilTheNotice) {
    Start();
    Betting();
    PickChip(kChip1w);
    EXPECT_EQ(client->TableCursor(), 5);
    Bet(kOnPlayer);
    EXPECT_THAT(TakeFrames(), ElementsAre(BetFrame(10000, brPlayer)));
    EXPECT_EQ(client->Scene().OwnStakes[brPlayer], 0);

    SendBet(kMe, 10000, brPlayer, 10000, 25000);
    EXPECT_EQ(client->Scene().OwnStakes[brPlayer], 10000);
    EXPECT_EQ(client->Scene().TotalStakes[brPlayer], 25000);
    EXPECT_EQ(client->PlayerStake(), 10000);
    EXPECT_FALSE(client->ChipPile(brPlayer).Empty());
    EXPECT_THAT(TakeSounds(), ElementsAre("下注1w.wav"));
}

TEST_F(TableBettingTest, EveryRefusalExplainsItselfAndSendsNothing) {
    Start(8000);
    TTableScene scene = RoomScene(TGamePhase::Free);
    SendScene(scene);
    TakeLines();
    TakeFrames();
    PickChip(kChip100);
    Bet(kOnBanker);
    EXPECT_THAT(TakeLines(), ElementsAre("kind=7 现在不是下注时间，请稍后下注 "));
    scene.Phase = TGamePhase::Betting;
    Betting(scene);
    Table().TableMouseDown(TMouseButton::mbRight, kOnBanker.x, kOnBanker.y);
    EXPECT_EQ(client->TableCursor(), 0);
    Bet(kOnBanker);
    PickChip(kChip1w);
    Bet(kOnBanker);
    // Over the personal maximum: 95 000 on the table and a 1w chip.
    SendBet(kMe, 5000, brTie, 95000, 95000);
    Bet(kOnBanker);
    Bet(kOffTheBoard);
    scene.NoBanker = true;
    scene.AutoPass = true;
    SendScene(scene);
    Bet(kOnBanker);
    EXPECT_THAT(TakeLines(),
                ElementsAre("kind=7 下注失败，请选择正确的筹码 ", "kind=7 您的余额已不足，请及时充值",
                            "kind=7 下注失败，因为您的下注金额已经达到个人最大下注金额 ",
                            "kind=7 现在无人上庄，系统自动过牌，不能下注 "));
    EXPECT_TRUE(TakeRequests().empty());
}

TEST_F(TableBettingTest, TheBankerCannotBetOrPickAChip) {
    Start();
    TTableScene scene = RoomScene(TGamePhase::Betting);
    scene.BankerList[0] = {kMe, kMySeat};
    Betting(scene);
    PickChip(kChip100);
    EXPECT_EQ(client->TableCursor(), 0);
    EXPECT_FALSE(client->ChipButton(kChip100).Enabled());
    Table().TableMouseDown(TMouseButton::mbLeft, kOnBanker.x, kOnBanker.y);
    EXPECT_TRUE(TakeLines().empty());
    EXPECT_TRUE(TakeFrames().empty());
}

// Picking a chip, betting and highlighting ask whether the local chair is the banker's; only the chip
// buttons ask whether the local user is the banker.
TEST_F(TableBettingTest, TheBankersChairStopsChipsAndBetsWhileTheButtonsFollowTheBankersIdentity) {
    Start();
    Betting();
    PickChip(kChip100);
    TTableScene scene = RoomScene(TGamePhase::Betting);
    scene.BankerList[0] = {kBanker, kMySeat};
    SendScene(scene);
    EXPECT_TRUE(client->ChipButton(kChip100).Enabled());
    Table().TableMouseMove(kOnBanker.x, kOnBanker.y);
    EXPECT_FALSE(Table().RegionPicture(brBanker).Visible());
    Bet(kOnBanker);
    EXPECT_TRUE(TakeFrames().empty());
    EXPECT_TRUE(TakeLines().empty());
    PickChip(kChip1w);
    EXPECT_EQ(client->TableCursor(), 0);

    // The player is the banker by identity, on another chair: the buttons are shut, a chip can be picked.
    scene.BankerList[0] = {kMe, kBankerSeat};
    SendScene(scene);
    EXPECT_FALSE(client->ChipButton(kChip100).Enabled());
    PickChip(kChip100);
    EXPECT_EQ(client->TableCursor(), 1);
}

// The chip buttons are set by a refresh, not by a bet notice: a chip that was open when the round's
// refresh ran stays open after the player's own bet, and the click explains that the balance is short.
TEST_F(TableBettingTest, ChipButtonsWaitForTheRefreshAndTheClickExplainsAShortBalance) {
    Start(15000);
    Betting();
    EXPECT_TRUE(client->ChipButton(kChip1w).Enabled());
    PickChip(kChip1w);
    Bet(kOnPlayer);
    EXPECT_EQ(TakeRequests().size(), 1u);
    SendBet(kMe, 10000, brPlayer, 10000, 10000);
    EXPECT_TRUE(client->ChipButton(kChip1w).Enabled());
    Bet(kOnPlayer);
    EXPECT_THAT(TakeLines(), ElementsAre("kind=7 您的余额已不足，请及时充值"));
    EXPECT_TRUE(TakeRequests().empty());
    // The refusal refreshes the view, and now the button knows.
    EXPECT_FALSE(client->ChipButton(kChip1w).Enabled());
}

// A round that begins without a game-over frame counts its notices from 0: other players' chips on the
// two main fields are not thinned out by the round before.
TEST_F(TableBettingTest, GameStartCountsBetNoticesAfresh) {
    Start();
    Betting();
    for (int i = 1; i <= 70; ++i)
        SendBet(kOther, 100, brBanker, 100 * i, 100 * i);
    SendFrame(hostframes::GameStart());
    EXPECT_EQ(Table().BetNoticeCount(), 0);
    TakeSounds();
    for (int i = 1; i <= 20; ++i)
        SendBet(kOther, 100, brPlayer, 100 * i, 100 * i);
    EXPECT_EQ(TakeSounds().size(), 20u);
}

TEST_F(TableBettingTest, TwentyBetsInARowWithOneChipAndTheTwentyFirstIsRefused) {
    Start();
    Betting();
    PickChip(kChip100);
    for (int i = 0; i < 20; ++i)
        Bet(kOnBanker);
    EXPECT_EQ(TakeRequests().size(), 20u);
    Bet(kOnBanker);
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_THAT(TakeLines(), ElementsAre("kind=7 不要老用一个筹码，换用一下别的筹码吧"));
    // One bet with another chip, and the first chip may be used again.
    PickChip(kChip1w);
    Bet(kOnTie);
    PickChip(kChip100);
    Bet(kOnBanker);
    EXPECT_EQ(TakeRequests().size(), 2u);
    // A new round starts the count afresh.
    for (int i = 0; i < 19; ++i)
        Bet(kOnBanker);
    SendFrame(hostframes::GameStart());
    Table().ChipButtonClick(kChip100);
    TakeRequests();
    Bet(kOnBanker);
    EXPECT_EQ(TakeRequests().size(), 1u);
}

TEST_F(TableBettingTest, StakeAtTheMaximumIsAcceptedByTheClickButItsButtonIsDisabled) {
    Start();
    Betting();
    SendBet(kMe, 50000, brPlayer, 90000, 90000);
    // The buttons follow the stake at the next refresh.
    SendFrame(hostframes::Attribute(0, kMe, 0));
    EXPECT_FALSE(client->ChipButton(kChip1w).Enabled());
    EXPECT_TRUE(client->ChipButton(2).Enabled());
    EXPECT_FALSE(client->ChipButton(kChip10w).Enabled());
    PickChip(kChip1w);
    Bet(kOnPlayer);
    EXPECT_THAT(TakeFrames(), ElementsAre(BetFrame(10000, brPlayer)));
}

TEST_F(TableBettingTest, ChipButtonsOpenOnlyForBettingWithABankerAndEnoughBeans) {
    Start(20000);
    Betting();
    EXPECT_TRUE(client->ChipButton(kChip1w).Enabled());
    // 20 000 beans: a 5w chip cannot be covered.
    EXPECT_FALSE(client->ChipButton(4).Enabled());
    TTableScene scene = RoomScene(TGamePhase::Betting);
    scene.NoBanker = true;
    SendScene(scene);
    EXPECT_FALSE(client->ChipButton(kChip100).Enabled());
    SendScene(RoomScene(TGamePhase::Dealing));
    EXPECT_FALSE(client->ChipButton(kChip100).Enabled());
    EXPECT_EQ(client->TableCursor(), 0);
}

// Crowded rounds: past 60 notices other players' chips on Banker and Player appear (and sound) only
// sometimes, past 100 rarely; the totals follow every notice.
TEST_F(TableBettingTest, ChipsOfOtherPlayersThinOutPastSixtyAndAHundredNotices) {
    Start();
    Betting();
    auto soundsOver = [this](int notices, std::int64_t& total) {
        for (int i = 0; i < notices; ++i) {
            total += 100;
            SendBet(kOther, 100, brBanker, total, total);
        }
        return int(TakeSounds().size());
    };
    std::int64_t total = 0;
    EXPECT_EQ(soundsOver(60, total), 60);
    const int sometimes = soundsOver(40, total);
    EXPECT_GT(sometimes, 4);
    EXPECT_LT(sometimes, 26);
    const int rarely = soundsOver(200, total);
    EXPECT_GT(rarely, 10);
    EXPECT_LT(rarely, 50);
    EXPECT_EQ(client->Scene().TotalStakes[brBanker], 30000);
    // The side fields and the player's own bets are never thinned.
    SendBet(kOther, 100, brTie, 100, 100);
    SendBet(kMe, 100, brPlayer, 100, 100);
    EXPECT_EQ(TakeSounds().size(), 2u);
    EXPECT_EQ(Table().BetNoticeCount(), 302);
}

TEST_F(TableBettingTest, NoticesOutsideBettingAndOddAmountsChangeNoPile) {
    Start();
    SendScene(RoomScene(TGamePhase::Dealing));
    SendBet(kOther, 100, brBanker, 100, 100);
    EXPECT_EQ(client->Scene().TotalStakes[brBanker], 0);
    Betting();
    SendBet(kOther, 123, brTie, 123, 123);
    EXPECT_EQ(client->Scene().TotalStakes[brTie], 123);
    EXPECT_TRUE(client->ChipPile(brTie).Empty());
    EXPECT_TRUE(TakeSounds().empty());
}

TEST_F(TableBettingTest, ABetCatchesTheClockUpAndABigOneSparkles) {
    Start();
    Betting();
    EXPECT_EQ(Table().Clock().Value(), 20);
    SendBet(kOther, 100000, brTie, 100000, 100000, 6);
    EXPECT_EQ(Table().Clock().Value(), 14);
    EXPECT_TRUE(Table().BigBetSparkle().Running());
    EXPECT_EQ(Table().BigBetSparkle().Params().Left, 325);
    SendBet(kOther, 100, brTie, 100, 100100, 2);
    EXPECT_EQ(Table().Clock().Value(), 14);
}

TEST_F(TableBettingTest, PilesOfARoundJoinedLateAreBuiltFromTheTotalsOnce) {
    Start();
    TTableScene scene = RoomScene(TGamePhase::Betting);
    // 9 and 10 are below the smallest chip; 20 000 makes two 1w chips.
    scene.TotalStakes = {9, 0, 10, 0, 20000, 0, 0, 0};
    Betting(scene);
    EXPECT_TRUE(Table().PilesBuilt());
    EXPECT_TRUE(client->ChipPile(brBanker).Empty());
    EXPECT_TRUE(client->ChipPile(brPlayer).Empty());
    EXPECT_FALSE(client->ChipPile(brTie).Empty());
    EXPECT_TRUE(client->ChipPile(brTie).Visible());
    EXPECT_TRUE(Table().RegionTotal(brTie).Visible());
    EXPECT_EQ(Table().RegionTotal(brTie).TotalNum(), 20000);
    EXPECT_FALSE(Table().RegionTotal(brPlayerPair).Visible());
}

TEST_F(TableBettingTest, HoveringWithAChipHighlightsTheFieldUnderTheMouse) {
    Start();
    Betting();
    Table().TableMouseMove(kOnBanker.x, kOnBanker.y);
    EXPECT_FALSE(Table().RegionPicture(brBanker).Visible());
    PickChip(kChip100);
    Table().TableMouseMove(kOnBanker.x, kOnBanker.y);
    EXPECT_TRUE(Table().RegionPicture(brBanker).Visible());
    Table().TableMouseMove(kOnTie.x, kOnTie.y);
    EXPECT_TRUE(Table().RegionPicture(brTie).Visible());
    Table().TableMouseMove(kOffTheBoard.x, kOffTheBoard.y);
    EXPECT_FALSE(Table().RegionPicture(brBanker).Visible());
    EXPECT_FALSE(Table().RegionPicture(brTie).Visible());
    Table().TableMouseMove(900, 300);
    EXPECT_EQ(client->TableCursor(), 0);
}

// [SECTION] The rules on their own

TEST(TwoEightRulesTest, AcceptableAmountsWithAndWithoutHedging) {
    TAcceptableInputs inputs;
    inputs.Totals = {100000, 2000, 50000, 1000, 5000, 500, 1000, 2000};
    inputs.BankerBeans = 5000000;
    inputs.BankerPayoutCap = 3000000;
    inputs.RegionPayoutCap = 10000000;
    EXPECT_EQ(AcceptableAmounts(inputs),
              (TRegionAmounts{2919500, 1534250, 2950000, 1474500, 370000, 93250, 271727, 270727}));
    inputs.Hedging = true;
    EXPECT_EQ(AcceptableAmounts(inputs),
              (TRegionAmounts{2919500, 1498000, 3022500, 1499000, 383000, 93250, 271727, 270727}));
    // The single region's cap holds every region; the banker's beans below the payout cap hold the base.
    inputs.RegionPayoutCap = 2000000;
    EXPECT_EQ(AcceptableAmounts(inputs)[0], 1900000);
    inputs.BankerBeans = 800000;
    inputs.Totals = {5000000, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(AcceptableAmounts(inputs)[brBanker], 0);
    EXPECT_EQ(AcceptableAmounts(inputs)[brTie], 250000);
}

TEST(TwoEightRulesTest, HitAreasExcludeTheirRightAndBottomEdges) {
    EXPECT_EQ(RegionAt(549, 284), 0);
    EXPECT_EQ(RegionAt(789, 449), 0);
    EXPECT_EQ(RegionAt(790, 300), std::nullopt);
    EXPECT_EQ(RegionAt(600, 450), std::nullopt);
    EXPECT_EQ(RegionAt(263, 348), 4);
    EXPECT_EQ(RegionAt(30, 210), 7);
    EXPECT_EQ(ChipValueOfCursor(10), 5000000);
    EXPECT_EQ(ChipValueOfCursor(11), 0);
    EXPECT_EQ(ChipSoundName(50000), "下注5W.wav");
    EXPECT_EQ(ChipSoundName(70000), "");
}

} // namespace
} // namespace morvane::test
