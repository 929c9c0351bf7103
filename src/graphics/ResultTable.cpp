#include "graphics/ResultTable.h"

#include "graphics/PictureResources.h"
#include "gui/Canvas.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

namespace morvane {

namespace {

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

// Picture names by side (Banker, Player, Tie): bead marks take the pair variant as a suffix.
constexpr std::array<const char*, kResultKindCount> kBeadNames{"Land", "Idle", "ping"};
constexpr std::array<const char*, kResultKindCount> kSmallNames{"SLand", "SIdle", "Sping"};

int PairVariant(const TResultTableEntry& entry) {
    return (entry.BankerPair != 0 ? 1 : 0) + (entry.PlayerPair != 0 ? 2 : 0);
}

// Hundredths of a per cent as "00.00%" (1 of 32 reads 03.13%).
std::string Percentage(int hundredths) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d%%", hundredths / 100, hundredths % 100);
    return text;
}

void DrawIfLoaded(TCanvas& canvas, TPoint at, const TPngImage* picture) {
    if (picture) canvas.Draw(at.x, at.y, *picture);
}

// The button's four faces (a missing one left empty), decoded once for every table of the process.
void LoadSharedButtonFaces(TPictureButton& button, const std::string& base) {
    const auto face = [&base](const char* state) {
        std::unique_ptr<TPngImage> picture = LoadPictureByName(base + state);
        return picture ? *picture : TPngImage();
    };
    button.SetCommPicture(face("Comm"));
    button.SetMovePicture(face("Move"));
    button.SetDownPicture(face("Down"));
    button.SetGrayPicture(face("Gray"));
}

} // namespace

TBJLResultTable::TBJLResultTable(TComponent* owner) : TLovelyPanel(owner) {
    SetTransparentColor(clNone);
    SetLockedPoint(false);
    SetTitleHeight(kCaptionBand.bottom);
    if (const std::optional<TPictureSize> size = PictureSizeByName("TBALEBACK"))
        SetBounds(Left(), Top(), size->Width, size->Height);
    CreateLabels();
    CreateCloseButton();
    CreatePageButtons();
    ResetHistory();
}

void TBJLResultTable::LoadPictures() {
    if (std::exchange(picturesLoaded_, true)) return;
    roadsPage_.LoadPictures();
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
    LoadSharedButtonFaces(*closeButton_, "Close");
    closeButton_->SetLeft(kCloseButtonAt.x);
    closeButton_->SetTop(kCloseButtonAt.y);
    closeButton_->OnClick = [this](TControl*) { Hide(); };
}

TPictureButton* TBJLResultTable::CreatePictureButton(const std::string& baseName, TPoint at) {
    TPictureButton* button = Own(std::make_unique<TPictureButton>(this));
    button->SetParent(this);
    LoadSharedButtonFaces(*button, baseName);
    button->SetLeft(at.x);
    button->SetTop(at.y);
    return button;
}

void TBJLResultTable::CreatePageButtons() {
    roadsPageButton_ = CreatePictureButton("RoadPage", kRoadsPageButtonAt);
    roadsPageButton_->OnClick = [this](TControl*) { ShowPage(TPage::Roads); };
    beadsPageButton_ = CreatePictureButton("BeadPage", kBeadsPageButtonAt);
    beadsPageButton_->OnClick = [this](TControl*) { ShowPage(TPage::Beads); };
    askBankerButton_ = CreatePictureButton("AskLand", kAskBankerButtonAt);
    askBankerButton_->OnClick = [this](TControl*) { Ask(TResultKind::Banker); };
    askPlayerButton_ = CreatePictureButton("AskIdle", kAskPlayerButtonAt);
    askPlayerButton_->OnClick = [this](TControl*) { Ask(TResultKind::Player); };
    askTimer_ = Own(std::make_unique<TTimer>(this));
    askTimer_->SetEnabled(false);
    askTimer_->SetInterval(kAskBlinkInterval);
    askTimer_->SetOnTimer([this](TTimer*) { StepAskBlink(); });
    ShowPageControls();
}

TPictureButton& TBJLResultTable::AskButton(TResultKind side) const {
    return side == TResultKind::Banker ? *askBankerButton_ : *askPlayerButton_;
}

void TBJLResultTable::ShowPage(TPage page) {
    if (page_ == page) return;
    EndAsk();
    page_ = page;
    ShowPageControls();
    Invalidate();
}

void TBJLResultTable::ShowPageControls() {
    const bool beads = page_ == TPage::Beads;
    for (TLabel* label : labels_)
        label->SetVisible(beads);
    roadsPageButton_->SetVisible(beads);
    beadsPageButton_->SetVisible(!beads);
    askBankerButton_->SetVisible(!beads);
    askPlayerButton_->SetVisible(!beads);
}

void TBJLResultTable::Ask(TResultKind side) {
    if (side != TResultKind::Banker && side != TResultKind::Player) return;
    askPhase_ = 0;
    roadsPage_.SetAsking(side, true);
    // Disabling first restarts the interval, so a second press gets a whole first phase too.
    askTimer_->SetEnabled(false);
    askTimer_->SetEnabled(true);
    Invalidate();
}

void TBJLResultTable::StepAskBlink() {
    if (++askPhase_ >= kAskBlinkPhases) {
        EndAsk();
    } else {
        roadsPage_.SetAsking(roadsPage_.Asking(), askPhase_ % 2 == 0);
    }
    Invalidate();
}

void TBJLResultTable::EndAsk() {
    askTimer_->SetEnabled(false);
    askPhase_ = 0;
    if (roadsPage_.Asking() == TResultKind::None) return;
    roadsPage_.SetAsking(TResultKind::None, false);
    Invalidate();
}

