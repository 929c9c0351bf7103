#include "game/TableFixture.h"
#include "game/TwoEightRules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace morvane::test {
namespace {

using ::testing::ElementsAre;

// Spades in the card alphabet: A ace, B 2 … I 9, J 10, K jack, L queen, M king.
class TableDealingTest : public TableTest {
protected:
    TTableScene Dealing(const std::string& player, const std::string& banker, int pauseMs = 0) {
        TTableScene scene = RoomScene(TGamePhase::Dealing);
        scene.PlayerCards = player;
        scene.BankerCards = banker;
        scene.ThirdCardPauseMs = pauseMs;
        return scene;
    }
    // Runs the dealing timer tick by tick and notes every card that lands, as "P:<card>" or "B:<card>".
    std::vector<std::string> Landings(int mostTicks = 60) {
        std::vector<std::string> landed;
        std::string player = Table().PlayerHand().GetCards();
        std::string banker = Table().BankerHand().GetCards();
        for (int tick = 0; tick < mostTicks && Table().DealingTimer().Enabled(); ++tick) {
            Run(Table().DealingTimer().Interval());
            if (Table().PlayerHand().GetCards() != player)
                landed.push_back("P:" + Table().PlayerHand().GetCards().substr(player.size()));
            if (Table().BankerHand().GetCards() != banker)
                landed.push_back("B:" + Table().BankerHand().GetCards().substr(banker.size()));
            player = Table().PlayerHand().GetCards();
            banker = Table().BankerHand().GetCards();
        }
        return landed;
    }
    void SendSettlement(std::uint8_t code, std::int64_t net, bool playerPair = false, bool bankerPair = false,
                        std::int64_t stake = 0) {
        TSettlementNotice notice;
        notice.ResultCode = code;
        notice.PointsA = 7;
        notice.PointsB = 3;
        notice.OwnStakes[brPlayer] = stake;
        notice.NetResult = net;
        notice.PlayerPair = playerPair;
        notice.BankerPair = bankerPair;
        SendNotice(notice.Write());
    }
    void SendRoundResults(std::int64_t mine, std::int64_t bankers) {
        SendFrame(hostframes::ScoreBlock(
            2, 2, {{kMe, 0, 100, mine, kMyBeans + mine}, {kBanker, 0, 5000, bankers, 5000000 + bankers}}));
    }
};

TEST_F(TableDealingTest, TwoCardsEachAreDealtPlayerFirstInTurns) {
    Start();
    SendScene(Dealing("AB", "CD"));
    EXPECT_TRUE(Table().DealingTimer().Enabled());
    EXPECT_EQ(Table().DealingState(), TDealingState::PlayerTurn);
    EXPECT_THAT(Landings(), ElementsAre("P:A", "B:C", "P:B", "B:D"));
    EXPECT_EQ(Table().DealingState(), TDealingState::Done);
    EXPECT_FALSE(Table().FlyingCard().Visible());
    EXPECT_EQ(Table().PlayerLabel().Caption(), "3点");
    EXPECT_EQ(Table().BankerLabel().Caption(), "7点");
    EXPECT_EQ(client->TopBar().Notice().Caption(),
              "前两张牌闲家点数:3点 停止发牌\n\r前两张牌庄家点数:7点 停止发牌");
}

TEST_F(TableDealingTest, ThirdCardsFollowTheFirstFourAfterThePause) {
    Start();
    SendScene(Dealing("ABC", "DEF", 1500));
    std::vector<std::string> landed;
    // Four cards, then the commentary says both hands draw and the timer waits for the pause.
    while (landed.size() < 4 && Table().DealingTimer().Enabled())
        for (const std::string& card : Landings(1))
            landed.push_back(card);
    EXPECT_THAT(landed, ElementsAre("P:A", "B:D", "P:B", "B:E"));
    EXPECT_EQ(Table().DealingTimer().Interval(), 1500u);
    EXPECT_EQ(client->TopBar().Notice().Caption(),
              "前两张牌闲家点数:3点 闲家继续拿牌\n\r前两张牌庄家点数:天王(9) 庄家继续拿牌");
    EXPECT_THAT(Landings(), ElementsAre("P:C", "B:F"));
    EXPECT_EQ(Table().PlayerHand().GetCards(), "ABC");
    EXPECT_EQ(Table().BankerHand().GetCards(), "DEF");
    EXPECT_EQ(TakeSounds().size(), 6u);
}

TEST_F(TableDealingTest, OnlyThePlayerDrawsAThirdCard) {
    Start();
    SendScene(Dealing("ABC", "DE"));
    EXPECT_THAT(Landings(), ElementsAre("P:A", "B:D", "P:B", "B:E", "P:C"));
}

TEST_F(TableDealingTest, DealingNeedsBothHandsAndStartsOnlyOnce) {
    Start();
    SendScene(Dealing("AB", ""));
    EXPECT_FALSE(Table().DealingTimer().Enabled());
    SendScene(Dealing("AB", "CD"));
    Landings(8);
    const std::string dealt = Table().PlayerHand().GetCards() + Table().BankerHand().GetCards();
    EXPECT_FALSE(dealt.empty());
    // A second scene of the same deal neither empties the hands nor starts over.
    SendScene(Dealing("AB", "CD"));
    EXPECT_EQ(Table().PlayerHand().GetCards() + Table().BankerHand().GetCards(), dealt);
}

TEST_F(TableDealingTest, SettlementDuringTheDealShowsTheFullHandsAndNoCardTwice) {
    Start();
    SendScene(Dealing("ABC", "DE"));
    Landings(3);
    SendRoundResults(0, 0);
    SendSettlement(2, 0);
    EXPECT_EQ(Table().PlayerHand().GetCards(), "ABC");
    EXPECT_EQ(Table().BankerHand().GetCards(), "DE");
    Landings();
    EXPECT_EQ(Table().PlayerHand().GetCards(), "ABC");
    EXPECT_EQ(Table().BankerHand().GetCards(), "DE");
    EXPECT_TRUE(client->SettlementShown());
}

TEST_F(TableDealingTest, SettlementShowsThePanelTheResultLineAndFeedsTheBars) {
    Start();
    SendScene(Dealing("AG", "ML"));
    Landings();
    TakeSounds();
    SendRoundResults(1234567, 0);
    SendSettlement(3, 1234567, false, false, 10000);
    EXPECT_TRUE(Table().SettlementPicture().Visible());
    EXPECT_TRUE(Table().SettlementPanel().Visible());
    EXPECT_EQ(Table().SettlementPanel().WinCaption(), "赢取游戏豆");
    EXPECT_EQ(Table().SettlementPanel().OwnText(), "123 4567 ");
    EXPECT_EQ(Table().SettlementPanel().BankerText(), "0 ");
    EXPECT_EQ(Table().PlayerLabel().Caption(), "天王(8)");
    EXPECT_EQ(Table().BankerLabel().Caption(), "0点");
    const std::string notice = client->TopBar().Notice().Caption();
    EXPECT_TRUE(notice.ends_with("\n\r闲家:天王(8); 庄家:0点 结果:闲家赢")) << notice;
    EXPECT_THAT(TakeSounds(), ElementsAre("赢了.wav"));
    EXPECT_EQ(client->TopBar().Count(), 1);
    EXPECT_EQ(Table().BottomBar().Count(), 1);
    EXPECT_TRUE(Table().BlinkTimer().Enabled());
    // A seat request puts the panel away.
    client->RequestSeat(kMySeat, true);
    EXPECT_FALSE(Table().SettlementPicture().Visible());
}

TEST_F(TableDealingTest, ARoundThePlayerSatOutPlaysNoSound) {
    Start();
    SendScene(Dealing("AB", "CD"));
    TakeSounds();
    SendSettlement(0, -5000, false, false, 0);
    EXPECT_TRUE(TakeSounds().empty());
    SendScene(Dealing("AB", "CD"));
    SendSettlement(4, 0, false, false, 100);
    EXPECT_THAT(TakeSounds(), ElementsAre("平局.wav"));
    SendSettlement(0, -100, false, false, 100);
    EXPECT_THAT(TakeSounds(), ElementsAre("输了.wav"));
}

TEST_F(TableDealingTest, WinningFieldsBlinkThroughTheSettlementAndStayLitAfter) {
    Start();
    SendScene(Dealing("AB", "CD"));
    TTableScene scene = Dealing("AB", "CD");
    scene.Phase = TGamePhase::Settlement;
    SendScene(scene);
    SendSettlement(1, 0, true, false);
    Run(400);
    EXPECT_TRUE(Table().RegionPicture(brBanker).Visible());
    EXPECT_TRUE(Table().RegionPicture(brBankerKing).Visible());
    EXPECT_TRUE(Table().RegionPicture(brPlayerPair).Visible());
    EXPECT_FALSE(Table().RegionPicture(brBankerPair).Visible());
    EXPECT_FALSE(Table().RegionPicture(brPlayer).Visible());
    Run(400);
    EXPECT_FALSE(Table().RegionPicture(brBanker).Visible());
    EXPECT_FALSE(Table().RegionPicture(brPlayerPair).Visible());
    SendFrame(hostframes::GameOver());
    Run(400);
    EXPECT_FALSE(Table().BlinkTimer().Enabled());
    EXPECT_TRUE(Table().RegionPicture(brBanker).Visible());
    EXPECT_TRUE(Table().RegionPicture(brBankerKing).Visible());
}

TEST_F(TableDealingTest, ScoreBlockGivesTheRoundResultsOfPlayerAndBanker) {
    Start();
    SendScene(RoomScene(TGamePhase::Settlement));
    SendRoundResults(-20000, 35000);
    EXPECT_EQ(Table().OwnRoundResult(), -20000);
    EXPECT_EQ(Table().BankerRoundResult(), 35000);
}

// A round's figures are the round's own: a new game starts them at 0, so a player the score block does
// not name (who sat the round out) sees 0, not what he won the round before.
TEST_F(TableDealingTest, RoundResultsStartEachGameAtZero) {
    Start();
    SendScene(RoomScene(TGamePhase::Betting));
    SendRoundResults(12000, -12000);
    SendSettlement(2, 12000, false, false, 10000);
    EXPECT_EQ(Table().SettlementPanel().OwnText(), "1 2000 ");

    SendFrame(hostframes::GameStart());
    EXPECT_EQ(Table().OwnRoundResult(), 0);
    EXPECT_EQ(Table().BankerRoundResult(), 0);
    SendFrame(hostframes::ScoreBlock(2, 1, {{kBanker, 0, 5000, 3000, 5003000}}));
    SendSettlement(0, 0);
    EXPECT_EQ(Table().SettlementPanel().OwnText(), "0 ");
    EXPECT_EQ(Table().SettlementPanel().BankerText(), "3000 ");
}

// The hall may send the score block before or after the settlement notice: either way the panel, the
// bottom bar's mark, hit rate and total, and the banker's winnings take this round's figures.
TEST_F(TableDealingTest, AScoreBlockAfterTheSettlementReachesThePanelTheBottomBarAndTheBanker) {
    Start();
    SendScene(RoomScene(TGamePhase::Betting));
    SendRoundResults(-2000, 2000);
    SendSettlement(0, -2000, false, false, 2000);
    EXPECT_EQ(Table().BottomBar().Total(), -2000);
    EXPECT_EQ(client->Scene().BankerWinnings, 2000);

    SendFrame(hostframes::GameStart());
    SendSettlement(2, 5000, false, false, 5000);
    SendRoundResults(5000, -5000);
    EXPECT_EQ(Table().SettlementPanel().OwnText(), "5000 ");
    EXPECT_EQ(Table().SettlementPanel().BankerText(), "-5000 ");
    const TBjlBottomBar& bar = Table().BottomBar();
    EXPECT_EQ(bar.Count(), 2);
    EXPECT_TRUE(bar.Mark(1).Won);
    EXPECT_EQ(bar.GamesPlayed(), 2);
    EXPECT_EQ(bar.GamesWon(), 1);
    EXPECT_EQ(bar.Total(), 3000);
    EXPECT_EQ(bar.OwnValue(2).Caption(), "50%");
    EXPECT_EQ(client->Scene().BankerWinnings, -3000);

    // A later block of the same round (the hall corrects itself) replaces the figures, it does not add.
    SendRoundResults(-1000, 1000);
    EXPECT_EQ(Table().SettlementPanel().OwnText(), "-1000 ");
    EXPECT_FALSE(bar.Mark(1).Won);
    EXPECT_EQ(bar.GamesPlayed(), 2);
    EXPECT_EQ(bar.GamesWon(), 0);
    EXPECT_EQ(bar.Total(), -3000);
    EXPECT_EQ(client->Scene().BankerWinnings, 3000);

    // Once the game is over, a block changes nothing of the round before.
    SendFrame(hostframes::GameOver());
    SendRoundResults(7000, -7000);
    EXPECT_EQ(bar.Total(), -3000);
    EXPECT_EQ(client->Scene().BankerWinnings, 3000);
    // Nor once the next round's betting has begun, game-over frame or not.
    SendFrame(hostframes::GameStart());
    SendSettlement(2, 0, false, false, 100);
    SendScene(RoomScene(TGamePhase::Betting));
    SendRoundResults(9000, -9000);
    EXPECT_EQ(bar.GamesPlayed(), 3);
    EXPECT_EQ(bar.GamesWon(), 0);
    EXPECT_EQ(bar.Total(), -3000);
}

TEST(TwoEightRulesTest, HandLabelsCountRanksBelowTenModuloTen) {
    EXPECT_EQ(HandLabel("AG"), "天王(8)");
    EXPECT_EQ(HandLabel("ML"), "0点");
    EXPECT_EQ(HandLabel("DEM"), "天王(9)");
    EXPECT_EQ(HandLabel(""), "0点");
    EXPECT_EQ(HandPoints("IIB"), 0);
}

TEST(TwoEightRulesTest, StatusTextIsCutIntoLinesOf35BytesWithoutSplittingACharacter) {
    const std::string ascii35(35, 'a');
    EXPECT_EQ(WrapStatusText(ascii35), ascii35);
    EXPECT_EQ(WrapStatusText(ascii35 + "bc"), ascii35 + "\n\rbc");
    EXPECT_EQ(WrapStatusText(ascii35 + ascii35 + "xyz"), ascii35 + "\n\r" + ascii35 + "\n\rxyz");
    // A double-byte character on bytes 35 and 36 goes to the next line.
    const std::string text = std::string(34, 'a') + "庄" + "b";
    EXPECT_EQ(WrapStatusText(text), std::string(34, 'a') + "\n\r庄b");
}

} // namespace
} // namespace morvane::test
