#include "graphics/BigRoad.h"

#include <algorithm>

namespace morvane {

namespace {

// Lays out a run of marks of two kinds on six rows: a mark of the previous mark's kind goes down its
// column until the foot or a mark blocks it, then right along the row it was blocked in; a mark of the
// other kind starts a streak at row 1 of the column after the previous streak's first column, or further
// right where a tail along row 1 has taken that cell.
class TStreakLayout {
public:
    TRoadCell Place(bool sameKind) {
        if (!started_) {
            started_ = true;
            streakColumn_ = 1;
            at_ = {1, 1};
        } else if (!sameKind) {
            int column = streakColumn_ + 1;
            while (Taken(column, 1))
                ++column;
            streakColumn_ = column;
            turned_ = false;
            at_ = {column, 1};
        } else if (turned_ || at_.Row == kBigRoadRows || Taken(at_.Column, at_.Row + 1)) {
            // The dragon's tail stays in the row where the streak was blocked.
            turned_ = true;
            ++at_.Column;
        } else {
            ++at_.Row;
        }
        Take(at_);
        return at_;
    }

private:
    bool Taken(int column, int row) const {
        return std::size_t(column) < taken_.size() && taken_[std::size_t(column)][std::size_t(row)];
    }
    void Take(TRoadCell cell) {
        if (taken_.size() <= std::size_t(cell.Column)) taken_.resize(std::size_t(cell.Column) + 1);
        taken_[std::size_t(cell.Column)][std::size_t(cell.Row)] = true;
    }

    bool started_{false};
    bool turned_{false};
    int streakColumn_{0};
    TRoadCell at_{};
    // [column][row], both from 1; grows with the road.
    std::vector<std::array<bool, kBigRoadRows + 1>> taken_;
};

template <typename TMark>
int RightmostColumn(const std::vector<TMark>& marks) {
    int columns = 0;
    for (const TMark& mark : marks)
        columns = std::max(columns, mark.Cell.Column);
    return columns;
}

template <typename TMark>
std::vector<TRoadCell> CellsOf(const std::vector<TMark>& marks) {
    std::vector<TRoadCell> cells;
    cells.reserve(marks.size());
    for (const TMark& mark : marks)
        cells.push_back(mark.Cell);
    return cells;
}

TRoadColour ColourWhen(bool red) {
    return red ? TRoadColour::Red : TRoadColour::Blue;
}

} // namespace

int TBigRoad::Columns() const {
    return RightmostColumn(Marks);
}

std::vector<TRoadCell> TBigRoad::Cells() const {
    return CellsOf(Marks);
}

TBigRoad LayOutBigRoad(std::span<const TResultTableEntry> games) {
    TBigRoad road;
    TStreakLayout layout;
    for (std::size_t game = 0; game < games.size(); ++game) {
        const TResultKind side = ResultKindOf(games[game].ResultCode);
        if (side == TResultKind::None) continue;
        if (side == TResultKind::Tie) {
            if (road.Marks.empty())
                ++road.LeadingTies;
            else
                ++road.Marks.back().Ties;
            continue;
        }
        const bool sameSide = !road.Marks.empty() && road.Marks.back().Side == side;
        if (sameSide)
            ++road.StreakLengths.back();
        else
            road.StreakLengths.push_back(1);
        TBigRoadMark mark;
        mark.Cell = layout.Place(sameSide);
        mark.Side = side;
        mark.Ties = road.Marks.empty() ? road.LeadingTies : 0;
        mark.Streak = int(road.StreakLengths.size());
        mark.Depth = road.StreakLengths.back();
        mark.Game = int(game);
        mark.Entry = games[game];
        road.Marks.push_back(mark);
    }
    return road;
}

std::optional<TRoadColour> DerivedColour(std::span<const int> streakLengths, int streak, int depth,
                                         TDerivedRoadKind kind) {
    const int back = int(kind);
    // The road starts with the second result of streak back + 1, or with the first of streak back + 2
    // when that streak ends after one result.
    const bool started = streak > back + 1 || (streak == back + 1 && depth >= 2);
    if (!started || streak - 1 > int(streakLengths.size())) return std::nullopt;
    const auto lengthOf = [&](int oneBased) { return streakLengths[std::size_t(oneBased - 1)]; };
    // A new streak: red when the two streaks it is read against are of one length.
    if (depth == 1) return ColourWhen(lengthOf(streak - 1) == lengthOf(streak - 1 - back));
    // Further down: blue only where the streak compared with ends right above this row.
    return ColourWhen(lengthOf(streak - back) != depth - 1);
}

TDerivedRoad LayOutDerivedRoad(const TBigRoad& bigRoad, TDerivedRoadKind kind) {
    TDerivedRoad road;
    TStreakLayout layout;
    for (const TBigRoadMark& result : bigRoad.Marks) {
        const std::optional<TRoadColour> colour =
            DerivedColour(bigRoad.StreakLengths, result.Streak, result.Depth, kind);
        if (!colour) continue;
        const bool sameColour = !road.Marks.empty() && road.Marks.back().Colour == *colour;
        road.Marks.push_back({layout.Place(sameColour), *colour, result.Game});
    }
    return road;
}

int TDerivedRoad::Columns() const {
    return RightmostColumn(Marks);
}

std::vector<TRoadCell> TDerivedRoad::Cells() const {
    return CellsOf(Marks);
}

std::vector<TRoadColour> TDerivedRoad::Colours() const {
    std::vector<TRoadColour> colours;
    colours.reserve(Marks.size());
    for (const TDerivedRoadMark& mark : Marks)
        colours.push_back(mark.Colour);
    return colours;
}

TAskMarks AskRoad(std::span<const TResultTableEntry> games, TResultKind side) {
    TAskMarks ask;
    if (side != TResultKind::Banker && side != TResultKind::Player) return ask;
    std::vector<TResultTableEntry> asked(games.begin(), games.end());
    asked.push_back({std::uint8_t(side == TResultKind::Banker ? rcBanker : rcPlayer), 0, 0});
    const TBigRoad bigRoad = LayOutBigRoad(asked);
    ask.Big = bigRoad.Marks.back();
    const int askedGame = ask.Big->Game;
    for (std::size_t road = 0; road < kDerivedRoadKinds.size(); ++road) {
        const TDerivedRoad derived = LayOutDerivedRoad(bigRoad, kDerivedRoadKinds[road]);
        if (!derived.Marks.empty() && derived.Marks.back().Game == askedGame)
            ask.Derived[road] = derived.Marks.back();
    }
    return ask;
}

} // namespace morvane
