#include "game/Form1.h"

#include "base/ClampedMath.h"
#include "game/GameRequests.h"
#include "gui/Application.h"
#include "gui/Button.h"
#include "gui/Canvas.h"
#include "gui/Frame3D.h"
#include "gui/GroupBox.h"
#include "gui/Label.h"
#include "gui/SystemColors.h"
#include "gui/Timer.h"
#include "platform/Platform.h"

#include <cstdint>
#include <string>

namespace morvane {

namespace {

constexpr const char* kInitialCaption = "Form1";
constexpr const char* kComputerBankerCaption = "电脑当庄";
constexpr const char* kPlayerBankerCaption = "玩家当庄";
constexpr const char* kComputerStakeCaption = "电脑押注：";
constexpr const char* kPlayersStakeCaption = "玩家押注：";
constexpr const char* kNoOutcomeCaption = "...";
constexpr const char* kLossCaption = "输：";
constexpr const char* kWinCaption = "赢：";
constexpr const char* kCommandCaption = "OK";

constexpr const char* kFormFace = "Tahoma";
constexpr int kFormFontSize = 8;
constexpr const char* kBoxFace = "宋体";
constexpr int kBoxFontSize = 9;

constexpr int kBoxWidth = 217;
constexpr int kBoxHeight = 153;
constexpr TPoint kStakeLabelAt{24, 24};
constexpr TPoint kOutcomeLabelAt{24, 56};
constexpr TPoint kCommandButtonAt{128, 119};
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

// The window has no system frame: its caption is drawn in a band above the boxes, which drags it, with a
// close box at its right end.
constexpr int kCaptionBandHeight = 22;
constexpr int kCaptionTextLeft = 8;
constexpr TColor kCaptionBandFrom = 0x6A240A;
constexpr TColor kCaptionBandTo = 0xC8A060;
constexpr int kCloseBoxSize = 16;
constexpr int kCloseBoxMargin = 3;

// Where each region's box stands and the tag its command button sends; -1: the box has no command and
// shows no outcome.
struct TRegionPlace {
    TPoint At;
    int Tag;
};

constexpr std::array<TRegionPlace, kRegionCount> kRegionPlaces{{
    {{460, 182}, 1},
    {{460, 340}, 3},
    {{16, 182}, 2},
    {{16, 340}, 4},
    {{238, 182}, -1},
    {{238, 340}, -1},
    {{460, 24}, -1},
    {{16, 24}, -1},
}};

bool HasCommand(int region) {
    return kRegionPlaces[std::size_t(region)].Tag >= 1;
}

// A winning stake comes back with its odds on top: 2, 3, 2, 3, 9, 33, 12, 12 times the stake.
int Multiplier(int region) {
    return kBetRegions[std::size_t(region)].Odds + 1;
}

using TWeights = std::array<int, kRegionCount>;

// How many times each region's stake counts in what the computer makes, as banker, when `region` wins:
// it keeps every stake and pays the winners. A King win also wins the plain side below it.
TWeights BankerWeights(int region) {
    TWeights weights;
    weights.fill(1);
    weights[std::size_t(region)] -= Multiplier(region);
    if (region == brBankerKing) weights[brBanker] -= Multiplier(brBanker);
    if (region == brPlayerKing) weights[brPlayer] -= Multiplier(brPlayer);
    return weights;
}

void UseBoxFont(TControl& control) {
    control.Font().SetName(kBoxFace);
    control.Font().SetSize(kBoxFontSize);
    control.Font().SetColor(clBlack);
}

} // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    SetBounds(0, 0, kClientWidth, kClientHeight);
    SetCaption(kInitialCaption);
    SetColor(clBtnFace);
    Font().SetName(kFormFace);
    Font().SetSize(kFormFontSize);
    for (int region = 0; region < kRegionCount; ++region)
        CreateRegionBox(region);
    timer_ = Own(std::make_unique<TTimer>(this));
    timer_->SetInterval(kPollInterval);
    timer_->SetOnTimer([this](TTimer*) { TimerTick(); });
}

void TForm1::CreateRegionBox(int region) {
    const std::size_t index = std::size_t(region);
    const TRegionPlace& place = kRegionPlaces[index];
    auto* box = Own(std::make_unique<TGroupBox>(this));
    UseBoxFont(*box);
    box->SetBounds(place.At.x, place.At.y, kBoxWidth, kBoxHeight);
    box->SetCaption(std::string(kBetRegions[index].Name));
    box->SetParent(this);
    boxes_[index] = box;

    auto addLabel = [&](TPoint at, const char* caption) {
        auto* label = Own(std::make_unique<TLabel>(this));
        UseBoxFont(*label);
        label->SetLeft(at.x);
        label->SetTop(at.y);
        label->SetParent(box);
        label->SetCaption(caption);
        return label;
    };
    stakeLabels_[index] = addLabel(kStakeLabelAt, kComputerStakeCaption);
    outcomeLabels_[index] = addLabel(kOutcomeLabelAt, kNoOutcomeCaption);
    outcomeLabels_[index]->SetVisible(HasCommand(region));

    auto* button = Own(std::make_unique<TButton>(this));
    UseBoxFont(*button);
    button->SetBounds(kCommandButtonAt.x, kCommandButtonAt.y, kButtonWidth, kButtonHeight);
    button->SetCaption(kCommandCaption);
    button->SetTag(place.Tag);
    button->SetTabStop(true);
    button->SetVisible(HasCommand(region));
    button->SetParent(box);
    button->OnClick = [this](TControl* sender) { CommandButtonClick(sender); };
    commandButtons_[index] = button;
}

