#include "graphics/BjlTopBar.h"

#include "base/Gbk.h"
#include "graphics/AmountText.h"
#include "graphics/BarPictures.h"
#include "ui/PluginPictureButton.h"

#include <algorithm>

namespace morvane {

namespace {

constexpr int kBarWidth = 784;
constexpr int kBarHeight = 133;

// Default text of the bar.
constexpr const char* kFaceName = "宋体";
constexpr int kDefaultSize = 10;
constexpr TColor kDefaultColour = 0x04E2FC;

// Points strip: column i at (40 + 21 i, 20) for the Banker and 20 pixels lower for the Player.
constexpr int kStripLeft = 40;
constexpr int kStripStep = 21;
constexpr int kBankerRowTop = 20;
constexpr int kPlayerRowTop = 40;
constexpr int kPointsWidth = 12;
constexpr int kPointsHeight = 13;
constexpr TColor kNewestColour = 0xE1E100;
constexpr TColor kOlderColour = 0x00FFFF;

// What may still be bet: Player, Tie, Banker lines, and the region each shows.
constexpr int kAcceptableLeft = 96;
constexpr std::array<int, 3> kAcceptableTops{64, 84, 104};
constexpr std::array<int, 3> kAcceptableRegions{2, 4, 0};
constexpr int kAcceptableWidth = 135;
constexpr int kAcceptableHeight = 15;

// Banker: captions and values in two columns of two rows.
struct TCell {
    int left, top, width, height;
};
constexpr std::array<TCell, 4> kBankerCaptionCells{
    {{275, 21, 55, 15}, {400, 21, 55, 15}, {275, 45, 55, 15}, {400, 45, 55, 15}}};
constexpr std::array<TCell, 4> kBankerValueCells{
    {{321, 23, 75, 15}, {453, 23, 65, 15}, {321, 47, 75, 15}, {453, 47, 65, 15}}};
constexpr int kBankerCaptionHeight = -14;
constexpr TColor kBankerCaptionColour = 0x05C4FB;
enum TBankerValue { bvName, bvBeans, bvWinnings, bvGames };

constexpr TCell kNoticeCell{278, 74, 245, 120};
constexpr TColor kNoticeColour = 0x06D9F7;

// Queue: two headers, then four rows 17 pixels apart (the beans sit one pixel higher than the names).
constexpr std::array<TCell, 2> kQueueHeaderCells{{{550, 41, 128, 13}, {680, 41, 80, 13}}};
constexpr int kQueueHeaderHeight = -13;
constexpr TColor kQueueHeaderColour = 0x04ABD0;
constexpr TCell kQueueNameCell{550, 55, 128, 13};
constexpr TCell kQueueBeansCell{680, 54, 100, 13};
constexpr int kQueueRowStep = 17;

// Up, Cancel and Down share one place (one of them shows at a time); Hog stands apart.
constexpr std::array<const char*, TBjlTopBar::kButtonCount> kButtonNames{"Up", "Cancel", "Down", "Hog"};
constexpr std::array<TPoint, TBjlTopBar::kButtonCount> kButtonPlaces{
    {{672, 13}, {672, 13}, {672, 13}, {553, 13}}};

// Nicknames show at most this many bytes.
constexpr std::size_t kNameBytes = 20;

} // namespace

TBjlTopBar::TBjlTopBar(TComponent* owner) : TCustomControl(owner), background_(BarPicture("BLL_TOPINFO0")) {
    SetBounds(0, 0, background_.Empty() ? kBarWidth : background_.Width(),
              background_.Empty() ? kBarHeight : background_.Height());
    CreateLabels();
    CreateButtons();
}

TBarLabel* TBjlTopBar::AddLabel(int left, int top, int width, int height) {
    auto* label = Own(std::make_unique<TBarLabel>(this));
    label->SetBounds(left, top, width, height);
    label->Font().SetName(kFaceName);
    label->Font().SetSize(kDefaultSize);
    label->Font().SetColor(kDefaultColour);
    label->SetParent(this);
    return label;
}

void TBjlTopBar::CreateLabels() {
    for (int i = 0; i < kBarStripColumns; ++i) {
        for (bool banker : {true, false}) {
            TBarLabel* label = AddLabel(kStripLeft + kStripStep * i, banker ? kBankerRowTop : kPlayerRowTop,
                                        kPointsWidth, kPointsHeight);
            label->SetTextFlags(dtNoPrefix | dtSingleLine | dtCenter);
            label->Font().SetStyle(fsBold);
            (banker ? bankerPoints_ : playerPoints_)[std::size_t(i)] = label;
        }
    }
    for (std::size_t row = 0; row < acceptable_.size(); ++row) {
        acceptable_[row] =
            AddLabel(kAcceptableLeft, kAcceptableTops[row], kAcceptableWidth, kAcceptableHeight);
        acceptable_[row]->ShowText("0", false);
    }
    for (std::size_t i = 0; i < bankerCaptions_.size(); ++i) {
        const TCell& cell = kBankerCaptionCells[i];
        bankerCaptions_[i] = AddLabel(cell.left, cell.top, cell.width, cell.height);
        bankerCaptions_[i]->Font().SetHeight(kBankerCaptionHeight);
        bankerCaptions_[i]->Font().SetColor(kBankerCaptionColour);
    }
    for (std::size_t i = 0; i < bankerValues_.size(); ++i) {
        const TCell& cell = kBankerValueCells[i];
        bankerValues_[i] = AddLabel(cell.left, cell.top, cell.width, cell.height);
        if (i == bvName || i == bvBeans)
            bankerValues_[i]->SetTextFlags(dtNoPrefix | dtSingleLine | dtEndEllipsis);
    }
    notice_ = AddLabel(kNoticeCell.left, kNoticeCell.top, kNoticeCell.width, kNoticeCell.height);
    notice_->Font().SetColor(kNoticeColour);
    notice_->SetTextFlags(dtNoPrefix | dtWordBreak);
    for (std::size_t i = 0; i < queueHeaders_.size(); ++i) {
        const TCell& cell = kQueueHeaderCells[i];
        queueHeaders_[i] = AddLabel(cell.left, cell.top, cell.width, cell.height);
        queueHeaders_[i]->Font().SetHeight(kQueueHeaderHeight);
        queueHeaders_[i]->Font().SetStyle(fsBold);
        queueHeaders_[i]->Font().SetColor(kQueueHeaderColour);
    }
    for (std::size_t row = 0; row < queueNames_.size(); ++row) {
        const int down = kQueueRowStep * int(row);
        queueNames_[row] = AddLabel(kQueueNameCell.left, kQueueNameCell.top + down, kQueueNameCell.width,
                                    kQueueNameCell.height);
        queueBeans_[row] = AddLabel(kQueueBeansCell.left, kQueueBeansCell.top + down, kQueueBeansCell.width,
                                    kQueueBeansCell.height);
        for (TBarLabel* label : {queueNames_[row], queueBeans_[row]})
            label->SetTextFlags(dtNoPrefix | dtSingleLine | dtWordEllipsis | dtEndEllipsis);
    }
}

void TBjlTopBar::CreateButtons() {
    for (int i = 0; i < kButtonCount; ++i) {
        auto* button = Own(std::make_unique<TPictureButton>(this));
        LoadBarButton(*button, kButtonNames[std::size_t(i)]);
        button->SetLeft(kButtonPlaces[std::size_t(i)].x);
        button->SetTop(kButtonPlaces[std::size_t(i)].y);
        button->SetVisible(false);
        button->SetEnabled(false);
        button->OnClick = [this, i](TControl*) {
            if (handlers_[std::size_t(i)]) handlers_[std::size_t(i)]();
        };
        button->SetParent(this);
        buttons_[std::size_t(i)] = button;
    }
}

void TBjlTopBar::SetCaptions(const std::string& unitName) {
    // The beans caption waits for a unit name: written without one it would be a lone colon after the
    // banker's name, and as the captions are written only once it would stay so.
    if (bankerCaptions_[1]->Caption().empty()) {
        bankerCaptions_[0]->ShowText("庄家：", false);
        if (!unitName.empty()) bankerCaptions_[1]->ShowText(unitName + "：", false);
        bankerCaptions_[2]->ShowText("成绩：", false);
        bankerCaptions_[3]->ShowText("局数：", false);
    }
    queueHeaders_[0]->ShowText("申请当庄玩家", false);
    queueHeaders_[1]->ShowText(unitName, false);
}

void TBjlTopBar::SetAcceptable(const std::array<std::int64_t, kRegionCount>& amounts) {
    for (std::size_t row = 0; row < acceptable_.size(); ++row)
        acceptable_[row]->ShowText(GroupedAmount(amounts[std::size_t(kAcceptableRegions[row])]), false);
}

void TBjlTopBar::SetRoad(const TBarRoad& games) {
    if (strip_.SetRoad(games)) ShowStrip();
}

void TBjlTopBar::AddResult(const TBarRoadEntry& game) {
    if (strip_.Add(game)) ShowStrip();
}

void TBjlTopBar::ShowStrip() {
    for (int column = 0; column < kBarStripColumns; ++column) {
        const std::optional<int> shown = strip_.GameInColumn(column);
        TBarLabel& banker = *bankerPoints_[std::size_t(column)];
        TBarLabel& player = *playerPoints_[std::size_t(column)];
        if (!shown) {
            banker.ShowText("", false);
            player.ShowText("", false);
            continue;
        }
        const TBarRoadEntry& game = strip_.Games()[std::size_t(*shown)];
        const TColor colour = strip_.IsNewest(*shown) ? kNewestColour : kOlderColour;
        banker.Font().SetColor(colour);
        player.Font().SetColor(colour);
        banker.ShowText(std::to_string(game.BankerPoints), false);
        player.ShowText(std::to_string(game.PlayerPoints), false);
    }
}

std::optional<TBarUser> TBjlTopBar::Lookup(const TBarQueueEntry& entry) const {
    if (entry.UserId <= 0) return std::nullopt;
    return lookup_->FindBarUser(entry.UserId, CheckedChair(entry.Chair));
}

void TBjlTopBar::UpdateBanker(int gamesAsBanker, const std::array<TBarQueueEntry, kBarQueueLength>& queue,
                              std::int64_t winnings, std::int64_t /*beans: the user record's are shown*/) {
    if (lookup_ == nullptr) return;
    ShowBanker(queue[0], gamesAsBanker, gamesAsBanker < 1 ? 0 : winnings);
    for (int row = 0; row < kBarQueueLength - 1; ++row)
        ShowApplicant(row, queue[std::size_t(row + 1)]);
}

void TBjlTopBar::ShowBanker(const TBarQueueEntry& banker, int gamesAsBanker, std::int64_t winnings) {
    const std::optional<TBarUser> user = Lookup(banker);
    if (!user) {
        for (TBarLabel* value : bankerValues_)
            value->ShowText("", false);
        return;
    }
    bankerValues_[bvName]->ShowText(gbk::SafeCut(user->NickName, kNameBytes), true);
    // Plain digits, as the applicants' beans; a cell too narrow for them still shows them in the hint.
    bankerValues_[bvBeans]->ShowText(PlainAmount(user->Beans), true);
    bankerValues_[bvWinnings]->ShowText(GroupedAmount(winnings), false);
    bankerValues_[bvGames]->ShowText(std::to_string(gamesAsBanker), false);
}

void TBjlTopBar::ShowApplicant(int row, const TBarQueueEntry& entry) {
    const std::optional<TBarUser> user = Lookup(entry);
    TBarLabel& name = *queueNames_[std::size_t(row)];
    TBarLabel& beans = *queueBeans_[std::size_t(row)];
    if (!user) {
        name.ShowText("", false);
        beans.ShowText("", false);
        return;
    }
    name.ShowText(gbk::SafeCut(user->NickName, kNameBytes), true);
    beans.ShowText(PlainAmount(user->Beans), false);
}

void TBjlTopBar::SetButtonHandler(int index, std::function<void()> handler) {
    if (index < 0 || index >= kButtonCount) return;
    handlers_[std::size_t(index)] = std::move(handler);
}

void TBjlTopBar::SetButtonStates(const std::array<bool, 6>& flags) {
    for (std::size_t i = 0; i < 3; ++i) {
        buttons_[i]->SetVisible(flags[i]);
        buttons_[i]->SetEnabled(flags[i + 3]);
    }
}

void TBjlTopBar::SetHogState(bool visible, bool enabled) {
    buttons_[kButtonHog]->SetVisible(visible);
    buttons_[kButtonHog]->SetEnabled(enabled);
}

void TBjlTopBar::Paint(TCanvas& canvas) {
    if (background_.Empty()) {
        canvas.FillRect(ClientRect(), clBlack);
        return;
    }
    canvas.Draw(0, 0, background_, backgroundBlend_);
}

void TBjlTopBar::WndProc(TMessage& message) {
    if (message.Msg == WM_BAR_SCROLL) {
        strip_.ScrollTo(message.WParam);
        ShowStrip();
        return;
    }
    TCustomControl::WndProc(message);
}

} // namespace morvane
