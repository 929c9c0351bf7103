#include "graphics/BjlBottomBar.h"

#include "base/Gbk.h"
#include "graphics/AmountText.h"
#include "graphics/BarPictures.h"
#include "ui/PluginPictureButton.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace morvane {

namespace {

constexpr int kBarWidth = 791;
constexpr int kBarHeight = 105;
constexpr TColor kBackgroundColour = 0x202020;

// Default text of the bar.
constexpr const char* kFaceName = "宋体";
constexpr int kDefaultHeight = -13;
constexpr TColor kDefaultColour = 0x00FFFF;

struct TCell {
    int left, top, width, height;
};

// Captions: nickname, bean unit, hit rate, total.
constexpr std::array<TCell, 4> kCaptionCells{
    {{11, 14, 55, 20}, {11, 42, 55, 20}, {11, 65, 55, 20}, {11, 85, 55, 20}}};
constexpr int kCaptionHeight = -14;
constexpr TColor kCaptionColour = 0x08AFE1;
enum TOwnFigure { ofName, ofBeans, ofHitRate, ofTotal };
constexpr std::array<TCell, 4> kValueCells{
    {{73, 14, 120, 20}, {66, 44, 125, 20}, {66, 67, 125, 20}, {66, 87, 125, 20}}};
constexpr int kNameHeight = -14;
constexpr std::size_t kNameBytes = 20;

// Banker, Player and Tie wins.
constexpr std::array<TCell, 3> kWinCounterCells{{{742, 15, 32, 20}, {742, 45, 32, 20}, {742, 75, 32, 20}}};
constexpr int kWinCounterHeight = -17;

constexpr TPoint kLeftArrowPlace{202, 10};
constexpr TPoint kRightArrowPlace{672, 10};

// Result strip: slot i at x = 284 + 38 i, one row of 30 pixels per side (Banker, Player, Tie).
constexpr int kStripLeft = 284;
constexpr int kStripStep = 38;
constexpr int kStripTop = 11;
constexpr int kStripRowStep = 30;

} // namespace

TBjlBottomBar::TBjlBottomBar(TComponent* owner)
    : TCustomControl(owner), background_(BarPicture("BLL_BOTTOMINFO")), check_(BarPicture("BLL_CHECKINFO")),
      wonCheck_(BarPicture("BLL_SELCHECKINFO")) {
    SetBounds(0, 0, background_.Empty() ? kBarWidth : background_.Width(),
              background_.Empty() ? kBarHeight : background_.Height());
    SetColor(kBackgroundColour);
    CreateLabels();
    CreateArrows();
}

TBarLabel* TBjlBottomBar::AddLabel(int left, int top, int width, int height) {
    auto* label = Own(std::make_unique<TBarLabel>(this));
    label->SetBounds(left, top, width, height);
    label->Font().SetName(kFaceName);
    label->Font().SetHeight(kDefaultHeight);
    label->Font().SetStyle(fsBold);
    label->Font().SetColor(kDefaultColour);
    label->SetParent(this);
    return label;
}

void TBjlBottomBar::CreateLabels() {
    for (std::size_t i = 0; i < captions_.size(); ++i) {
        const TCell& cell = kCaptionCells[i];
        captions_[i] = AddLabel(cell.left, cell.top, cell.width, cell.height);
        captions_[i]->Font().SetHeight(kCaptionHeight);
        captions_[i]->Font().SetColor(kCaptionColour);
    }
    for (std::size_t i = 0; i < values_.size(); ++i) {
        const TCell& cell = kValueCells[i];
        values_[i] = AddLabel(cell.left, cell.top, cell.width, cell.height);
        values_[i]->SetTextFlags(dtNoPrefix | dtSingleLine | dtWordEllipsis);
    }
    values_[ofName]->Font().SetHeight(kNameHeight);
    for (std::size_t i = 0; i < winCounters_.size(); ++i) {
        const TCell& cell = kWinCounterCells[i];
        winCounters_[i] = AddLabel(cell.left, cell.top, cell.width, cell.height);
        winCounters_[i]->Font().SetHeight(kWinCounterHeight);
    }
    CountWins();
}

void TBjlBottomBar::CreateArrows() {
    auto makeArrow = [this](const char* name, TPoint place, void (TBjlBottomBar::*scroll)()) {
        auto* arrow = Own(std::make_unique<TPictureButton>(this));
        LoadBarButton(*arrow, name);
        arrow->SetLeft(place.x);
        arrow->SetTop(place.y);
        arrow->OnClick = [this, scroll](TControl*) { (this->*scroll)(); };
        arrow->SetParent(this);
        return arrow;
    };
    leftArrow_ = makeArrow("Left", kLeftArrowPlace, &TBjlBottomBar::ScrollLeft);
    rightArrow_ = makeArrow("Right", kRightArrowPlace, &TBjlBottomBar::ScrollRight);
}

