#include "graphics/RoadsPage.h"

#include "graphics/PictureResources.h"
#include "gui/Canvas.h"

#include <algorithm>
#include <string>

namespace morvane {

namespace {

constexpr std::array<const char*, 3> kDerivedPictureNames{"RBigEye", "RSmall", "RRoach"};
constexpr TColor kTieGreen = 0x008000;
// The tie count is written small inside the ring.
constexpr int kTieCountFontHeight = -11;

std::size_t ColourIndex(TRoadColour colour) {
    return colour == TRoadColour::Red ? 0 : 1;
}

// The oldest columns a window leaves out so that it shows the newest ones and keeps one column free for
// the mark a next result may add beside them. A tail running along the foot past the window keeps the
// newest game in view at the left edge instead.
int HiddenColumnsFor(int columns, int newestColumn, int windowColumns) {
    if (columns == 0) return 0;
    return std::max(0, std::min(columns - (windowColumns - 1), newestColumn - 1));
}

void DrawIfLoaded(TCanvas& canvas, TPoint at, const TPngImage* picture) {
    if (picture) canvas.Draw(at.x, at.y, *picture);
}

} // namespace

TRoadsPage::TRoadsPage() = default;

void TRoadsPage::LoadPictures() {
    background_ = LoadPictureByName("TBALEROADS");
    bankerRing_ = LoadPictureByName("RBigLand");
    playerRing_ = LoadPictureByName("RBigIdle");
    tieStroke_ = LoadPictureByName("RBigTie");
    for (std::size_t road = 0; road < kDerivedPictureNames.size(); ++road) {
        derivedMarks_[road][0] = LoadPictureByName(std::string(kDerivedPictureNames[road]) + "Red");
        derivedMarks_[road][1] = LoadPictureByName(std::string(kDerivedPictureNames[road]) + "Blue");
    }
}

void TRoadsPage::SetHistory(std::span<const TResultTableEntry> games) {
    bigRoad_ = LayOutBigRoad(games);
    for (TDerivedRoadKind kind : kDerivedRoadKinds)
        derived_[Index(kind)] = LayOutDerivedRoad(bigRoad_, kind);
    bankerAsk_ = AskRoad(games, TResultKind::Banker);
    playerAsk_ = AskRoad(games, TResultKind::Player);

    const int newestBig = bigRoad_.Marks.empty() ? 0 : bigRoad_.Marks.back().Cell.Column;
    hiddenBig_ = HiddenColumnsFor(bigRoad_.Columns(), newestBig, kBigRoadColumns);
    for (TDerivedRoadKind kind : kDerivedRoadKinds) {
        const TDerivedRoad& road = derived_[Index(kind)];
        const int newest = road.Marks.empty() ? 0 : road.Marks.back().Cell.Column;
        hiddenDerived_[Index(kind)] = HiddenColumnsFor(road.Columns(), newest, kDerivedColumns);
    }
    SetAsking(TResultKind::None, false);
}

const TAskMarks& TRoadsPage::AskMarks(TResultKind side) const {
    if (side == TResultKind::Banker) return bankerAsk_;
    if (side == TResultKind::Player) return playerAsk_;
    return noAsk_;
}

void TRoadsPage::SetAsking(TResultKind side, bool lit) {
    const bool asks = side == TResultKind::Banker || side == TResultKind::Player;
    asking_ = asks ? side : TResultKind::None;
    askLit_ = asks && lit;
}

TPoint TRoadsPage::BigRoadCellOrigin(TRoadCell cell) {
    return {kBigRoadOrigin.x + (cell.Column - 1) * kBigRoadStep,
            kBigRoadOrigin.y + (cell.Row - 1) * kBigRoadStep};
}

TPoint TRoadsPage::DerivedCellOrigin(TDerivedRoadKind kind, TRoadCell cell) {
    const TPoint origin = kDerivedOrigins[Index(kind)];
    return {origin.x + (cell.Column - 1) * kDerivedStep, origin.y + (cell.Row - 1) * kDerivedStep};
}

const TPngImage* TRoadsPage::DerivedPicture(TDerivedRoadKind kind, TRoadColour colour) const {
    return derivedMarks_[Index(kind)][ColourIndex(colour)].get();
}

void TRoadsPage::Paint(TCanvas& canvas) const {
    DrawIfLoaded(canvas, {0, 0}, background_.get());
    PaintBigRoad(canvas);
    PaintDerivedRoads(canvas);
    PaintAskStrip(canvas, TResultKind::Banker);
    PaintAskStrip(canvas, TResultKind::Player);
}

void TRoadsPage::PaintBigMark(TCanvas& canvas, TPoint at, const TBigRoadMark& mark) const {
    DrawIfLoaded(canvas, at, mark.Side == TResultKind::Banker ? bankerRing_.get() : playerRing_.get());
    if (mark.Ties == 0) return;
    DrawIfLoaded(canvas, at, tieStroke_.get());
    if (mark.Ties == 1) return;
    // Two ties or more: how many, on a white patch over the middle of the stroke, so that a player can
    // still count them.
    canvas.Font().SetName("宋体");
    canvas.Font().SetHeight(kTieCountFontHeight);
    canvas.Font().SetStyle(fsBold);
    canvas.Font().SetColor(kTieGreen);
    canvas.Brush().style = TBrushStyle::bsSolid;
    canvas.Brush().color = clWhite;
    const std::string count = std::to_string(mark.Ties);
    const TSize size = canvas.TextExtent(count);
    canvas.TextOut(at.x + (kBigRoadStep + 1 - size.cx) / 2, at.y + (kBigRoadStep + 1 - size.cy) / 2, count);
}

void TRoadsPage::PaintBigRoad(TCanvas& canvas) const {
    auto inWindow = [this](TRoadCell cell) -> std::optional<TRoadCell> {
        const TRoadCell shown{cell.Column - hiddenBig_, cell.Row};
        if (shown.Column < 1 || shown.Column > kBigRoadColumns) return std::nullopt;
        return shown;
    };
    for (const TBigRoadMark& mark : bigRoad_.Marks)
        if (const auto cell = inWindow(mark.Cell)) PaintBigMark(canvas, BigRoadCellOrigin(*cell), mark);
    if (!askLit_) return;
    if (const auto& asked = AskMarks(asking_).Big)
        if (const auto cell = inWindow(asked->Cell)) PaintBigMark(canvas, BigRoadCellOrigin(*cell), *asked);
}

void TRoadsPage::PaintDerivedRoads(TCanvas& canvas) const {
    for (TDerivedRoadKind kind : kDerivedRoadKinds) {
        const int hidden = hiddenDerived_[Index(kind)];
        auto paint = [&](const TDerivedRoadMark& mark) {
            const TRoadCell shown{mark.Cell.Column - hidden, mark.Cell.Row};
            if (shown.Column < 1 || shown.Column > kDerivedColumns) return;
            DrawIfLoaded(canvas, DerivedCellOrigin(kind, shown), DerivedPicture(kind, mark.Colour));
        };
        for (const TDerivedRoadMark& mark : derived_[Index(kind)].Marks)
            paint(mark);
        if (askLit_)
            if (const auto& asked = AskMarks(asking_).Derived[Index(kind)]) paint(*asked);
    }
}

void TRoadsPage::PaintAskStrip(TCanvas& canvas, TResultKind side) const {
    const TAskMarks& ask = AskMarks(side);
    const TPoint strip = kAskStrips[side == TResultKind::Banker ? 0 : 1];
    // The big-road ring fills its 18-pixel cell; the derived marks sit in the middle of theirs.
    if (ask.Big) {
        TBigRoadMark mark = *ask.Big;
        mark.Ties = 0;
        PaintBigMark(canvas, {strip.x + 1, strip.y + 1}, mark);
    }
    for (TDerivedRoadKind kind : kDerivedRoadKinds) {
        const auto& asked = ask.Derived[Index(kind)];
        if (!asked) continue;
        const int left = strip.x + kAskStripStep * int(Index(kind) + 1);
        const TPngImage* picture = DerivedPicture(kind, asked->Colour);
        if (picture)
            canvas.Draw(left + (kAskStripStep + 1 - picture->Width()) / 2,
                        strip.y + (kAskStripStep + 1 - picture->Height()) / 2, *picture);
    }
}

} // namespace morvane
