#pragma once

#include "graphics/BarLabel.h"
#include "graphics/BarRoad.h"
#include "graphics/IBarUserLookup.h"
#include "gui/Application.h"
#include "gui/PngImage.h"
#include "gui/WinControl.h"

#include <array>
#include <string>

namespace morvane {

class TPictureButton;

// The bar across the foot of the table: the player's own figures (nickname, beans, hit rate, total), a
// ten-game strip of results with a mark in the row of each result (highlighted where the player won),
// two arrows that scroll this strip and the top bar's together, and counters of Banker, Player and Tie
// wins among the stored games.
class TBjlBottomBar : public TCustomControl {
public:
    // One stored game: its result code and whether the player played and won it.
    struct TResultMark {
        std::uint8_t ResultCode{kNoResult};
        bool Won{false};
    };

    explicit TBjlBottomBar(TComponent* owner);

    // Where the player's own record is looked up; not owned. Without it the own figures stay empty.
    void SetUserLookup(const IBarUserLookup* lookup);

    void SetCaptions(const std::string& unitName);
    // Takes a whole road, but only into an empty bar.
    void SetRoad(const TBarRoad& games);
    void AddResult(bool played, std::int64_t win, const TBarRoadEntry& game);
    // The newest game's win as it should have been added (its figures came later): its mark, the hit
    // rate and the total change as if AddResult had been given this win.
    void ReviseLastWin(std::int64_t win);
    // The top bar, told every scroll of the arrows (by handle: a bar that has gone is not reached).
    void SetTopBar(TControlHandle topBar) { topBar_ = topBar; }
    // Shows the own nickname, beans, hit rate and total as the look-up has them now.
    void RefreshOwnFigures();

    // The arrows.
    void ScrollLeft();
    void ScrollRight();

    // [SECTION] What the bar holds and shows
    int Count() const { return strip_.Count(); }
    int First() const { return strip_.First(); }
    TResultMark Mark(int index) const {
        return {strip_.Games().at(std::size_t(index)).ResultCode, strip_.Won(index)};
    }
    int GamesPlayed() const { return gamesPlayed_; }
    int GamesWon() const { return gamesWon_; }
    std::int64_t Total() const { return total_; }
    const TBarLabel& Caption(int index) const { return *captions_.at(std::size_t(index)); }
    // 0 nickname, 1 beans, 2 hit rate, 3 total.
    const TBarLabel& OwnValue(int index) const { return *values_.at(std::size_t(index)); }
    // 0 Banker, 1 Player, 2 Tie.
    const TBarLabel& WinCounter(int kind) const { return *winCounters_.at(std::size_t(kind)); }
    TPictureButton& LeftArrow() const { return *leftArrow_; }
    TPictureButton& RightArrow() const { return *rightArrow_; }

protected:
    void Paint(TCanvas& canvas) override;

private:
    void CreateLabels();
    void CreateArrows();
    TBarLabel* AddLabel(int left, int top, int width, int height);
    void StripChanged();
    void CountWins();
    void TellTopBar();

    const IBarUserLookup* lookup_{nullptr};
    TControlHandle topBar_{0};
    TPngImage background_;
    TPngImage check_;
    TPngImage wonCheck_;
    TBarStrip strip_;
    int gamesPlayed_{0};
    int gamesWon_{0};
    std::int64_t total_{0};
    // What stood before the newest game was added, for ReviseLastWin; none after a refused entry.
    struct TBeforeLast {
        bool valid{false};
        bool played{false};
        int gamesWon{0};
        std::int64_t total{0};
    };
    TBeforeLast beforeLast_;
    std::array<TBarLabel*, 4> captions_{};
    std::array<TBarLabel*, 4> values_{};
    std::array<TBarLabel*, kResultKindCount> winCounters_{};
    TPictureButton* leftArrow_{nullptr};
    TPictureButton* rightArrow_{nullptr};
};

} // namespace morvane
