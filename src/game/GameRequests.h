#pragma once

#include "game/TwoEightPublic.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The requests the table sends to the server, each written at its exact length. The server side reads them
// back; a request shorter than its layout, or naming a region or a chair that does not exist, reads as
// nothing.
namespace morvane {

// A chip laid on a region.
struct TBetRequest {
    static constexpr std::size_t kSize = 19;
    std::int64_t UserId{0};
    std::uint8_t Chair{0};
    std::int64_t Amount{0};
    std::uint8_t Region{0};

    std::vector<std::uint8_t> Write() const;
    static std::optional<TBetRequest> Read(std::span<const std::uint8_t> record);
    friend bool operator==(const TBetRequest&, const TBetRequest&) = default;
};

// Joining the banker queue, or leaving it (or the banker seat).
struct TBankerRequest {
    static constexpr std::size_t kSize = 11;
    static constexpr std::uint8_t kApply = 0;
    static constexpr std::uint8_t kWithdraw = 1;
    std::uint8_t Action{kApply};
    std::int64_t UserId{0};
    std::uint8_t Chair{0};

    std::vector<std::uint8_t> Write() const;
    static std::optional<TBankerRequest> Read(std::span<const std::uint8_t> record);
    friend bool operator==(const TBankerRequest&, const TBankerRequest&) = default;
};

// Seizing the banker seat.
struct TGrabBankerRequest {
    static constexpr std::size_t kSize = 9;
    std::int64_t UserId{0};

    std::vector<std::uint8_t> Write() const;
    static std::optional<TGrabBankerRequest> Read(std::span<const std::uint8_t> record);
    friend bool operator==(const TGrabBankerRequest&, const TGrabBankerRequest&) = default;
};

// A command button of the statistics window, or a poll for its figures.
struct TStatisticsRequest {
    static constexpr std::size_t kSize = 6;
    static constexpr std::uint8_t kCommand = 0;
    static constexpr std::uint8_t kPoll = 1;
    std::uint8_t Action{kPoll};
    // The command button's tag, or -1 for a poll.
    std::int32_t Argument{-1};

    std::vector<std::uint8_t> Write() const;
    static std::optional<TStatisticsRequest> Read(std::span<const std::uint8_t> record);
    friend bool operator==(const TStatisticsRequest&, const TStatisticsRequest&) = default;
};

} // namespace morvane
