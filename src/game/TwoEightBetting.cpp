// The table client's betting: chip buttons and the chip cursor, the checks of a bet click, the field
// highlight, bet notices with their chips and sounds, and the piles and numbers on the board.
#include "base/ClampedMath.h"
#include "game/GameRequests.h"
#include "game/TwoEightClient.h"
#include "graphics/BjlTopBar.h"
#include "graphics/ClockNumber.h"
#include "graphics/PictureResources.h"
#include "graphics/PngAction.h"
#include "graphics/PngNumber.h"
#include "gui/Form.h"
#include "gui/Image.h"
#include "plugin/ChatLineKinds.h"
#include "plugin/CustomPluginShare.h"
#include "ui/PluginPictureButton.h"

#include <algorithm>

namespace morvane {

namespace {

// Highlighting stops once the round's stake would pass this, whatever the room's personal maximum.
constexpr std::int64_t kHighlightStakeBound = 1000000;
constexpr int kMostPileChips = 200;
constexpr int kFewestPiledTotal = 10;
constexpr int kLongestRun = 18;
constexpr int kSometimesPercent = 35;
constexpr int kRarelyPercent = 15;
constexpr int kSparkleLoops = 1;
constexpr int kSparkleInterval = 100;
constexpr std::array<TPoint, kRegionCount> kAnimationAt{
    {{580, 319}, {580, 458}, {60, 319}, {60, 458}, {325, 369}, {325, 458}, {580, 210}, {60, 210}}};

} // namespace

// [SECTION] Chips and the cursor

void TTwoEightClient::SetupChipButtons() {
    for (int i = 0; i < kChipButtonCount; ++i) {
        const int chip = ClampChipIndex(scene_.ChipIndices[std::size_t(i)]);
        TPictureButton& button = *chipButtons_[std::size_t(i)];
        const std::string name(kChipNames[std::size_t(chip)]);
        TButtonPictures faces = LoadButtonPictures(name);
        if (faces.Comm) button.SetCommPicture(*faces.Comm);
        if (faces.Move) button.SetMovePicture(*faces.Move);
        if (faces.Gray) button.SetGrayPicture(*faces.Gray);
        button.SetCaption(name);
        button.SetTag(chip);
        chipButtonValues_[std::size_t(i)] = kChipValues[std::size_t(chip)];
        button.SetVisible(true);
    }
}

void TTwoEightClient::ChipButtonClick(int button) {
    if (OnBankersChair())
        SetTableCursor(kNormalCursor);
    else
        SetTableCursor(int(chipButtons_.at(std::size_t(button))->Tag()) + 1);
}

void TTwoEightClient::SetTableCursor(int cursor) {
    if (cursor == tableCursor_) return;
    tableCursor_ = cursor;
    // Every surface of the table wears the chip, so the cursor stays a chip while it moves over them.
    SetCursor(cursor);
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->SetCursor(cursor);
    if (TForm* form = ParentForm(); form && form->WindowId() && HasApplication())
        Application().System().SetCursorShape(form->WindowId(), cursor);
}

// [SECTION] The bet click

void TTwoEightClient::ShowSystemLine(const std::string& text, std::int64_t kind) {
    // Shown like every other line of the table: through the host's filter into the chat view.
    if (TCustomPluginShare* hub = Share()) hub->ShowText(text, kind);
}

void TTwoEightClient::ReportBetRefusal(const std::string& text) {
    ShowSystemLine(text, lines::kPrompt);
}

void TTwoEightClient::TableMouseDown(TMouseButton button, int x, int y) {
    if (button != TMouseButton::mbLeft) {
        SetTableCursor(kNormalCursor);
        return;
    }
    const std::optional<int> region = RegionAt(x, y);
    if (!region) return;
    if (scene_.NoBanker && scene_.AutoPass) {
        ReportBetRefusal("现在无人上庄，系统自动过牌，不能下注 ");
        return;
    }
    if (scene_.Phase != TGamePhase::Betting) {
        ReportBetRefusal("现在不是下注时间，请稍后下注 ");
        return;
    }
    if (OnBankersChair()) return;
    const std::int64_t chip = ChipValueOfCursor(tableCursor_);
    if (chip == 0) {
        ReportBetRefusal("下注失败，请选择正确的筹码 ");
        return;
    }
    if (SumAbove(SumOwnStakes(), chip, scene_.PersonalStakeCap)) {
        ReportBetRefusal("下注失败，因为您的下注金额已经达到个人最大下注金额 ");
        RefreshView();
        return;
    }
    if (SumAbove(playerStake_, chip, MyBeans())) {
        ReportBetRefusal("您的余额已不足，请及时充值");
        RefreshView();
        return;
    }
    if (!PassesAntiRepeat()) return;
    TBetRequest request;
    request.UserId = GetMyID();
    request.Chair = GetMySeat();
    request.Amount = chip;
    request.Region = std::uint8_t(*region);
    const std::vector<std::uint8_t> bytes = request.Write();
    SendTableData(bytes, 0);
}

bool TTwoEightClient::PassesAntiRepeat() {
    if (tableCursor_ == lastChipCursor_) {
        if (repeatCount_ > kLongestRun) {
            ReportBetRefusal("不要老用一个筹码，换用一下别的筹码吧");
            return false;
        }
        ++repeatCount_;
    } else {
        lastChipCursor_ = tableCursor_;
        repeatCount_ = 0;
    }
    return true;
}

// [SECTION] Highlighting

void TTwoEightClient::HideRegionPictures() {
    for (TImage* picture : regionPictures_)
        picture->SetVisible(false);
}

void TTwoEightClient::TableMouseMove(int x, int y) {
    if (scene_.Phase != TGamePhase::Betting) {
        HideRegionPictures();
        return;
    }
    if (x > kTableAreaWidth) SetTableCursor(kNormalCursor);
    const std::int64_t chip = ChipValueOfCursor(tableCursor_);
    if (OnBankersChair() || SumAbove(playerStake_, chip, kHighlightStakeBound) || chip == 0 ||
        SumAbove(playerStake_, chip, MyBeans()))
        return;
    HighlightRegion(x, y);
}

void TTwoEightClient::HighlightRegion(int x, int y) {
    const std::optional<int> region = RegionAt(x, y);
    if (!region) {
        HideRegionPictures();
        return;
    }
    regionPictures_[std::size_t(*region)]->SetVisible(true);
}

void TTwoEightClient::UpdateChipButtons() {
    const bool open = !IAmBanker() && scene_.Phase == TGamePhase::Betting && !scene_.NoBanker;
    const std::int64_t free = ClampedSub(MyBeans(), playerStake_);
    for (int i = 0; i < kChipButtonCount; ++i) {
        const std::int64_t value = chipButtonValues_[std::size_t(i)];
        chipButtons_[std::size_t(i)]->SetEnabled(open && free >= value &&
                                                 ClampedAdd(playerStake_, value) < scene_.PersonalStakeCap);
    }
}

// [SECTION] Bet notices

void TTwoEightClient::HandleBetNotice(const TBetNotice& notice) {
    if (scene_.Phase != TGamePhase::Betting) return;
    const std::uint8_t region = notice.Region;
    scene_.TotalStakes[region] = notice.RegionTotal;
    ++betNoticeCount_;
    if (notice.UserId == GetMyID()) {
        scene_.OwnStakes[region] = notice.UserStake;
        AddChip(region, notice.Amount);
        playerStake_ = SumOwnStakes();
        PlayChipSound(notice.Amount);
    } else if (ShowsOtherChip(region)) {
        AddChip(region, notice.Amount);
        PlayChipSound(notice.Amount);
    }
    const int clockLeft = ClampedSub(scene_.BettingTime, notice.PhaseElapsed);
    if (clockLeft < clock_->Value()) clock_->SetValue(std::max(clockLeft, 0));
    if (notice.Amount >= chipButtonValues_[kChipButtonCount - 1]) PlaySparkle(region);
    // The numbers on the board and the chip buttons wait for the next refresh (the numbers at the latest
    // for the last second of betting); a chip the balance no longer covers is refused by the click.
    UpdateAcceptable();
}

bool TTwoEightClient::ShowsOtherChip(std::uint8_t region) {
    if (region != brBanker && region != brPlayer) return true;
    // A crowded round still shows some of the chips on the two main fields, and sounds some of them.
    if (betNoticeCount_ <= kAllChipsNotices) return true;
    const int percent = betNoticeCount_ <= kFewChipsNotices ? kSometimesPercent : kRarelyPercent;
    return random_.Next(100) < percent;
}

void TTwoEightClient::AddChip(int region, std::int64_t amount) {
    TTemplateOverlapPng& pile = *chipPiles_[std::size_t(region)];
    // The heap repaints only where the chip lies.
    PlaceChipOfValue(pile, stakeMarkers_, amount, random_);
}

void TTwoEightClient::PlayChipSound(std::int64_t amount) {
    const std::string sound = ChipSoundName(amount);
    if (!sound.empty()) PlaySound(sound);
}

void TTwoEightClient::PlaySparkle(int region) {
    const TPoint at = kAnimationAt[std::size_t(region)];
    sparkle_->Stop();
    sparkle_->SetParams(kSparkleLoops, kSparkleInterval, at.x, at.y);
    sparkle_->SetKind(1);
    sparkle_->Start();
}

void TTwoEightClient::UpdateAcceptable() {
    TAcceptableInputs inputs;
    inputs.Totals = scene_.TotalStakes;
    inputs.BankerBeans = scene_.BankerBeans;
    inputs.BankerPayoutCap = scene_.BankerPayoutCap;
    inputs.RegionPayoutCap = scene_.RegionPayoutCap;
    inputs.Hedging = scene_.Hedging;
    scene_.AcceptableAmounts = AcceptableAmounts(inputs);
    topBar_->SetAcceptable(scene_.AcceptableAmounts);
}

// [SECTION] Piles and numbers

void TTwoEightClient::BuildPiles() {
    pilesBuilt_ = true;
    for (int region = 0; region < kRegionCount; ++region) {
        TTemplateOverlapPng& pile = *chipPiles_[std::size_t(region)];
        pile.Clear();
        std::int64_t rest = scene_.TotalStakes[std::size_t(region)];
        if (rest < kFewestPiledTotal) continue;
        int placed = 0;
        while (rest >= chipButtonValues_[0] && placed < kMostPileChips) {
            int button = kChipButtonCount - 1;
            while (button > 0 && chipButtonValues_[std::size_t(button)] > rest)
                --button;
            const std::int64_t value = chipButtonValues_[std::size_t(button)];
            if (value <= 0) break;
            PlaceChipOfValue(pile, stakeMarkers_, value, random_);
            rest -= value;
            ++placed;
        }
        pile.Invalidate();
    }
}

void TTwoEightClient::UpdateRegionNumbers() {
    const bool playing = IsPlaying();
    for (int i = 0; i < kRegionCount; ++i) {
        const std::int64_t total = std::max<std::int64_t>(scene_.TotalStakes[std::size_t(i)], 0);
        const std::int64_t own = std::max<std::int64_t>(scene_.OwnStakes[std::size_t(i)], 0);
        regionTotals_[std::size_t(i)]->SetTotalNum(total);
        ownStakes_[std::size_t(i)]->SetTotalNum(own);
        regionTotals_[std::size_t(i)]->SetVisible(playing && total != 0);
        ownStakes_[std::size_t(i)]->SetVisible(playing && own != 0);
        betCaptions_[std::size_t(i)]->SetVisible(ownStakes_[std::size_t(i)]->Visible());
    }
}

std::int64_t TTwoEightClient::SumOwnStakes() const {
    return StakeSum(scene_.OwnStakes);
}

} // namespace morvane
