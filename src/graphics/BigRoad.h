#pragma once

#include "graphics/GameResults.h"
#include "graphics/RoadLayout.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

// The roads players read a shoe by: the big road (大路), the three roads derived from its streaks (大眼仔,
// 小路, 曱甴路) and the ask marks (问路) a Banker or a Player result would add. Pure functions of the
// history, oldest game first, which the road window draws from and `morvane-roads` prints.
namespace morvane {

// [SECTION] Big road

// The big road and every road derived from it have six rows.
inline constexpr int kBigRoadRows = 6;

enum class TRoadColour { Red, Blue };

// One Banker or Player result on the big road.
struct TBigRoadMark {
    TRoadCell Cell;
    TResultKind Side{TResultKind::Banker};
    // The ties that followed this result (on the first mark also those that came before it).
    int Ties{0};
    // Which streak the result belongs to and its place in it, both from 1. A result on a dragon's tail
    // keeps counting in its streak although it lies in a row further right.
    int Streak{0};
    int Depth{0};
    // The result's index in the history (0 the oldest) and the game, whose pair flags a picture may show.
    int Game{0};
    TResultTableEntry Entry;

    // Banker red, Player blue.
    TRoadColour Colour() const { return Side == TResultKind::Banker ? TRoadColour::Red : TRoadColour::Blue; }
    friend bool operator==(const TBigRoadMark&, const TBigRoadMark&) = default;
};

struct TBigRoad {
    // In game order.
    std::vector<TBigRoadMark> Marks;
    // How many results each streak holds, the oldest streak first.
    std::vector<int> StreakLengths;
    // Ties seen before any Banker or Player result; they are on the first mark once there is one.
    int LeadingTies{0};

    // The rightmost column a mark takes; 0 for an empty road.
    int Columns() const;
    std::vector<TRoadCell> Cells() const;
};

// A result of the current streak's side goes one row down, the other side starts a new streak at row 1
// of the column after the one where the previous streak started (or at the first free row-1 cell right of
// it); a streak blocked by the foot or by a mark turns right and stays in its row. Ties take no cell.
// Games whose byte is no result code are left out.
TBigRoad LayOutBigRoad(std::span<const TResultTableEntry> games);

// [SECTION] Derived roads

// The value is how many streaks back each road compares.
enum class TDerivedRoadKind { BigEye = 1, Small = 2, Cockroach = 3 };
inline constexpr std::array<TDerivedRoadKind, 3> kDerivedRoadKinds{
    TDerivedRoadKind::BigEye, TDerivedRoadKind::Small, TDerivedRoadKind::Cockroach};

struct TDerivedRoadMark {
    TRoadCell Cell;
    TRoadColour Colour{TRoadColour::Red};
    // The big-road result that added the mark, as its index in the history.
    int Game{0};
    friend bool operator==(const TDerivedRoadMark&, const TDerivedRoadMark&) = default;
};

struct TDerivedRoad {
    std::vector<TDerivedRoadMark> Marks;

    int Columns() const;
    std::vector<TRoadCell> Cells() const;
    std::vector<TRoadColour> Colours() const;
};

// The colour of the mark that the result at `depth` of streak `streak` adds to a derived road, or nothing
// when the road has not started by then. Only the streaks before `streak` are read, so `streakLengths`
// may hold more streaks than that.
std::optional<TRoadColour> DerivedColour(std::span<const int> streakLengths, int streak, int depth,
                                         TDerivedRoadKind kind);

// One mark per big-road result from the road's start on, laid out as the big road lays out its results,
// with a new column whenever the colour changes.
TDerivedRoad LayOutDerivedRoad(const TBigRoad& bigRoad, TDerivedRoadKind kind);

// [SECTION] Ask road

// What one more result would add: its big-road mark and the mark on each derived road (indexed as
// kDerivedRoadKinds; none where that road would add nothing yet).
struct TAskMarks {
    std::optional<TBigRoadMark> Big;
    std::array<std::optional<TDerivedRoadMark>, 3> Derived;
};

// Asked for a Banker or a Player result; a Tie or no side adds no mark anywhere.
TAskMarks AskRoad(std::span<const TResultTableEntry> games, TResultKind side);

} // namespace morvane
