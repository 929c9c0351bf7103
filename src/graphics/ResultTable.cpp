#include "graphics/ResultTable.h"

#include "graphics/EmbeddedResources.h"
#include "graphics/PictureResources.h"
#include "gui/Canvas.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace morvane {

namespace {

constexpr int kResultCodeCount = 6;
constexpr std::uint8_t kEmptyByte = 0xFF;

// Label font: 宋体, 14 pixels, bold.
constexpr int kLabelFontHeight = -14;
constexpr int kLabelWidth = 35;

struct TLabelPlace {
    int X;
    int Y;
    TColor Colour;
    const char* Text;
};

// In TLabelSlot order; the places fit the captions printed on the background.
constexpr std::array<TLabelPlace, TBJLResultTable::LabelCount> kLabelPlaces{{
    {72, 42, clBlue, "0"},
    {225, 42, 0x008000, "0"},
    {378, 42, clRed, "0"},
    {98, 42, clBlack, "00.00%"},
    {251, 42, clBlack, "00.00%"},
    {404, 42, clBlack, "00.00%"},
    {75, 65, clBlack, "0"},
    {196, 65, clBlack, "0"},
    {317, 65, clBlack, "0"},
    {438, 65, clBlack, "0"},
}};

// Picture names by kind (Banker, Player, Tie): bead marks take the pair variant as a suffix.
constexpr std::array<const char*, 3> kBeadNames{"Land", "Idle", "ping"};
constexpr std::array<const char*, 3> kSmallNames{"SLand", "SIdle", "Sping"};

int PairVariant(const TRoadTableEntry& entry) {
    return (entry.BankerPair != 0 ? 1 : 0) + (entry.PlayerPair != 0 ? 2 : 0);
}

// Hundredths of a per cent, "00.00%", rounded half away from zero (1 of 32 reads 03.13%). Worked out in
// whole numbers, as a binary fraction would put some halves just below the half.
std::string Percentage(int wins, int total) {
    const long long hundredths = (2LL * wins * 10000 + total) / (2LL * total);
    char text[32];
    std::snprintf(text, sizeof text, "%02lld.%02lld%%", hundredths / 100, hundredths % 100);
    return text;
}

void DrawIfLoaded(TCanvas& canvas, TPoint at, const TPngImage* picture) {
    if (picture) canvas.Draw(at.x, at.y, *picture);
}

} // namespace

TBJLResultTable::TBJLResultTable(TComponent* owner) : TLovelyPanel(owner) {
    SetTransparentColor(clNone);
    SetLockedPoint(false);
    SetTitleHeight(kCaptionBand.bottom);
    LoadPictures();
    if (backPicture_) SetBounds(Left(), Top(), backPicture_->Width(), backPicture_->Height());
    CreateLabels();
    CreateCloseButton();
    ResetHistory();
}

void TBJLResultTable::LoadPictures() {
    backPicture_ = LoadPictureByName("TBALEBACK");
    for (std::size_t kind = 0; kind < kBeadNames.size(); ++kind) {
        for (std::size_t variant = 0; variant < 4; ++variant)
            beadMarks_[kind][variant] = LoadPictureByName(kBeadNames[kind] + std::to_string(variant));
        smallMarks_[kind] = LoadPictureByName(kSmallNames[kind]);
    }
}

void TBJLResultTable::CreateLabels() {
    for (std::size_t slot = 0; slot < labels_.size(); ++slot) {
        const TLabelPlace& place = kLabelPlaces[slot];
        TLabel* label = Add<TLabel>();
        label->SetTransparent(true);
        label->Font().SetName("宋体");
        label->Font().SetHeight(kLabelFontHeight);
        label->Font().SetStyle(fsBold);
        label->Font().SetColor(place.Colour);
        label->SetBounds(place.X, place.Y, kLabelWidth, -kLabelFontHeight);
        label->SetCaption(place.Text);
        labels_[slot] = label;
    }
}

