#include "host/server/PuntoBanco.h"

#include "graphics/PngCardInfo.h"
#include "host/server/BaccaratShoe.h"

#include <algorithm>
#include <functional>

namespace morvane::server {

int CardRank(TCardCode card) {
    if (card >= kSmallJoker) return 13;
    return card % 13 + 1;
}

int CardPoints(TCardCode card) {
    const int rank = CardRank(card);
    return rank >= 10 ? 0 : rank;
}

int HandPoints(const THand& hand) {
    int sum = 0;
    for (TCardCode card : hand)
        sum += CardPoints(card);
    return sum % 10;
}

bool PlayerDrawsThird(const THand& player) {
    return HandPoints(player) <= 5;
}

bool BankerDrawsThird(const THand& banker, const THand& player) {
    const int points = HandPoints(banker);
    if (player.size() < 3) return points <= 5;
    const int third = CardPoints(player[2]);
    switch (points) {
    case 0:
    case 1:
    case 2:
        return true;
    case 3:
        return third != 8;
    case 4:
        return third >= 2 && third <= 7;
    case 5:
        return third >= 4 && third <= 7;
    case 6:
        return third == 6 || third == 7;
    default:
        return false;
    }
}

namespace {

TRoundCards Deal(const std::function<TCardCode()>& next) {
    TRoundCards cards;
    cards.Player.push_back(next());
    cards.Banker.push_back(next());
    cards.Player.push_back(next());
    cards.Banker.push_back(next());
    if (HandPoints(cards.Player) >= 8 || HandPoints(cards.Banker) >= 8) return cards;
    if (PlayerDrawsThird(cards.Player)) cards.Player.push_back(next());
    if (BankerDrawsThird(cards.Banker, cards.Player)) cards.Banker.push_back(next());
    return cards;
}

std::vector<int> SortedRanks(const THand& hand) {
    std::vector<int> ranks;
    for (TCardCode card : hand)
        ranks.push_back(CardRank(card));
    std::sort(ranks.begin(), ranks.end());
    return ranks;
}

bool IsPair(const THand& hand) {
    return hand.size() >= 2 && CardRank(hand[0]) == CardRank(hand[1]);
}

} // namespace

TRoundCards DealRound(TBaccaratShoe& shoe) {
    return Deal([&shoe] { return shoe.Draw(); });
}

TRoundCards DealFrom(const std::vector<TCardCode>& cards) {
    std::size_t at = 0;
    // A sequence too short for the deal repeats its last card rather than reading past its end.
    return Deal([&] { return cards.empty() ? 0 : cards[std::min(at++, cards.size() - 1)]; });
}

TRoundOutcome Judge(const TRoundCards& cards) {
    TRoundOutcome outcome;
    outcome.BankerPoints = HandPoints(cards.Banker);
    outcome.PlayerPoints = HandPoints(cards.Player);
    outcome.BankerPair = IsPair(cards.Banker);
    outcome.PlayerPair = IsPair(cards.Player);
    if (outcome.BankerPoints > outcome.PlayerPoints)
        outcome.ResultCode = outcome.BankerPoints >= 8 ? rcBankerKing : rcBanker;
    else if (outcome.PlayerPoints > outcome.BankerPoints)
        outcome.ResultCode = outcome.PlayerPoints >= 8 ? rcPlayerKing : rcPlayer;
    else
        outcome.ResultCode = SortedRanks(cards.Banker) == SortedRanks(cards.Player) ? rcSamePointTie : rcTie;
    return outcome;
}

std::array<bool, kRegionCount> PayingRegions(const TRoundOutcome& outcome) {
    std::array<bool, kRegionCount> paying = WinningRegions(outcome.ResultCode);
    paying[brBankerPair] = outcome.BankerPair;
    paying[brPlayerPair] = outcome.PlayerPair;
    return paying;
}

TSettlement Settle(const TRegionAmounts& stakes, const TRoundOutcome& outcome) {
    TSettlement settlement;
    const auto paying = PayingRegions(outcome);
    const bool tie = ResultKindOf(outcome.ResultCode) == TResultKind::Tie;
    for (int region = 0; region < kRegionCount; ++region) {
        const std::int64_t stake = stakes[std::size_t(region)];
        settlement.Staked += stake;
        if (paying[std::size_t(region)])
            settlement.Returned += stake * (kBetRegions[std::size_t(region)].Odds + 1);
        else if (tie && (region == brBanker || region == brPlayer))
            settlement.Returned += stake;
    }
    return settlement;
}

std::string CardString(const THand& hand) {
    std::string text;
    for (TCardCode card : hand)
        text += CardChar(card);
    return text;
}

} // namespace morvane::server
