#pragma once

#include "game/TwoEightPublic.h"

#include <cstdint>
#include <string>
#include <vector>

// The drawing and paying rules of the table: the points of a hand, when each hand takes a third card, the
// result code of a round and what every region pays.
namespace morvane::server {

class TBaccaratShoe;

// A card code 0..51 (joker codes count as picture cards).
using TCardCode = int;
using THand = std::vector<TCardCode>;

// Ace 1, two to nine at face value, tens and picture cards 0.
int CardPoints(TCardCode card);
// The sum of the cards' points modulo 10.
int HandPoints(const THand& hand);
// 1 ace .. 13 king.
int CardRank(TCardCode card);

// The Player draws a third card on 0..5 and stands on 6..9.
bool PlayerDrawsThird(const THand& player);
// The Banker's third-card table: on 0..2 always; on 3 unless the Player's third card was an 8; on 4 when
// it was 2..7; on 5 when it was 4..7; on 6 when it was 6 or 7; never on 7. A Player who stood leaves the
// Banker to draw on 0..5.
bool BankerDrawsThird(const THand& banker, const THand& player);

// The two hands of one round, in dealing order.
struct TRoundCards {
    THand Player;
    THand Banker;
};

// Deals one round from the shoe: Player, Banker, Player, Banker, then the third cards the rules call for.
// A natural 8 or 9 in either hand ends the deal after four cards.
TRoundCards DealRound(TBaccaratShoe& shoe);
// The same rules over a card sequence already known (for tests and replays): takes cards from `cards`
// in dealing order; the cards it did not need are left out.
TRoundCards DealFrom(const std::vector<TCardCode>& cards);

// How the round came out, as the table shows it.
struct TRoundOutcome {
    std::uint8_t ResultCode{0};
    int BankerPoints{0};
    int PlayerPoints{0};
    bool BankerPair{false};
    bool PlayerPair{false};
};

// Banker or Player winning with 8 or 9 is the King code (1, 3); a tie whose hands hold the same ranks is
// the same-point tie (5); the pairs come from the first two cards of each hand.
TRoundOutcome Judge(const TRoundCards& cards);

// The regions this outcome pays: the result's own (an odd code also the one before it) and the pairs.
std::array<bool, kRegionCount> PayingRegions(const TRoundOutcome& outcome);

// What a player gets back from `stakes` (a winning region returns stake × (odds + 1); on a tie the Banker
// and Player stakes come back) and the net result against what was staked.
struct TSettlement {
    std::int64_t Returned{0};
    std::int64_t Staked{0};
    std::int64_t Net() const { return Returned - Staked; }
};
TSettlement Settle(const TRegionAmounts& stakes, const TRoundOutcome& outcome);

// The card string of a hand in the table's card alphabet.
std::string CardString(const THand& hand);

} // namespace morvane::server
