#pragma once

#include "game/TwoEightPublic.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The notices the server sends while a round runs. Each is read from a record that starts with its id and
// is at least as long as its layout (a shorter one, or one with another id, reads as nothing), and written
// at its exact length with the bytes the table does not read left zero.
namespace morvane {

// A bet of any player was accepted.
struct TBetNotice {
    static constexpr std::size_t kSize = 103;
    std::int64_t UserId{0};
    std::int64_t Amount{0};
    std::uint8_t Region{0};
    // The bettor's and everybody's stake on the region after this bet.
    std::int64_t UserStake{0};
    std::int64_t RegionTotal{0};
    std::int32_t PhaseElapsed{0};

    // A notice for a region that does not exist cannot be applied and reads as nothing.
    static std::optional<TBetNotice> Read(std::span<const std::uint8_t> record);
    std::vector<std::uint8_t> Write() const;
    friend bool operator==(const TBetNotice&, const TBetNotice&) = default;
};

// The round is settled.
struct TSettlementNotice {
    static constexpr std::size_t kSize = 86;
    // kNoResult when the byte is no result code: the round still settles, no region is marked as won.
    std::uint8_t ResultCode{kNoResult};
    std::uint8_t PointsA{0};
    std::uint8_t PointsB{0};
    TRegionAmounts OwnStakes{};
    std::int64_t NetResult{0};
    bool PlayerPair{false};
    bool BankerPair{false};

    // Whether the local player had anything on the table this round.
    bool TookPart() const;
    static std::optional<TSettlementNotice> Read(std::span<const std::uint8_t> record);
    std::vector<std::uint8_t> Write() const;
    friend bool operator==(const TSettlementNotice&, const TSettlementNotice&) = default;
};

// The banker or the queue changed.
struct TBankerListNotice {
    static constexpr std::size_t kSize = 23 + kBankerListBytes;
    // Zero: somebody is banker now, so the no-banker state ends.
    std::uint8_t BankerState{0};
    std::int64_t BankerWinnings{0};
    std::int32_t BankerRounds{0};
    TBankerList BankerList{};

    bool ClearsNoBanker() const { return BankerState == 0; }
    static std::optional<TBankerListNotice> Read(std::span<const std::uint8_t> record);
    std::vector<std::uint8_t> Write() const;
    friend bool operator==(const TBankerListNotice&, const TBankerListNotice&) = default;
};

// The answer to the local player's request to seize the bank.
struct TGrabBankerReply {
    static constexpr std::size_t kSize = 13;
    static constexpr std::int32_t kFailed = -1;
    static constexpr std::int32_t kNotNow = 1;
    static constexpr std::int32_t kNotEnoughBeans = 2;
    std::int32_t Outcome{0};

    static std::optional<TGrabBankerReply> Read(std::span<const std::uint8_t> record);
    std::vector<std::uint8_t> Write() const;
    friend bool operator==(const TGrabBankerReply&, const TGrabBankerReply&) = default;
};

// What the computer's players have on each region, for the statistics window.
struct TComputerBetNotice {
    static constexpr std::size_t kSize = 146;
    // 1: the computer is banker; 0: a player is.
    std::uint8_t BankerKind{0};
    TRegionAmounts Amounts{};

    bool ComputerIsBanker() const { return BankerKind == 1; }
    static std::optional<TComputerBetNotice> Read(std::span<const std::uint8_t> record);
    std::vector<std::uint8_t> Write() const;
    friend bool operator==(const TComputerBetNotice&, const TComputerBetNotice&) = default;
};

} // namespace morvane
