#include "graphics/BarRoad.h"

#include <algorithm>

namespace morvane {

bool TBarStrip::SetRoad(const TBarRoad& road) {
    if (count_ != 0) return false;
    // Only the leading games are kept; whatever follows the first unusable entry is left empty.
    games_.fill(TBarRoadEntry{});
    won_.fill(false);
    while (count_ < kRoadLength && road[std::size_t(count_)].Valid()) {
        games_[std::size_t(count_)] = road[std::size_t(count_)];
        ++count_;
    }
    first_ = NewestInView(count_);
    return true;
}

bool TBarStrip::Add(const TBarRoadEntry& game, bool won) {
    if (!game.Valid()) return false;
    if (count_ == kRoadLength) {
        std::shift_left(games_.begin(), games_.end(), 1);
        std::shift_left(won_.begin(), won_.end(), 1);
        --count_;
    }
    games_[std::size_t(count_)] = game;
    won_[std::size_t(count_)] = won;
    ++count_;
    if (count_ - first_ > kBarStripColumns) ++first_;
    // After the oldest game went, the view may point past the stored games.
    first_ = std::min(first_, count_);
    return true;
}

void TBarStrip::SetNewestWon(bool won) {
    if (count_ > 0) won_[std::size_t(count_ - 1)] = won;
}

void TBarStrip::ScrollTo(std::int64_t first) {
    first_ = int(std::clamp<std::int64_t>(first, 0, count_));
}

std::optional<int> TBarStrip::GameInColumn(int column) const {
    const int index = first_ + column;
    if (column < 0 || column >= kBarStripColumns || index >= count_) return std::nullopt;
    return index;
}

TResultCounts TBarStrip::Counts() const {
    TResultCounts counts;
    for (int index = 0; index < count_; ++index)
        counts.Add(games_[std::size_t(index)].ResultCode);
    return counts;
}

} // namespace morvane
