#pragma once

#include "game/TwoEightPublic.h"

#include <array>
#include <cstdint>
#include <string>

namespace morvane::server {

// The rules of one simulated table: phase times, chips, limits, the banker's terms and the switches the
// scene carries. The defaults make a lively table: short phases, six chips from 100 to 100 000.
struct TServerSettings {
    int FreeSeconds{5};
    int BettingSeconds{15};
    int DealingSeconds{8};
    int SettlementSeconds{6};

    // Chip index 0..9 of the six chip buttons, smallest first.
    std::array<int, kChipButtonCount> ChipIndices{0, 2, 3, 4, 5, 6};
    std::int64_t PersonalStakeCap{500000};
    std::int64_t RegionPayoutCap{20000000};
    std::int64_t BankerPayoutCap{50000000};

    std::int64_t BankerApplyBeans{1000000};
    // A banker whose beans fall below this leaves the seat after the round.
    std::int64_t BankerKeepBeans{200000};
    bool GrabAllowed{true};
    std::int64_t GrabPrice{100000};
    std::uint16_t GrabAfterRounds{3};
    std::uint16_t MinBankerRounds{3};
    std::int64_t EarlyLeavePenalty{10000};

    bool Hedging{false};
    // With nobody banking, rounds are dealt without bets instead of the table waiting for a banker.
    bool AutoPass{true};
    bool StatisticsAllowed{true};

    std::int32_t ThirdCardPauseMs{600};
    std::int32_t CardFlightStepMs{150};
    std::int32_t DealStartDelayMs{400};

    std::string StatusText{"游戏开始，请下注..."};
    std::string NoBankerText{"无人上庄"};
    std::string BeanName{"游戏豆"};
    std::string ScoreName{"积分"};
    std::string MoneyName{"星币"};

    std::int64_t CofferMinAmount{100};
    std::string SecurityQuestion{"您的出生地是哪里？"};
};

} // namespace morvane::server