void TBjlBottomBar::SetUserLookup(const IBarUserLookup* lookup) {
    lookup_ = lookup;
    RefreshOwnFigures();
}

void TBjlBottomBar::SetCaptions(const std::string& unitName) {
    if (unitName.empty() || !captions_[ofName]->Caption().empty()) return;
    captions_[ofBeans]->ShowText(unitName + "：", false);
    captions_[ofHitRate]->ShowText("命中率：", false);
    captions_[ofTotal]->ShowText("总  计：", false);
    captions_[ofName]->ShowText("昵  称：", false);
    RefreshOwnFigures();
}

void TBjlBottomBar::SetRoad(const TBarRoad& games) {
    if (strip_.SetRoad(games)) StripChanged();
}

void TBjlBottomBar::AddResult(bool played, std::int64_t win, const TBarRoadEntry& game) {
    beforeLast_ = {};
    if (!game.Valid()) return;
    beforeLast_ = {true, played, gamesWon_, total_};
    strip_.Add(game, played && win > 0);
    if (played) {
        ++gamesPlayed_;
        // A total beyond what 64 bits hold stays at the limit instead of turning over.
        if (__builtin_add_overflow(total_, win, &total_)) total_ = win > 0 ? INT64_MAX : INT64_MIN;
        if (win > 0) ++gamesWon_;
    }
    StripChanged();
}

void TBjlBottomBar::ReviseLastWin(std::int64_t win) {
    if (!beforeLast_.valid || strip_.Count() == 0) return;
    strip_.SetNewestWon(beforeLast_.played && win > 0);
    if (beforeLast_.played) {
        gamesWon_ = beforeLast_.gamesWon + (win > 0 ? 1 : 0);
        if (__builtin_add_overflow(beforeLast_.total, win, &total_)) total_ = win > 0 ? INT64_MAX : INT64_MIN;
    }
    StripChanged();
}

void TBjlBottomBar::ScrollLeft() {
    strip_.ScrollTo(strip_.First() - 1);
    TellTopBar();
    Invalidate();
}

void TBjlBottomBar::ScrollRight() {
    strip_.ScrollTo(strip_.First() + 1);
    TellTopBar();
    Invalidate();
}

void TBjlBottomBar::TellTopBar() {
    if (topBar_ != 0 && HasApplication())
        Application().PostMessage(topBar_, WM_BAR_SCROLL, strip_.First(), 0);
}

void TBjlBottomBar::StripChanged() {
    CountWins();
    RefreshOwnFigures();
    Invalidate();
}

void TBjlBottomBar::CountWins() {
    const TResultCounts counts = strip_.Counts();
    for (std::size_t kind = 0; kind < winCounters_.size(); ++kind)
        winCounters_[kind]->ShowText(std::to_string(counts.Wins[kind]), false);
}

void TBjlBottomBar::RefreshOwnFigures() {
    const std::int64_t ownId = lookup_ ? lookup_->OwnUserId() : 0;
    const std::optional<TBarUser> user =
        ownId > 0 ? lookup_->FindBarUser(ownId, kBarNoChair) : std::optional<TBarUser>();
    if (!user) {
        for (TBarLabel* value : values_)
            value->ShowText("", false);
        return;
    }
    values_[ofName]->ShowText(gbk::SafeCut(user->NickName, kNameBytes), false);
    values_[ofBeans]->ShowText(GroupedAmount(user->Beans), false);
    values_[ofBeans]->SetHint(PlainAmount(user->Beans));
    const long long hitRate = gamesPlayed_ > 0 ? (long long)gamesWon_ * 100 / gamesPlayed_ : 0;
    char rate[32];
    std::snprintf(rate, sizeof rate, "%-2lld%%", hitRate);
    values_[ofHitRate]->ShowText(rate, false);
    values_[ofTotal]->ShowText(GroupedAmount(total_), false);
}

void TBjlBottomBar::Paint(TCanvas& canvas) {
    if (background_.Empty())
        canvas.FillRect(ClientRect(), Color());
    else
        canvas.Draw(0, 0, background_);
    for (int slot = 0; slot < kBarStripColumns; ++slot) {
        const std::optional<int> shown = strip_.GameInColumn(slot);
        if (!shown) break;
        const TResultMark mark = Mark(*shown);
        const TResultKind side = ResultKindOf(mark.ResultCode);
        if (side == TResultKind::None) continue;
        canvas.Draw(kStripLeft + kStripStep * slot, kStripTop + kStripRowStep * int(side),
                    mark.Won ? wonCheck_ : check_);
    }
}

} // namespace morvane
