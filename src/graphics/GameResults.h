#pragma once

#include <array>
#include <cstdint>

// How a game ended and how the road remembers it, as the server sends it and every road and bar shows
// it: the result code, the side it counts for, and the two three-byte road entries.
namespace morvane {

// [SECTION] Result codes

// A result code is the index of the winning bet region; an odd code (a King win, a same-point Tie) also
// wins the plain region before it.
enum TResultCode : std::uint8_t {
    rcBanker = 0,
    rcBankerKing = 1,
    rcPlayer = 2,
    rcPlayerKing = 3,
    rcTie = 4,
    rcSamePointTie = 5,
};
inline constexpr int kResultCodeCount = 6;
// What an unusable result byte is read as: the mark of an empty road slot, which the bars and the road
// table already skip, so no consumer ever indexes a table with it.
inline constexpr std::uint8_t kNoResult = 0xFF;

constexpr bool IsResultCode(int code) {
    return code >= 0 && code < kResultCodeCount;
}
constexpr std::uint8_t SanitizeResultCode(std::uint8_t code) {
    return IsResultCode(code) ? code : kNoResult;
}
// A King win or a same-point Tie.
constexpr bool IsSpecialResult(int code) {
    return IsResultCode(code) && code % 2 == 1;
}

// The side a result counts for; the three sides index the pictures, rows and counters that go by side.
enum class TResultKind { Banker, Player, Tie, None };
inline constexpr int kResultKindCount = 3;

constexpr TResultKind ResultKindOf(int code) {
    if (!IsResultCode(code)) return TResultKind::None;
    return static_cast<TResultKind>(code / 2);
}

// [SECTION] Road entries

inline constexpr int kRoadLength = 64;
// A hand's points run 0..9.
inline constexpr std::uint8_t kMaxPoints = 9;

// One game on the bars' road: the Banker's and the Player's points and the result code. 0xFF bytes mark
// an empty slot.
struct TBarRoadEntry {
    std::uint8_t BankerPoints{0xFF};
    std::uint8_t PlayerPoints{0xFF};
    std::uint8_t ResultCode{0xFF};

    // Points above 9 or a byte that is no result code are no game: such an entry is never stored, so the
    // strips and the win counters index nothing past their rows.
    bool Valid() const {
        return BankerPoints <= kMaxPoints && PlayerPoints <= kMaxPoints && IsResultCode(ResultCode);
    }
    friend bool operator==(const TBarRoadEntry&, const TBarRoadEntry&) = default;
};

// One game on the road table: the result code and the two pair flags (non-zero: a pair).
struct TResultTableEntry {
    std::uint8_t ResultCode{0xFF};
    std::uint8_t BankerPair{0xFF};
    std::uint8_t PlayerPair{0xFF};

    bool Valid() const { return IsResultCode(ResultCode); }
    friend bool operator==(const TResultTableEntry&, const TResultTableEntry&) = default;
};

using TBarRoad = std::array<TBarRoadEntry, kRoadLength>;
using TResultRoad = std::array<TResultTableEntry, kRoadLength>;

} // namespace morvane