std::int64_t TForm1::Outcome(const TComputerBetNotice& notice, int region) {
    TWeights weights = BankerWeights(region);
    // With a player holding the bank the computer's own stakes play against him: the other way round.
    if (!notice.ComputerIsBanker())
        for (int& weight : weights)
            weight = -weight;
    return ClampedWeightedSum(weights, notice.Amounts);
}

void TForm1::ShowNotice(const TComputerBetNotice& notice) {
    const bool computerBanks = notice.ComputerIsBanker();
    SetCaption(computerBanks ? kComputerBankerCaption : kPlayerBankerCaption);
    const std::string stakeCaption = computerBanks ? kPlayersStakeCaption : kComputerStakeCaption;
    for (int region = 0; region < kRegionCount; ++region) {
        const std::size_t index = std::size_t(region);
        stakeLabels_[index]->SetCaption(stakeCaption + std::to_string(notice.Amounts[index]));
        if (!HasCommand(region)) continue;
        const std::int64_t outcome = Outcome(notice, region);
        TLabel& label = *outcomeLabels_[index];
        label.Font().SetColor(outcome < 0 ? clRed : clBlack);
        label.SetCaption((outcome < 0 ? kLossCaption : kWinCaption) + std::to_string(outcome));
    }
}

void TForm1::ShowStatistics() {
    CentreOnScreen();
    Show();
}

bool TForm1::Showing() const {
    return TForm::Showing();
}

void TForm1::CloseStatistics() {
    Hide();
}

void TForm1::CentreOnScreen() {
    auto* platform = HasApplication() ? dynamic_cast<TPlatform*>(&Application().System()) : nullptr;
    if (!platform) return;
    const TRect screen = platform->ScreenWorkArea();
    SetBounds(screen.left + (screen.Width() - Width()) / 2, screen.top + (screen.Height() - Height()) / 2,
              Width(), Height());
}

void TForm1::CommandButtonClick(TControl* sender) {
    if (!sender || sender->Tag() < 1) return;
    SendRequest(TStatisticsRequest::kCommand, std::int32_t(sender->Tag()));
}

void TForm1::TimerTick() {
    if (Showing()) SendRequest(TStatisticsRequest::kPoll, -1);
}

void TForm1::SendRequest(std::uint8_t action, std::int32_t argument) {
    if (OnStatisticsRequest) OnStatisticsRequest(action, argument);
}

TRect TForm1::CloseBox() const {
    const int right = Width() - kCloseBoxMargin;
    return {right - kCloseBoxSize, kCloseBoxMargin, right, kCloseBoxMargin + kCloseBoxSize};
}

void TForm1::Paint(TCanvas& canvas) {
    TForm::Paint(canvas);
    canvas.GradientFill({0, 0, Width(), kCaptionBandHeight}, kCaptionBandFrom, kCaptionBandTo, 0);
    canvas.Font().Assign(Font());
    canvas.Font().SetStyle(fsBold);
    canvas.Font().SetColor(clWhite);
    canvas.Brush().style = TBrushStyle::bsClear;
    canvas.DrawText({kCaptionTextLeft, 0, CloseBox().left, kCaptionBandHeight}, Caption(),
                    dtSingleLine | dtVCenter | dtNoPrefix);

    const TRect close = CloseBox();
    canvas.FillRect(close, ColorToRGB(clBtnFace));
    Frame3D(canvas, close, clBtnHighlight, cl3DDkShadow);
    // The cross, drawn as two diagonals a pixel wide with a second pixel beside each for weight.
    const int inset = 4;
    for (int step = 0; step <= close.Width() - 2 * inset - 1; ++step) {
        for (int weight = 0; weight < 2; ++weight) {
            canvas.SetPixel(close.left + inset + step + weight, close.top + inset + step, clBlack);
            canvas.SetPixel(close.right - inset - 1 - step - weight, close.top + inset + step, clBlack);
        }
    }
    Frame3D(canvas, ClientRect(), clBtnHighlight, cl3DDkShadow);
}

void TForm1::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TForm::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft || y >= kCaptionBandHeight) return;
    if (CloseBox().Contains({x, y}))
        CloseStatistics();
    else
        StartTitleDrag();
}

} // namespace morvane
