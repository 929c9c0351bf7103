#pragma once

#include "graphics/GameResults.h"

#include <array>
#include <span>
#include <vector>

// Where the games of a history lie on a road, and what the history counts: pure functions of the games,
// which the road window and the bars draw from.
namespace morvane {

// [SECTION] Layout

// A place on a road's grid, column and row counted from 1.
struct TRoadCell {
    int Column{0};
    int Row{0};
    friend bool operator==(const TRoadCell&, const TRoadCell&) = default;
};

// One mark on a road: its place, the game it stands for (its index in the history, 0 the oldest) and
// that game, from which the mark's picture is chosen.
struct TRoadMark {
    TRoadCell Cell;
    int Game{0};
    TResultTableEntry Entry;
    friend bool operator==(const TRoadMark&, const TRoadMark&) = default;
};

// A road on a grid of a fixed number of rows and as many columns as its games need; its marks in game
// order.
struct TRoadGrid {
    int Rows{0};
    std::vector<TRoadMark> Marks;

    // The rightmost column a mark takes; 0 for an empty road.
    int Columns() const;
    std::vector<TRoadCell> Cells() const;
};

// One mark per game, filling each column from the top row down, then the next column.
TRoadGrid LayOutBeadPlate(std::span<const TResultTableEntry> games, int rows);

// A new column whenever the winning side changes: a streak runs down its column and turns right along
// its row at the foot or where a mark lies below it; the next side starts in row 1 one column right of
// the column where the streak began.
TRoadGrid LayOutColumnRoad(std::span<const TResultTableEntry> games, int rows);

// Games whose byte is no result code have no side and get no mark on either road.

// How many of a road's oldest columns a window `windowColumns` wide leaves out on the left, so that it
// shows the newest columns. Only a streak long enough to trail along the foot for a whole window reaches
// further right than the newest game, which then stays in view at the window's left edge.
int HiddenColumns(const TRoadGrid& road, int windowColumns);

// [SECTION] Counters

// What a history counts: wins by side, the King wins and same-point Ties among them, and the pairs.
struct TResultCounts {
    // Indexed by TResultKind.
    std::array<int, kResultKindCount> Wins{};
    int BankerKings{0};
    int PlayerKings{0};
    int SamePointTies{0};
    int BankerPairs{0};
    int PlayerPairs{0};

    // A byte that is no result code counts nothing.
    void Add(std::uint8_t resultCode);
    void Add(const TResultTableEntry& game);

    int WinsOf(TResultKind kind) const;
    int TotalWins() const;
    // A side's share of the wins in hundredths of a per cent, rounded half up; 0 when nothing was won.
    int ShareOf(TResultKind kind) const;
    friend bool operator==(const TResultCounts&, const TResultCounts&) = default;
};

TResultCounts CountResults(std::span<const TResultTableEntry> games);

} // namespace morvane
