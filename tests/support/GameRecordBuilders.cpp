#include "support/GameRecordBuilders.h"

#include <stdexcept>

namespace morvane::test {

TTableScene SampleScene() {
    TTableScene s;
    s.GameInProgress = true;
    s.BankerList = {{{1001, 12}, {1002, 47}, {1003, 199}, {1004, 0}, {-1, kNoChair}}};
    for (int r = 0; r < kRegionCount; ++r) {
        s.OwnStakes[r] = 100 * (r + 1);
        s.TotalStakes[r] = 100000 * (r + 1) + 7;
        s.AcceptableAmounts[r] = 3000000000LL + r;
    }
    for (int g = 0; g < 20; ++g) {
        auto code = std::uint8_t(g % kResultCodeCount);
        s.BarRoad[g] = {std::uint8_t(g % 10), std::uint8_t((g + 3) % 10), code};
        s.ResultRoad[g] = {code, std::uint8_t(g % 3 == 0), std::uint8_t(g % 4 == 0)};
    }
    s.LastPointsA = 7;
    s.LastPointsB = 5;
    s.BankerBeans = 98765432101LL;
    s.BankerWinnings = -1234567;
    s.PlayerCards = "Aax";
    s.BankerCards = "M1";
    s.ResultRoadCount = 20;
    s.LastResultCode = rcPlayerKing;
    s.BankerRounds = 11;
    s.Phase = TGamePhase::Betting;
    s.BettingTime = 25;
    s.FreeTime = 6;
    s.DealingTime = 13;
    s.NoBanker = false;
    s.Unused720 = 0x5A5A;
    s.AutoPass = true;
    s.StatusText = "请下注，庄家坐庄第11局";
    s.NoBankerText = "暂时无人坐庄";
    s.ChipIndices = {0, 2, 4, 6, 8, 9};
    s.Hedging = true;
    s.SettlementTime = 9;
    s.BankerApplyBeans = 5000000;
    s.BankerKeepBeans = 2000000;
    s.BankerPayoutCap = 80000000;
    s.RegionPayoutCap = 40000000;
    s.PersonalStakeCap = 1000000;
    s.PhaseElapsed = 4;
    s.ThirdCardPauseMs = 600;
    s.CardFlightStepMs = 30;
    s.DealStartDelayMs = 450;
    s.GrabAllowed = true;
    s.GrabPrice = 3000000;
    s.GrabAfterRounds = 5;
    s.MinBankerRounds = 3;
    s.EarlyLeavePenalty = 250000;
    s.StatisticsAllowed = true;
    return s;
}

TBytes SceneBytes(const TTableScene& scene) {
    return WriteTableScene(scene);
}

TBetNotice SampleBetNotice() {
    return {.UserId = 1002,
            .Amount = 50000,
            .Region = brTie,
            .UserStake = 150000,
            .RegionTotal = 910000,
            .PhaseElapsed = 8};
}

TSettlementNotice SampleSettlementNotice() {
    TSettlementNotice n;
    n.ResultCode = rcSamePointTie;
    n.PointsA = 6;
    n.PointsB = 6;
    n.OwnStakes = {0, 0, 0, 0, 10000, 500, 0, 0};
    n.NetResult = 96000;
    n.PlayerPair = true;
    n.BankerPair = false;
    return n;
}

TBankerListNotice SampleBankerListNotice() {
    TBankerListNotice n;
    n.BankerState = 0;
    n.BankerWinnings = 4500000;
    n.BankerRounds = 6;
    n.BankerList = {{{2001, 3}, {2002, 150}, {-1, kNoChair}, {-1, kNoChair}, {-1, kNoChair}}};
    return n;
}

TComputerBetNotice SampleComputerBetNotice() {
    TComputerBetNotice n;
    n.BankerKind = 1;
    n.Amounts = {11, 22, 33, 44, 55, 66, 77, 88};
    return n;
}

namespace {
void PokeLittleEndian(TBytes& bytes, std::size_t offset, std::uint64_t value, std::size_t width) {
    if (offset + width > bytes.size()) throw std::out_of_range("poke outside the record");
    for (std::size_t i = 0; i < width; ++i)
        bytes[offset + i] = std::uint8_t(value >> (8 * i));
}
std::uint64_t PeekLittleEndian(const TBytes& bytes, std::size_t offset, std::size_t width) {
    if (offset + width > bytes.size()) throw std::out_of_range("peek outside the record");
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value |= std::uint64_t(bytes[offset + i]) << (8 * i);
    return value;
}
} // namespace

void PokeU8(TBytes& bytes, std::size_t offset, std::uint8_t value) {
    PokeLittleEndian(bytes, offset, value, 1);
}
void PokeI32(TBytes& bytes, std::size_t offset, std::int32_t value) {
    PokeLittleEndian(bytes, offset, std::uint32_t(value), 4);
}
void PokeI64(TBytes& bytes, std::size_t offset, std::int64_t value) {
    PokeLittleEndian(bytes, offset, std::uint64_t(value), 8);
}
std::int64_t PeekI64(const TBytes& bytes, std::size_t offset) {
    return std::int64_t(PeekLittleEndian(bytes, offset, 8));
}
std::int32_t PeekI32(const TBytes& bytes, std::size_t offset) {
    return std::int32_t(PeekLittleEndian(bytes, offset, 4));
}

} // namespace morvane::test
