#pragma once

#include <array>
#include <cstdint>

namespace morvane {

// One game on the bars' road as the game client hands it over: the Banker's points, the Player's points
// and the result code (0..1 Banker, 2..3 Player, 4..5 Tie). 0xFF bytes mark an empty slot.
struct TBarGame {
    std::uint8_t BankerPoints{0xFF};
    std::uint8_t PlayerPoints{0xFF};
    std::uint8_t ResultCode{0xFF};

    // Points above 9 or a result above 5 (a byte of 0x80 and up counts as negative) are no game: such an
    // entry is never stored, so the strips and the win counters index nothing past their rows.
    bool Valid() const { return BankerPoints <= 9 && PlayerPoints <= 9 && ResultCode <= 5; }
    friend bool operator==(const TBarGame&, const TBarGame&) = default;
};

inline constexpr int kBarRoadLength = 64;
// Games a strip shows at a time.
inline constexpr int kBarStripColumns = 10;
using TBarRoadGames = std::array<TBarGame, kBarRoadLength>;

// The first game shown when `count` games are stored: the newest stays in the last column.
constexpr int NewestInView(int count) {
    return count > kBarStripColumns ? count - kBarStripColumns : 0;
}

} // namespace morvane
