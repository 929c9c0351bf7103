#pragma once

#include "graphics/GameResults.h"
#include "graphics/RoadLayout.h"

#include <array>
#include <cstdint>
#include <optional>

namespace morvane {

// Games a strip shows at a time.
inline constexpr int kBarStripColumns = 10;

// The first game shown when `count` games are stored: the newest stays in the last column.
constexpr int NewestInView(int count) {
    return count > kBarStripColumns ? count - kBarStripColumns : 0;
}

// The games a bar keeps, oldest first, with a mark per game of whether the player won it, and the first
// game its ten-column strip shows. Only valid games are stored, so every stored byte is in range.
class TBarStrip {
public:
    // Takes the leading valid games of a road, but only into an empty strip; false, and nothing changes,
    // when the strip holds games.
    bool SetRoad(const TBarRoad& road);
    // Appends a valid game, dropping the oldest when the strip is full; the newest stays in view. False,
    // and nothing changes, for a game that is not valid.
    bool Add(const TBarRoadEntry& game, bool won = false);
    void SetNewestWon(bool won);
    // A position from outside is held to the stored games.
    void ScrollTo(std::int64_t first);

    int Count() const { return count_; }
    int First() const { return first_; }
    const TBarRoad& Games() const { return games_; }
    bool Won(int index) const { return won_.at(std::size_t(index)); }
    // The game a column of the strip shows (its index in Games()), or none past the newest game.
    std::optional<int> GameInColumn(int column) const;
    bool IsNewest(int index) const { return index == count_ - 1; }
    TResultCounts Counts() const;

private:
    TBarRoad games_{};
    std::array<bool, kRoadLength> won_{};
    int count_{0};
    int first_{0};
};

} // namespace morvane
