#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "graphics/ChipValues.h"
#include "graphics/GameResults.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The vocabulary the table and the game server share: bet regions and what a result wins, the banker
// queue, chairs and chips, and the ids of the records they exchange.
namespace morvane {

// [SECTION] Bet regions

inline constexpr int kRegionCount = 8;

// The first six regions are those a result code names as won.
enum TBetRegion : std::uint8_t {
    brBanker = rcBanker,
    brBankerKing = rcBankerKing,
    brPlayer = rcPlayer,
    brPlayerKing = rcPlayerKing,
    brTie = rcTie,
    brSamePointTie = rcSamePointTie,
    brBankerPair = 6,
    brPlayerPair = 7,
};

struct TBetRegionInfo {
    std::string_view Name;
    // The highlight laid over the board. The pair fields use the pictures as the board is drawn: region 6,
    // on the Banker's side, wears `bll_IdlPair` and region 7 `bll_landPair`.
    std::string_view Picture;
    // The payout multiple the betting limits are computed with.
    int Odds;
};

inline constexpr std::array<TBetRegionInfo, kRegionCount> kBetRegions{{
    {"庄", "bll_landRegion", 1},
    {"庄天王", "bll_landKingRegion", 2},
    {"闲", "bll_IdleRegion", 1},
    {"闲天王", "bll_IdlKingRegion", 2},
    {"和", "bll_PingRegion", 8},
    {"同点和", "bll_PingKingRegion", 32},
    {"庄对子", "bll_IdlPair", 11},
    {"闲对子", "bll_landPair", 11},
}};

constexpr bool IsBetRegion(int region) {
    return region >= 0 && region < kRegionCount;
}

// One amount per region, indexed by TBetRegion.
using TRegionAmounts = std::array<std::int64_t, kRegionCount>;

// [SECTION] Results

// "庄家赢", "闲家赢", "平局"; empty for no result.
std::string_view ResultName(int code);

// The regions a result marks as won: its own and, for an odd code, the region before it. None for a byte
// that is no result code.
std::array<bool, kRegionCount> WinningRegions(int code);

// [SECTION] Chairs and the banker queue

inline constexpr int kChairCount = 200;
// A chair in a record that names nobody.
inline constexpr std::int32_t kNoChair = -1;

constexpr bool IsChair(int chair) {
    return chair >= 0 && chair < kChairCount;
}

struct TBankerListEntry {
    // Not positive: an empty slot.
    std::int64_t UserId{-1};
    // kNoChair, or a chair 0..199.
    std::int32_t Chair{kNoChair};

    bool Occupied() const { return UserId > 0; }
    friend bool operator==(const TBankerListEntry&, const TBankerListEntry&) = default;
};

// Entry 0 is the banker, entries 1..4 the players waiting in queue order; the first empty slot ends it.
inline constexpr int kBankerListLength = 5;
using TBankerList = std::array<TBankerListEntry, kBankerListLength>;
inline constexpr std::size_t kBankerListBytes = 16 * kBankerListLength;

// [SECTION] Chips

inline constexpr int kChipKinds = 10;
inline constexpr int kChipButtonCount = 6;
static_assert(kChipValues.size() == kChipKinds);
inline constexpr std::array<std::string_view, kChipKinds> kChipNames{"100", "500", "1000", "5000", "1w",
                                                                     "5w",  "10w", "50w",  "100w", "500w"};

constexpr bool IsChipIndex(int index) {
    return index >= 0 && index < kChipKinds;
}
// A chip index from the server brought into the table: below 0 is the smallest chip, above 9 the largest.
constexpr int ClampChipIndex(std::int64_t index) {
    return index < 0 ? 0 : index >= kChipKinds ? kChipKinds - 1 : int(index);
}

// [SECTION] Record ids

namespace GameRecord {
// Received as game notices (byte 0).
inline constexpr std::uint8_t Settlement = 2;
inline constexpr std::uint8_t Bet = 7;
inline constexpr std::uint8_t BankerList = 25;
inline constexpr std::uint8_t GrabBankerReply = 33;
inline constexpr std::uint8_t ComputerBet = 35;
// Notices the component base takes before the client sees them.
inline constexpr std::uint8_t BaseNoticeLow = 254;
inline constexpr std::uint8_t BaseNoticeHigh = 255;
// Sent.
inline constexpr std::uint8_t BetRequest = 6;
inline constexpr std::uint8_t BankerRequest = 24;
inline constexpr std::uint8_t GrabBankerRequest = 32;
inline constexpr std::uint8_t StatisticsRequest = 34;
} // namespace GameRecord

// The id of a game notice (its first byte), or nothing for an empty record.
inline std::optional<std::uint8_t> NoticeId(std::span<const std::uint8_t> record) {
    if (record.empty()) return std::nullopt;
    return record[0];
}

// [SECTION] Field helpers shared by the scene and the notices

// Five 16-byte entries: user id, chair, four bytes nobody reads. A chair outside 0..199 is read as none.
bool ReadBankerList(ByteReader& reader, TBankerList& list);
void WriteBankerList(ByteWriter& writer, const TBankerList& list);

// 64 entries of three bytes. An entry that is not valid is read as an empty slot (all 0xFF).
bool ReadBarRoad(ByteReader& reader, TBarRoad& road);
void WriteBarRoad(ByteWriter& writer, const TBarRoad& road);
// 64 entries of three bytes; result bytes that are no result code are read as kNoResult.
bool ReadResultRoad(ByteReader& reader, TResultRoad& road);
void WriteResultRoad(ByteWriter& writer, const TResultRoad& road);

bool ReadRegionAmounts(ByteReader& reader, TRegionAmounts& amounts);
void WriteRegionAmounts(ByteWriter& writer, const TRegionAmounts& amounts);

} // namespace morvane
