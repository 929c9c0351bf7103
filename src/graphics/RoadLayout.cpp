#include "graphics/RoadLayout.h"

#include <algorithm>

namespace morvane {

int TRoadGrid::Columns() const {
    int columns = 0;
    for (const TRoadMark& mark : Marks)
        columns = std::max(columns, mark.Cell.Column);
    return columns;
}

std::vector<TRoadCell> TRoadGrid::Cells() const {
    std::vector<TRoadCell> cells;
    cells.reserve(Marks.size());
    for (const TRoadMark& mark : Marks)
        cells.push_back(mark.Cell);
    return cells;
}

TRoadGrid LayOutBeadPlate(std::span<const TResultTableEntry> games, int rows) {
    TRoadGrid plate{std::max(rows, 1), {}};
    for (std::size_t game = 0; game < games.size(); ++game) {
        if (!games[game].Valid()) continue;
        const int index = int(plate.Marks.size());
        plate.Marks.push_back({{index / plate.Rows + 1, index % plate.Rows + 1}, int(game), games[game]});
    }
    return plate;
}

namespace {

// Which cells of the column road are taken, [column][row], both from 1. A game moves the road at most one
// column right, so a column per game and one beside them hold the whole road however it runs.
class TOccupancy {
public:
    TOccupancy(std::size_t games, int rows) : rows_(rows), taken_((games + 2) * std::size_t(rows + 1)) {}

    bool Taken(int column, int row) const { return taken_[Index(column, row)]; }
    void Take(TRoadCell cell) { taken_[Index(cell.Column, cell.Row)] = true; }

private:
    std::size_t Index(int column, int row) const {
        return std::size_t(column) * std::size_t(rows_ + 1) + row;
    }

    int rows_;
    std::vector<bool> taken_;
};

} // namespace

TRoadGrid LayOutColumnRoad(std::span<const TResultTableEntry> games, int rows) {
    TRoadGrid road{std::max(rows, 1), {}};
    TOccupancy occupancy(games.size(), road.Rows);
    TRoadCell at{};
    TResultKind previous = TResultKind::None;
    for (std::size_t game = 0; game < games.size(); ++game) {
        const TResultKind kind = ResultKindOf(games[game].ResultCode);
        if (kind == TResultKind::None) continue;
        if (previous == TResultKind::None) {
            at = {1, 1};
        } else if (kind == previous) {
            // A streak runs down its column and turns right along its row at the foot or at a mark.
            if (at.Row == road.Rows || occupancy.Taken(at.Column, at.Row + 1))
                ++at.Column;
            else
                ++at.Row;
        } else {
            // Back from a rightward tail to the column where the streak began, then one to the right.
            while (at.Column > 1 && !occupancy.Taken(at.Column, 1))
                --at.Column;
            at = {at.Column + 1, 1};
        }
        occupancy.Take(at);
        road.Marks.push_back({at, int(game), games[game]});
        previous = kind;
    }
    return road;
}

int HiddenColumns(const TRoadGrid& road, int windowColumns) {
    if (road.Marks.empty()) return 0;
    const int newestColumn = road.Marks.back().Cell.Column;
    return std::max(0, std::min(road.Columns() - windowColumns, newestColumn - 1));
}

void TResultCounts::Add(std::uint8_t resultCode) {
    const TResultKind kind = ResultKindOf(resultCode);
    if (kind == TResultKind::None) return;
    ++Wins[std::size_t(kind)];
    if (!IsSpecialResult(resultCode)) return;
    switch (kind) {
    case TResultKind::Banker:
        ++BankerKings;
        break;
    case TResultKind::Player:
        ++PlayerKings;
        break;
    case TResultKind::Tie:
        ++SamePointTies;
        break;
    case TResultKind::None:
        break;
    }
}

void TResultCounts::Add(const TResultTableEntry& game) {
    if (!game.Valid()) return;
    Add(game.ResultCode);
    if (game.BankerPair != 0) ++BankerPairs;
    if (game.PlayerPair != 0) ++PlayerPairs;
}

int TResultCounts::WinsOf(TResultKind kind) const {
    return kind == TResultKind::None ? 0 : Wins[std::size_t(kind)];
}

int TResultCounts::TotalWins() const {
    return Wins[0] + Wins[1] + Wins[2];
}

int TResultCounts::ShareOf(TResultKind kind) const {
    const long long total = std::max(1, TotalWins());
    // Worked out in whole numbers, as a binary fraction would put some halves just below the half.
    return int((2LL * WinsOf(kind) * 10000 + total) / (2 * total));
}

TResultCounts CountResults(std::span<const TResultTableEntry> games) {
    TResultCounts counts;
    for (const TResultTableEntry& game : games)
        counts.Add(game);
    return counts;
}

} // namespace morvane
