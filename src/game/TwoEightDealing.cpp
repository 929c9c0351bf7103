// The table client's dealing and settlement: the cards flying to the two hands, the points and the
// commentary, then the settlement notice with its sounds, panel, blinking winners and round results.
#include "base/ClampedMath.h"
#include "game/TwoEightClient.h"
#include "graphics/BarLabel.h"
#include "graphics/BjlBottomBar.h"
#include "graphics/BjlTopBar.h"
#include "graphics/PngCardGroupGraphic.h"
#include "gui/Image.h"
#include "gui/Label.h"
#include "gui/Timer.h"
#include "plugin/CustomPluginShare.h"

#include <algorithm>

namespace morvane {

namespace {

constexpr int kPlayerStepX = -100;
constexpr int kBankerStepX = -55;
constexpr int kStepY = 9;
// A pause shorter than this is no pause: the third cards follow at the flight pace.
constexpr int kShortestPause = 50;
constexpr std::size_t kThreeCards = 3;

std::uint32_t Interval(std::int32_t ms) {
    return std::uint32_t(std::max(ms, 1));
}

} // namespace

// [SECTION] Dealing

void TTwoEightClient::CheckDealingStart() {
    if (scene_.Phase == TGamePhase::Dealing && !playerCards_.empty() && !bankerCards_.empty()) {
        if (dealingTimer_->Enabled() || dealingState_ != TDealingState::Idle) return;
        playerCopy_ = playerCards_;
        bankerCopy_ = bankerCards_;
        playerHand_->Clear();
        bankerHand_->Clear();
        dealingState_ = TDealingState::PlayerTurn;
        dealingTimer_->SetInterval(Interval(scene_.DealStartDelayMs));
        dealingTimer_->SetEnabled(true);
        return;
    }
    dealingTimer_->SetEnabled(false);
}

void TTwoEightClient::DealingTick() {
    if (playerCopy_.empty() && bankerCopy_.empty()) {
        dealingState_ = TDealingState::Done;
        flyingCard_->Clear();
        flyingCard_->SetVisible(false);
        dealingTimer_->SetEnabled(false);
        return;
    }
    // A turn whose hand has nothing left to deal passes to the other hand.
    if (dealingState_ == TDealingState::PlayerTurn && playerCopy_.empty())
        dealingState_ = TDealingState::BankerTurn;
    if (dealingState_ == TDealingState::BankerTurn && bankerCopy_.empty())
        dealingState_ = TDealingState::PlayerTurn;
    const bool pause = scene_.ThirdCardPauseMs > kShortestPause;
    if (dealingState_ == TDealingState::PlayerTurn) {
        if (DealPlayerCard()) {
            const bool bothThree = playerCards_.size() == kThreeCards && bankerCards_.size() == kThreeCards;
            if (playerCopy_.empty() && pause && bothThree)
                dealingTimer_->SetInterval(Interval(scene_.ThirdCardPauseMs));
            if (!bankerCopy_.empty()) dealingState_ = TDealingState::BankerTurn;
        }
    } else if (dealingState_ == TDealingState::BankerTurn) {
        if (DealBankerCard()) {
            if (playerCopy_.size() == 1 && pause && playerCards_.size() == kThreeCards)
                dealingTimer_->SetInterval(Interval(scene_.ThirdCardPauseMs));
            if (playerCopy_.empty()) {
                if (pause) dealingTimer_->SetInterval(Interval(scene_.ThirdCardPauseMs));
            } else {
                dealingState_ = TDealingState::PlayerTurn;
            }
        }
    }
    UpdatePointLabels();
    UpdateCommentary();
}

bool TTwoEightClient::DealPlayerCard() {
    return FlyCard(*playerHand_, playerCopy_, playerCards_, kPlayerStepX, kStepY);
}

bool TTwoEightClient::DealBankerCard() {
    return FlyCard(*bankerHand_, bankerCopy_, bankerCards_, kBankerStepX, kStepY);
}

// One step of the card on its way to `hand`; true when it landed this step.
bool TTwoEightClient::FlyCard(TPngCardGroupGraphic& hand, std::string& copy, const std::string& full,
                              int stepX, int stepY) {
    flyingCard_->SetCards(copy.substr(0, 1));
    flyingCard_->SetVisible(true);
    flyingCard_->BringToFront();
    flyingCard_->SetBounds(flyingCard_->Left() + stepX, flyingCard_->Top() + stepY, flyingCard_->Width(),
                           flyingCard_->Height());
    dealingTimer_->SetInterval(Interval(scene_.CardFlightStepMs));
    if (hand.Left() + hand.Width() < flyingCard_->Left()) return false;
    flyingCard_->SetVisible(false);
    flyingCard_->SetBounds(kFlyingCardHome.x, kFlyingCardHome.y, flyingCard_->Width(), flyingCard_->Height());
    PlaySound("发牌.wav");
    const char card = copy.front();
    copy.erase(0, 1);
    if (std::size_t(hand.Count()) < full.size()) hand.SetCards(hand.GetCards() + card);
    return true;
}

void TTwoEightClient::UpdatePointLabels() {
    playerLabel_->SetCaption(HandLabel(playerHand_->GetCards()));
    bankerLabel_->SetCaption(HandLabel(bankerHand_->GetCards()));
}

void TTwoEightClient::UpdateCommentary() {
    if (playerHand_->Count() == 0 && bankerHand_->Count() == 0) {
        SetInformation({});
        return;
    }
    if (playerHand_->Count() != 2 || bankerHand_->Count() != 2) return;
    std::string line = "前两张牌闲家点数:" + playerLabel_->Caption() + " ";
    line += playerCopy_.empty() ? "停止发牌" : "闲家继续拿牌";
    line += "\n\r前两张牌庄家点数:" + bankerLabel_->Caption() + " ";
    line += bankerCopy_.empty() ? "停止发牌" : "庄家继续拿牌";
    SetInformation(line);
}

// [SECTION] Settlement

void TTwoEightClient::HandleSettlement(const TSettlementNotice& notice) {
    if (!Share()) return;
    bankerHand_->SetCards(bankerCards_);
    playerHand_->SetCards(playerCards_);
    UpdatePointLabels();

    scene_.PhaseElapsed = 0;
    resultCode_ = notice.ResultCode;
    scene_.LastResultCode = notice.ResultCode;
    scene_.LastPointsA = notice.PointsA;
    scene_.LastPointsB = notice.PointsB;
    playerPair_ = notice.PlayerPair;
    bankerPair_ = notice.BankerPair;
    if (const STRU_PLUGIN_USERINFO* banker = FindUserRecord(scene_.BankerList[0].UserId))
        scene_.BankerBeans = banker->Beans;

    const bool tookPart = notice.TookPart();
    const TBarRoadEntry game{notice.PointsA, notice.PointsB, notice.ResultCode};
    topBar_->AddResult(game);
    roundSettled_ = true;
    bookedBankerResult_ = bankerResult_;
    scene_.BankerWinnings = ClampedAdd(scene_.BankerWinnings, bankerResult_);
    FeedBankerFigures();
    bottomBar_->AddResult(IAmBanker() || tookPart, ownResult_, game);

    if (tookPart) {
        if (notice.NetResult > 0)
            PlaySound("赢了.wav");
        else if (notice.NetResult < 0)
            PlaySound("输了.wav");
        else
            PlaySound("平局.wav");
    }
    ShowSettlementPanel();
    blinkTimer_->SetEnabled(true);
    settlementShown_ = true;
    AppendResultLine(notice.ResultCode);
    RefreshView();
}

void TTwoEightClient::ShowSettlementPanel() {
    const bool passed = scene_.NoBanker && scene_.AutoPass;
    settlementTexts_->ShowRound(UnitName(), passed ? 0 : ownResult_, passed ? 0 : bankerResult_);
}

void TTwoEightClient::AppendResultLine(std::uint8_t resultCode) {
    std::string line = topBar_->Notice().Caption();
    line += "\n\r闲家:" + playerLabel_->Caption() + "; 庄家:" + bankerLabel_->Caption();
    line += " 结果:";
    line += ResultName(resultCode);
    SetInformation(line);
}

void TTwoEightClient::BlinkTick() {
    const std::array<bool, kRegionCount> won = WinningRegions(resultCode_);
    auto togglePairs = [this] {
        if (playerPair_) regionPictures_[brPlayerPair]->SetVisible(!regionPictures_[brPlayerPair]->Visible());
        if (bankerPair_) regionPictures_[brBankerPair]->SetVisible(!regionPictures_[brBankerPair]->Visible());
    };
    if (scene_.Phase != TGamePhase::Settlement) {
        blinkTimer_->SetEnabled(false);
        for (int i = 0; i < kRegionCount; ++i)
            if (won[std::size_t(i)]) regionPictures_[std::size_t(i)]->SetVisible(true);
        togglePairs();
        return;
    }
    for (int i = 0; i < kRegionCount; ++i)
        if (won[std::size_t(i)])
            regionPictures_[std::size_t(i)]->SetVisible(!regionPictures_[std::size_t(i)]->Visible());
    togglePairs();
}

void TTwoEightClient::TakeRoundResults(int count, const TPluginScoreBlock& block) {
    const std::int64_t me = GetMyID();
    const std::int64_t banker = scene_.BankerList[0].UserId;
    count = std::clamp(count, 0, kMaxTableUsers);
    for (int i = 0; i < count; ++i) {
        const TScoreEntry entry = ScoreEntryAt(block, i);
        if (entry.UserID == me) ownResult_ = entry.BeanDelta;
        if (banker > 0 && entry.UserID == banker) bankerResult_ = entry.BeanDelta;
    }
    // The hall may send the block after the settlement notice: what the settlement booked with the
    // figures it had then takes this block's, so that the panel and the bars tell the same round.
    if (roundSettled_) {
        scene_.BankerWinnings =
            ClampedAdd(scene_.BankerWinnings, ClampedSub(bankerResult_, bookedBankerResult_));
        bookedBankerResult_ = bankerResult_;
        FeedBankerFigures();
        bottomBar_->ReviseLastWin(ownResult_);
    }
    if (settlementShown_) ShowSettlementPanel();
}

} // namespace morvane