void TBJLResultTable::VisibleChanged() {
    TLovelyPanel::VisibleChanged();
    // Closed, the window forgets the page it was on: it opens on the bead plate again.
    if (!Visible() && !Destroying()) ShowPage(TPage::Beads);
}

TPoint TBJLResultTable::RoadCellOrigin(TRoadCell cell) {
    return {kRoadOrigin.x + (cell.Column - 1) * kRoadStep, kRoadOrigin.y + (cell.Row - 1) * kRoadStep};
}

TPoint TBJLResultTable::BeadCellOrigin(TRoadCell cell) {
    return {kBeadOrigin.x + (cell.Column - 1) * kBeadStep, kBeadOrigin.y + (cell.Row - 1) * kBeadStep};
}

void TBJLResultTable::ResetHistory() {
    count_ = 0;
    history_.fill({});
    counts_ = {};
    columnRoad_ = {};
    beadPlate_ = {};
    hiddenRoadColumns_ = 0;
    roadsPage_.SetHistory({});
    if (askTimer_) askTimer_->SetEnabled(false);
}

void TBJLResultTable::SetResults(std::span<const TResultTableEntry> entries, int count) {
    // More games than the road holds, or fewer than none, is no history at all: the table starts empty.
    if (count > kRoadLength || count < 0) count = 0;
    history_.fill({});
    count_ = 0;
    // A byte that is no result code would pick no mark and no counter: such a game is left out.
    for (const TResultTableEntry& entry : entries.first(std::min(std::size_t(count), entries.size())))
        if (entry.Valid()) history_[std::size_t(count_++)] = entry;
    counts_ = CountResults(History());
    LayOutRoads();
    Invalidate();
    UpdateLabels();
}

std::span<const TResultTableEntry> TBJLResultTable::History() const {
    return {history_.data(), std::size_t(count_)};
}

void TBJLResultTable::LayOutRoads() {
    columnRoad_ = LayOutColumnRoad(History(), kRoadRows);
    beadPlate_ = LayOutBeadPlate(History(), kBeadRows);
    hiddenRoadColumns_ = HiddenColumns(columnRoad_, kRoadColumns);
    // A new history ends any ask: it asked about the games before.
    askTimer_->SetEnabled(false);
    roadsPage_.SetHistory(History());
}

void TBJLResultTable::UpdateLabels() {
    constexpr std::array<TResultKind, 3> kSides{TResultKind::Player, TResultKind::Tie, TResultKind::Banker};
    for (int side = 0; side < 3; ++side) {
        const TResultKind kind = kSides[std::size_t(side)];
        labels_[PlayerCountLabel + side]->SetCaption(std::to_string(counts_.WinsOf(kind)));
        labels_[PlayerPercentLabel + side]->SetCaption(Percentage(counts_.ShareOf(kind)));
    }
    labels_[PlayerPairsLabel]->SetCaption(std::to_string(counts_.PlayerPairs));
    labels_[BankerPairsLabel]->SetCaption(std::to_string(counts_.BankerPairs));
    labels_[PlayerKingLabel]->SetCaption(std::to_string(counts_.PlayerKings));
    labels_[BankerKingLabel]->SetCaption(std::to_string(counts_.BankerKings));
}

const TPngImage* TBJLResultTable::BeadPicture(const TResultTableEntry& entry) const {
    const TResultKind kind = ResultKindOf(entry.ResultCode);
    if (kind == TResultKind::None) return nullptr;
    return beadMarks_[std::size_t(kind)][std::size_t(PairVariant(entry))].get();
}

const TPngImage* TBJLResultTable::SmallPicture(const TResultTableEntry& entry) const {
    const TResultKind kind = ResultKindOf(entry.ResultCode);
    return kind == TResultKind::None ? nullptr : smallMarks_[std::size_t(kind)].get();
}

void TBJLResultTable::Paint(TCanvas& canvas) {
    LoadPictures();
    if (page_ == TPage::Roads) {
        roadsPage_.Paint(canvas);
        return;
    }
    if (backPicture_)
        canvas.Draw(0, 0, *backPicture_);
    else
        TLovelyPanel::Paint(canvas);
    for (const TRoadMark& mark : columnRoad_.Marks) {
        // Columns outside the window: the oldest, and the end of a tail that runs past its right edge.
        const TRoadCell cell{mark.Cell.Column - hiddenRoadColumns_, mark.Cell.Row};
        if (cell.Column >= 1 && cell.Column <= kRoadColumns)
            DrawIfLoaded(canvas, RoadCellOrigin(cell), SmallPicture(mark.Entry));
    }
    for (const TRoadMark& mark : beadPlate_.Marks)
        DrawIfLoaded(canvas, BeadCellOrigin(mark.Cell), BeadPicture(mark.Entry));
}

void TBJLResultTable::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    // Only the band drags; below it and right of it the panel is an ordinary surface.
    if (DragsAt({x, y}))
        TLovelyPanel::MouseDown(button, shift, x, y);
    else
        TCustomPanel::MouseDown(button, shift, x, y);
}

bool TBJLResultTable::DragsAt(TPoint client) const {
    if (!kCaptionBand.Contains(client)) return false;
    for (const TPictureButton* button : {roadsPageButton_, beadsPageButton_})
        if (button->Visible() && button->BoundsRect().Contains(client)) return false;
    return true;
}

void TBJLResultTable::WndProc(TMessage& message) {
    if (message.Msg == kHitTestMessage) {
        // The question carries the screen point as two signed 16-bit halves.
        const TPoint screen{std::int16_t(message.LParam & 0xFFFF),
                            std::int16_t((message.LParam >> 16) & 0xFFFF)};
        if (DragsAt(ScreenToClient(screen))) {
            message.Result = kHitCaption;
            return;
        }
    }
    TLovelyPanel::WndProc(message);
}

} // namespace morvane
