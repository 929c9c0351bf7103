#pragma once

#include "host/server/BaccaratServer.h"

#include <cstdint>
#include <functional>
#include <string>

namespace morvane::tablesim {

// The round log's entry for one settled round, in UTF-8: the hands with their cards and points, the result
// and the pairs, every bet, everybody's net result with the new balance, the bank, and the local player's
// stake and balance as the table shows them.
struct TOwnFigures {
    std::int64_t UserId{0};
    std::int64_t Stake{0};
    std::int64_t Balance{0};
};
using TNameOf = std::function<std::string(std::int64_t userId)>; // GBK

std::string RoundLogEntry(const server::TBaccaratServer::TRoundReport& report, const TNameOf& nameOf,
                          const TOwnFigures& own);
// The line the simulators print as a round is settled, UTF-8 without its line end: "round 3/5: ..." (or
// "round 3: ..." when `rounds` is 0, an open-ended run).
std::string RoundProgressLine(const server::TBaccaratServer::TRoundReport& report, int rounds,
                              const TOwnFigures& own);
// What the user staked in the round.
std::int64_t StakeOf(const server::TBaccaratServer::TRoundReport& report, std::int64_t userId);

// "♠A ♥10 ♦K" for a hand.
std::string HandText(const server::THand& hand);
// "庄家赢 (天王)", "平局 (同点和)" ... in UTF-8.
std::string OutcomeText(const server::TRoundOutcome& outcome);

} // namespace morvane::tablesim
