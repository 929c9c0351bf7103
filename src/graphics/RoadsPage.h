#pragma once

#include "base/Types.h"
#include "graphics/BigRoad.h"
#include "gui/PngImage.h"

#include <array>
#include <memory>
#include <span>

namespace morvane {

class TCanvas;

// The road window's second page: the big road, the three roads derived from it and the two ask strips,
// drawn from the history the window was last given. While the player asks what a Banker or a Player
// result would add, the marks it would add blink on every road; the window drives the blink.
class TRoadsPage {
public:
    static constexpr TPoint kBigRoadOrigin{62, 42};
    static constexpr int kBigRoadStep = 16;
    static constexpr int kBigRoadColumns = 26;
    // 大眼仔, 小路, 曱甴路 from the top, in the order of kDerivedRoadKinds.
    static constexpr std::array<TPoint, 3> kDerivedOrigins{{{62, 146}, {62, 200}, {62, 254}}};
    static constexpr int kDerivedStep = 8;
    static constexpr int kDerivedColumns = 52;
    // Beside each ask button, what that result would add: one big-road cell, then one cell per derived
    // road. The Banker's strip is the upper one.
    static constexpr std::array<TPoint, 2> kAskStrips{{{160, 322}, {160, 354}}};
    static constexpr int kAskStripStep = 18;

    TRoadsPage();

    // Lays the roads and the ask marks out afresh; an ask in progress ends, as it asked about other games.
    void SetHistory(std::span<const TResultTableEntry> games);

    const TBigRoad& BigRoad() const { return bigRoad_; }
    const TDerivedRoad& DerivedRoad(TDerivedRoadKind kind) const { return derived_[Index(kind)]; }
    // What a Banker or a Player result would add (nothing for any other side).
    const TAskMarks& AskMarks(TResultKind side) const;

    // Which side's marks blink (None: no ask), and whether they show in the present phase.
    void SetAsking(TResultKind side, bool lit);
    TResultKind Asking() const { return asking_; }
    bool AskLit() const { return askLit_; }

    // How many of a road's oldest columns are left out on the left, so that its newest columns and the
    // column a next result would take are in view.
    int HiddenBigRoadColumns() const { return hiddenBig_; }
    int HiddenDerivedColumns(TDerivedRoadKind kind) const { return hiddenDerived_[Index(kind)]; }

    // Top-left corners on the page of a cell of the window (column 1 is the leftmost column shown).
    static TPoint BigRoadCellOrigin(TRoadCell cell);
    static TPoint DerivedCellOrigin(TDerivedRoadKind kind, TRoadCell cell);

    // Decodes the page's pictures; until then the page draws its roads without them. The result window
    // asks for them when it is first drawn.
    void LoadPictures();
    void Paint(TCanvas& canvas) const;

private:
    static std::size_t Index(TDerivedRoadKind kind) { return std::size_t(kind) - 1; }
    void PaintBigMark(TCanvas& canvas, TPoint at, const TBigRoadMark& mark) const;
    void PaintBigRoad(TCanvas& canvas) const;
    void PaintDerivedRoads(TCanvas& canvas) const;
    void PaintAskStrip(TCanvas& canvas, TResultKind side) const;
    const TPngImage* DerivedPicture(TDerivedRoadKind kind, TRoadColour colour) const;

    TBigRoad bigRoad_;
    std::array<TDerivedRoad, 3> derived_;
    TAskMarks bankerAsk_;
    TAskMarks playerAsk_;
    TAskMarks noAsk_;
    int hiddenBig_{0};
    std::array<int, 3> hiddenDerived_{};
    TResultKind asking_{TResultKind::None};
    bool askLit_{false};

    std::unique_ptr<TPngImage> background_;
    // Banker red, Player blue.
    std::unique_ptr<TPngImage> bankerRing_;
    std::unique_ptr<TPngImage> playerRing_;
    std::unique_ptr<TPngImage> tieStroke_;
    // By derived road, then red and blue.
    std::array<std::array<std::unique_ptr<TPngImage>, 2>, 3> derivedMarks_;
};

} // namespace morvane
