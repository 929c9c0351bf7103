#include "host/server/BetLimits.h"

#include <algorithm>

namespace morvane::server {

TRegionAmounts AcceptableAmounts(const TRegionAmounts& t, const TBetLimitTerms& terms) {
    const std::int64_t base = std::min(terms.BankerBeans, terms.BankerPayoutCap);
    const std::int64_t pairs = 11 * t[7] + 11 * t[6];
    const std::int64_t bankerSide = base - 2 * t[1] + t[2] + t[3] + t[4] + t[5] - pairs;
    const std::int64_t playerSide = base + t[0] + t[1] - 2 * t[3] + t[4] + t[5] - pairs;
    std::array<std::int64_t, kRegionCount> caps;
    caps.fill(base);
    caps[brBanker] = bankerSide;
    if (terms.Hedging) {
        caps[brPlayer] = playerSide;
        caps[brTie] = base + t[0] + t[1] + t[2] + t[3] - 32 * t[5] - pairs;
    } else {
        caps[brBankerKing] = playerSide;
        caps[brPlayerKing] = base - 32 * t[5] - pairs;
    }
    TRegionAmounts acceptable{};
    for (int i = 0; i < kRegionCount; ++i) {
        const std::int64_t cap = std::min(caps[std::size_t(i)], terms.RegionPayoutCap);
        acceptable[std::size_t(i)] = cap / kBetRegions[std::size_t(i)].Odds - t[std::size_t(i)];
    }
    return acceptable;
}

} // namespace morvane::server