void TBJLResultTable::CreateCloseButton() {
    closeButton_ = Add<TPictureButton>();
    closeButton_->LoadPictures("Close", [](const std::string& name) { return FindEmbeddedResource(name); });
    closeButton_->SetLeft(kCloseButtonAt.x);
    closeButton_->SetTop(kCloseButtonAt.y);
    closeButton_->OnClick = [this](TControl*) { Hide(); };
}

TBJLResultTable::TKind TBJLResultTable::KindOf(std::uint8_t resultCode) {
    if (resultCode <= 1) return TKind::Banker;
    if (resultCode == 4 || resultCode == 5) return TKind::Tie;
    return TKind::Player;
}

TPoint TBJLResultTable::RoadCellOrigin(TRoadCell cell) {
    return {kRoadOrigin.x + (cell.Column - 1) * kRoadStep, kRoadOrigin.y + (cell.Row - 1) * kRoadStep};
}

TPoint TBJLResultTable::BeadCellOrigin(TRoadCell cell) {
    return {kBeadOrigin.x + (cell.Column - 1) * kBeadStep, kBeadOrigin.y + (cell.Row - 1) * kBeadStep};
}

void TBJLResultTable::ResetHistory() {
    count_ = 0;
    history_.fill({kEmptyByte, kEmptyByte, kEmptyByte});
    counters_.fill(0);
    columnRoad_.clear();
    beadPlate_.clear();
    hiddenRoadColumns_ = 0;
}

void TBJLResultTable::SetResults(std::span<const TRoadTableEntry> entries, int count) {
    // More games than the road holds, or fewer than none, is no history at all: the table starts empty.
    if (count > kMaxEntries || count < 0) count = 0;
    counters_.fill(0);
    history_.fill({kEmptyByte, kEmptyByte, kEmptyByte});
    count_ = 0;
    const std::size_t given = std::min(std::size_t(std::min(count, kMaxEntries)), entries.size());
    // A byte that is no result code would pick no mark and no counter: such a game is left out.
    for (const TRoadTableEntry& entry : entries.first(given)) {
        if (entry.ResultCode >= kResultCodeCount) continue;
        history_[std::size_t(count_++)] = entry;
        CountEntry(entry);
    }
    LayOutRoads();
    Invalidate();
    UpdateLabels();
}

void TBJLResultTable::CountEntry(const TRoadTableEntry& entry) {
    switch (entry.ResultCode) {
    case 1:
        ++counters_[BankerKings];
        [[fallthrough]];
    case 0:
        ++counters_[BankerWins];
        break;
    case 3:
        ++counters_[PlayerKings];
        [[fallthrough]];
    case 2:
        ++counters_[PlayerWins];
        break;
    case 5:
        ++counters_[SamePointTies];
        [[fallthrough]];
    case 4:
        ++counters_[TieWins];
        break;
    default:
        break;
    }
    if (entry.BankerPair != 0) ++counters_[BankerPairs];
    if (entry.PlayerPair != 0) ++counters_[PlayerPairs];
}

