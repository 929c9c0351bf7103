#include "host/server/PuntoBanco.h"

#include "host/server/BaccaratShoe.h"

#include <gtest/gtest.h>
#include <map>

namespace morvane::server {
namespace {

// Card codes by rank: spades are codes 0..12, hearts 13..25.
constexpr int S(int rank) {
    return rank - 1;
}
constexpr int H(int rank) {
    return 13 + rank - 1;
}

// Cards in dealing order: Player, Banker, Player, Banker, then third cards.
TRoundCards Deal(std::vector<TCardCode> cards) {
    return DealFrom(cards);
}

TEST(PuntoBanco, PointsCountTensAndPicturesAsNothing) {
    EXPECT_EQ(HandPoints({S(1), S(7)}), 8);
    EXPECT_EQ(HandPoints({S(13), S(12)}), 0);
    EXPECT_EQ(HandPoints({S(4), S(5), S(13)}), 9);
    EXPECT_EQ(HandPoints({S(9), S(9), S(10)}), 8);
}

TEST(PuntoBanco, NaturalsEndTheDealAfterFourCards) {
    // Player 9 against Banker 3: no third cards for anyone, even though the Banker has 3.
    TRoundCards cards = Deal({S(4), S(1), S(5), S(2), S(7), S(7)});
    EXPECT_EQ(cards.Player.size(), 2u);
    EXPECT_EQ(cards.Banker.size(), 2u);
    // Banker natural 8 against Player 0.
    cards = Deal({S(10), S(3), S(13), S(5), S(1), S(1)});
    EXPECT_EQ(cards.Player.size(), 2u);
    EXPECT_EQ(cards.Banker.size(), 2u);
}

TEST(PuntoBanco, PlayerDrawsOnFiveAndStandsOnSix) {
    // Player 5, Banker 7: the Player draws, the Banker stands on 7.
    TRoundCards cards = Deal({S(2), S(3), S(3), S(4), S(9), S(1)});
    EXPECT_EQ(cards.Player.size(), 3u);
    EXPECT_EQ(cards.Banker.size(), 2u);
    // Player 6 stands; the Banker with 5 then draws because the Player stood.
    cards = Deal({S(3), S(2), S(3), S(3), S(9), S(1)});
    EXPECT_EQ(cards.Player.size(), 2u);
    EXPECT_EQ(cards.Banker.size(), 3u);
    EXPECT_EQ(cards.Banker[2], S(9));
    // Player 7 stands and a Banker 6 stands too.
    cards = Deal({S(3), S(3), S(4), S(3), S(9), S(1)});
    EXPECT_EQ(cards.Player.size(), 2u);
    EXPECT_EQ(cards.Banker.size(), 2u);
}

TEST(PuntoBanco, BankerThirdCardTableAgainstThePlayersThirdCard) {
    struct TCase {
        int bankerPoints;
        int playerThird;
        bool draws;
    };
    const TCase cases[] = {
        {2, 8, true},  {3, 8, false}, {3, 9, true},  {4, 1, false}, {4, 2, true},  {4, 7, true},
        {4, 8, false}, {5, 3, false}, {5, 4, true},  {5, 7, true},  {5, 8, false}, {6, 5, false},
        {6, 6, true},  {6, 7, true},  {6, 8, false}, {7, 6, false},
    };
    for (const TCase& c : cases) {
        // Player 0 (ten and king) draws the given third card; the Banker holds its points with a ten.
        const int third = c.playerThird == 10 ? S(10) : S(c.playerThird);
        const TRoundCards cards =
            Deal({S(10), H(c.bankerPoints == 0 ? 10 : c.bankerPoints), S(13), H(10), third, S(1)});
        ASSERT_EQ(cards.Player.size(), 3u);
        EXPECT_EQ(cards.Banker.size() == 3, c.draws)
            << "banker " << c.bankerPoints << " against a third card of " << c.playerThird;
    }
}

TEST(PuntoBanco, ResultCodesKingsTiesAndPairs) {
    // Banker 8 (natural) beats Player 5: the King code.
    TRoundOutcome outcome = Judge(Deal({S(2), S(4), S(3), H(4)}));
    EXPECT_EQ(outcome.ResultCode, rcBankerKing);
    EXPECT_TRUE(outcome.BankerPair);
    EXPECT_FALSE(outcome.PlayerPair);
    // Banker 7 beats Player 6: a plain Banker win.
    outcome = Judge(Deal({S(3), S(3), S(3), S(4)}));
    EXPECT_EQ(outcome.ResultCode, rcBanker);
    EXPECT_TRUE(outcome.PlayerPair);
    // Player 9 with three cards (4, 5, king) against Banker 7 who stood: the Player's King code.
    outcome = Judge(Deal({S(4), S(3), S(1), S(4), S(4), S(9)}));
    EXPECT_EQ(outcome.PlayerPoints, 9);
    EXPECT_EQ(outcome.ResultCode, rcPlayerKing);
    // Player 7 wins over Banker 6.
    outcome = Judge(Deal({S(3), S(3), S(4), S(3)}));
    EXPECT_EQ(outcome.ResultCode, rcPlayer);
    // Ties: the same ranks in both hands (in any order) are the same-point tie; other ranks a plain tie.
    outcome = Judge(Deal({S(3), H(13), S(13), H(3), S(10), S(10)}));
    EXPECT_EQ(outcome.ResultCode, rcSamePointTie);
    outcome = Judge(Deal({S(3), S(1), S(4), S(6)}));
    EXPECT_EQ(outcome.PlayerPoints, 7);
    EXPECT_EQ(outcome.BankerPoints, 7);
    EXPECT_EQ(outcome.ResultCode, rcTie);
}

TEST(PuntoBanco, SettlementReturnsStakeTimesOddsPlusOne) {
    TRegionAmounts stakes{};
    stakes[brBanker] = 1000;
    stakes[brBankerKing] = 500;
    stakes[brPlayer] = 300;
    stakes[brBankerPair] = 100;
    // A Banker King win with a Banker pair: Banker 1:1, Banker King 2:1, Banker pair 11:1; Player lost.
    TRoundOutcome outcome{1, 8, 5, true, false};
    TSettlement settlement = Settle(stakes, outcome);
    EXPECT_EQ(settlement.Staked, 1900);
    EXPECT_EQ(settlement.Returned, 2000 + 1500 + 1200);
    EXPECT_EQ(settlement.Net(), 2800);

    // A tie returns the Banker and Player stakes, pays the Tie 8:1 and takes the King fields.
    stakes = {};
    stakes[brBanker] = 1000;
    stakes[brPlayer] = 500;
    stakes[brBankerKing] = 200;
    stakes[brTie] = 100;
    settlement = Settle(stakes, {4, 6, 6, false, false});
    EXPECT_EQ(settlement.Returned, 1000 + 500 + 900);
    EXPECT_EQ(settlement.Net(), 2400 - 1800);
    // The same-point tie pays its own field 32:1 and the Tie as well.
    stakes[brSamePointTie] = 100;
    settlement = Settle(stakes, {5, 6, 6, false, false});
    EXPECT_EQ(settlement.Returned, 1000 + 500 + 900 + 3300);

    // A plain Player win: only the Player field and its pair pay.
    stakes = {};
    stakes[brPlayer] = 1000;
    stakes[brPlayerKing] = 1000;
    stakes[brPlayerPair] = 100;
    settlement = Settle(stakes, {2, 3, 6, false, true});
    EXPECT_EQ(settlement.Returned, 2000 + 1200);
}

TEST(PuntoBanco, DealingFromATooShortSequenceStaysInsideIt) {
    const TRoundCards cards = DealFrom({S(2)});
    EXPECT_EQ(cards.Player.size(), 3u);
    EXPECT_TRUE(DealFrom({}).Player.size() >= 2);
}

TEST(BaccaratShoe, HoldsEightFullDecksAndShufflesAtTheCutCard) {
    TBaccaratShoe shoe(7);
    std::map<int, int> counts;
    while (!shoe.CutCardReached())
        ++counts[shoe.Draw()];
    EXPECT_EQ(shoe.CardsLeft(), TBaccaratShoe::kBehindCut);
    for (int i = 0; i < TBaccaratShoe::kBehindCut; ++i)
        ++counts[shoe.Draw()];
    ASSERT_EQ(counts.size(), 52u);
    for (const auto& [code, count] : counts)
        EXPECT_EQ(count, 8) << "card " << code;
    // Past its last card the shoe starts over, freshly shuffled.
    EXPECT_EQ(shoe.ShoeNumber(), 1);
    shoe.Draw();
    EXPECT_EQ(shoe.ShoeNumber(), 2);
    EXPECT_EQ(shoe.CardsLeft(), TBaccaratShoe::kCards - 1);
}

TEST(BaccaratShoe, HundredThousandRoundsComeOutAtTheKnownFrequencies) {
    TBaccaratShoe shoe(20261209);
    constexpr int kRounds = 100000;
    int banker = 0, player = 0, tie = 0;
    for (int round = 0; round < kRounds; ++round) {
        if (shoe.CutCardReached()) shoe.Shuffle();
        switch (ResultKindOf(Judge(DealRound(shoe)).ResultCode)) {
        case TResultKind::Banker:
            ++banker;
            break;
        case TResultKind::Player:
            ++player;
            break;
        default:
            ++tie;
            break;
        }
    }
    EXPECT_NEAR(100.0 * banker / kRounds, 45.86, 0.5);
    EXPECT_NEAR(100.0 * player / kRounds, 44.62, 0.5);
    EXPECT_NEAR(100.0 * tie / kRounds, 9.52, 0.5);
}

} // namespace
} // namespace morvane::server
