#pragma once

#include "game/TwoEightPublic.h"

#include <cstdint>

namespace morvane::server {

// What each region can still take, given everybody's stakes: the bank's exposure limited by the banker's
// beans, the banker payout cap and the single-region cap, with the stakes that would offset a region's
// payout counted in (two formulas, chosen by the hedging switch). The table computes the same figures
// from the bet notices, so the server refuses exactly what the table shows as full.
struct TBetLimitTerms {
    std::int64_t BankerBeans{0};
    std::int64_t BankerPayoutCap{0};
    std::int64_t RegionPayoutCap{0};
    bool Hedging{false};
};

TRegionAmounts AcceptableAmounts(const TRegionAmounts& totals, const TBetLimitTerms& terms);

} // namespace morvane::server