void TBJLResultTable::LayOutRoads() {
    columnRoad_.clear();
    beadPlate_.clear();
    hiddenRoadColumns_ = 0;
    if (count_ <= 0) return;
    // Occupancy of the column road, [column][row], both from 1; index 0 stays unused. A game moves the
    // road at most one column right, so the whole history fits however it runs.
    std::array<std::array<bool, kRoadRows + 1>, kMaxEntries + 1> occupied{};
    int lastColumn = 1;
    auto place = [&](int column, int row) {
        occupied[std::size_t(column)][std::size_t(row)] = true;
        columnRoad_.push_back({column, row});
        lastColumn = std::max(lastColumn, column);
    };
    int column = 1;
    int row = 1;
    place(column, row);
    beadPlate_.push_back({1, 1});
    for (int index = 1; index < count_; ++index) {
        const TKind kind = KindOf(history_[std::size_t(index)].ResultCode);
        const TKind previous = KindOf(history_[std::size_t(index - 1)].ResultCode);
        if (kind == previous) {
            // A streak runs down its column and turns right along its row at the foot or at a mark.
            if (row == kRoadRows || occupied[std::size_t(column)][std::size_t(row + 1)])
                ++column;
            else
                ++row;
        } else {
            // Back from a rightward tail to the column where the streak began, then one to the right.
            while (column > 1 && !occupied[std::size_t(column)][1])
                --column;
            ++column;
            row = 1;
        }
        place(column, row);
        beadPlate_.push_back({index / kBeadRows + 1, index % kBeadRows + 1});
    }
    // The window shows the newest columns; the oldest leave on the left. Only a streak long enough to
    // trail along the foot for a whole window can reach further right than the newest game, which stays
    // in view at the left edge then.
    hiddenRoadColumns_ = std::max(0, std::min(lastColumn - kRoadColumns, column - 1));
}

void TBJLResultTable::UpdateLabels() {
    const int wins[] = {counters_[PlayerWins], counters_[TieWins], counters_[BankerWins]};
    const int total = std::max(1, wins[0] + wins[1] + wins[2]);
    for (int side = 0; side < 3; ++side) {
        labels_[PlayerCountLabel + side]->SetCaption(std::to_string(wins[side]));
        labels_[PlayerPercentLabel + side]->SetCaption(Percentage(wins[side], total));
    }
    labels_[PlayerPairsLabel]->SetCaption(std::to_string(counters_[PlayerPairs]));
    labels_[BankerPairsLabel]->SetCaption(std::to_string(counters_[BankerPairs]));
    labels_[PlayerKingLabel]->SetCaption(std::to_string(counters_[PlayerKings]));
    labels_[BankerKingLabel]->SetCaption(std::to_string(counters_[BankerKings]));
}

const TPngImage* TBJLResultTable::BeadPicture(const TRoadTableEntry& entry) const {
    return beadMarks_[std::size_t(KindOf(entry.ResultCode))][std::size_t(PairVariant(entry))].get();
}

const TPngImage* TBJLResultTable::SmallPicture(const TRoadTableEntry& entry) const {
    return smallMarks_[std::size_t(KindOf(entry.ResultCode))].get();
}

void TBJLResultTable::Paint(TCanvas& canvas) {
    if (backPicture_)
        canvas.Draw(0, 0, *backPicture_);
    else
        TLovelyPanel::Paint(canvas);
    for (std::size_t index = 0; index < columnRoad_.size(); ++index) {
        const TRoadTableEntry& entry = history_[index];
        // Columns outside the window: the oldest, and the end of a tail that runs past its right edge.
        const TRoadCell roadCell{columnRoad_[index].Column - hiddenRoadColumns_, columnRoad_[index].Row};
        if (roadCell.Column >= 1 && roadCell.Column <= kRoadColumns)
            DrawIfLoaded(canvas, RoadCellOrigin(roadCell), SmallPicture(entry));
        DrawIfLoaded(canvas, BeadCellOrigin(beadPlate_[index]), BeadPicture(entry));
    }
}

void TBJLResultTable::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    // Only the band drags; below it and right of it the panel is an ordinary surface.
    if (kCaptionBand.Contains({x, y}))
        TLovelyPanel::MouseDown(button, shift, x, y);
    else
        TCustomPanel::MouseDown(button, shift, x, y);
}

void TBJLResultTable::WndProc(TMessage& message) {
    if (message.Msg == kHitTestMessage) {
        // The question carries the screen point as two signed 16-bit halves.
        const TPoint screen{std::int16_t(message.LParam & 0xFFFF),
                            std::int16_t((message.LParam >> 16) & 0xFFFF)};
        if (kCaptionBand.Contains(ScreenToClient(screen))) {
            message.Result = kHitCaption;
            return;
        }
    }
    TLovelyPanel::WndProc(message);
}

} // namespace morvane
