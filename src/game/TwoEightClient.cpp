#include "game/TwoEightClient.h"

#include "base/ClampedMath.h"
#include "game/TableLayout.h"
#include "graphics/BarPictures.h"
#include "graphics/BjlBottomBar.h"
#include "graphics/BjlTopBar.h"
#include "graphics/ClockNumber.h"
#include "graphics/CofferDrawMoneyFrm.h"
#include "graphics/CofferSaveMoneyFrm.h"
#include "graphics/PictureResources.h"
#include "graphics/PngAction.h"
#include "graphics/PngCardGroupGraphic.h"
#include "graphics/PngNumber.h"
#include "graphics/ResultTable.h"
#include "gui/Button.h"
#include "gui/Image.h"
#include "gui/Label.h"
#include "gui/Timer.h"
#include "plugin/ChatLineKinds.h"
#include "plugin/CustomPluginShare.h"
#include "plugin/PluginPlatform.h"
#include "ui/PluginPictureButton.h"

#include <algorithm>
#include <cstdio>

namespace morvane {

using namespace tablelayout;

namespace {

const std::string kMusicAlias = "ZyBaijiale";
const std::string kMusicFile = "下注背景.wav";

std::string Formatted(const char* format, long long value) {
    char text[128];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

// [SECTION] Operations of the base

void TTwoEightClient::GetFacePath(std::string& path) {
    path = Share() ? Share()->FaceSmallDir() : std::string();
}

void TTwoEightClient::DoTableData(TBytes data, std::int64_t fromId) {
    TCustomPluginClient::DoTableData(data, fromId);
    const auto id = NoticeId(data);
    if (!id) return;
    switch (*id) {
    case GameRecord::Settlement:
        if (auto notice = TSettlementNotice::Read(data)) HandleSettlement(*notice);
        break;
    case GameRecord::Bet:
        if (auto notice = TBetNotice::Read(data)) HandleBetNotice(*notice);
        break;
    case GameRecord::BankerList:
        if (auto notice = TBankerListNotice::Read(data)) HandleBankerList(*notice);
        break;
    case GameRecord::GrabBankerReply:
        if (auto reply = TGrabBankerReply::Read(data)) HandleGrabReply(*reply);
        break;
    case GameRecord::ComputerBet:
        if (auto notice = TComputerBetNotice::Read(data)) ForwardComputerBets(*notice);
        break;
    default:
        break;
    }
}

void TTwoEightClient::DoUserReady(int seat) {
    if (seat == GetMySeat()) RefreshView();
}

void TTwoEightClient::DoOwnAttribute(std::uint8_t) {
    RefreshView();
}

void TTwoEightClient::DoGameStart() {
    repeatCount_ = 0;
    betNoticeCount_ = 0;
    // The figures of the round before must not show again in a round the player sits out.
    ownResult_ = 0;
    bankerResult_ = 0;
    roundSettled_ = false;
    playerCards_.clear();
    bankerCards_.clear();
    playerCopy_.clear();
    bankerCopy_.clear();
    settlementShown_ = false;
    pilesBuilt_ = true;
    dealingState_ = TDealingState::Idle;
    SetInformation(WrapStatusText(scene_.StatusText));
    playerStake_ = 0;
    scene_.LastPointsA = 0;
    scene_.LastPointsB = 0;
    scene_.Phase = TGamePhase::Betting;
    ResetTable();
    scene_.TotalStakes.fill(0);
    scene_.OwnStakes.fill(0);
}

void TTwoEightClient::DoGameOver() {
    scene_.Phase = TGamePhase::Free;
    roundSettled_ = false;
    dealingState_ = TDealingState::Idle;
    betNoticeCount_ = 0;
    RefreshView();
    for (TTemplateOverlapPng* pile : chipPiles_) {
        pile->Clear();
        pile->Invalidate();
    }
}

void TTwoEightClient::DoUserList(int, const TPluginUserSlots&) {
    FollowOwnRecord();
}

void TTwoEightClient::DoUserEnter(const STRU_PLUGIN_USERINFO&) {
    FollowOwnRecord();
}

void TTwoEightClient::DoUserValue(int, std::int64_t) {
    FollowOwnRecord();
}

void TTwoEightClient::DoScoreBlock(std::uint8_t flag, int count, const TPluginScoreBlock& block) {
    TakeRoundResults(count, block);
    TCustomPluginClient::DoScoreBlock(flag, count, block);
    FollowOwnRecord();
}

void TTwoEightClient::DoGameData(TBytes data) {
    ApplyScene(data);
}

void TTwoEightClient::DoPlayerSeated(const std::string& nickName, int, std::uint8_t seat,
                                     std::int64_t userId) {
    if (!IsChair(seat)) return;
    TChair& chair = chairs_[seat];
    chair.UserId = userId;
    chair.Name = nickName.substr(0, std::min(nickName.size(), nickName.find('\0')));
    if (chair.Name.size() > 20) chair.Name.resize(20);
}

void TTwoEightClient::DoPlayerUnseated(std::uint8_t seat, std::int64_t userId) {
    if (!IsChair(seat) || chairs_[seat].UserId != userId) return;
    chairs_[seat] = TChair{};
    RefreshView();
}

void TTwoEightClient::RequestSeat(std::uint8_t seat, bool sit) {
    TCustomPluginClient::RequestSeat(seat, sit);
    settlementShown_ = false;
    settlementPicture_->SetVisible(false);
    settlementTexts_->SetVisible(false);
}

// [SECTION] Scene

void TTwoEightClient::ApplyScene(TBytes data) {
    const TGamePhase previousPhase = scene_.Phase;
    ReadTableScene(data, scene_);
    // Betting has begun: whatever settled before belongs to a round that is over.
    if (scene_.Phase == TGamePhase::Betting) roundSettled_ = false;
    playerCards_ = scene_.PlayerCards;
    bankerCards_ = scene_.BankerCards;
    if (scenesShown_ == 0) {
        SetupChipButtons();
        PrintRoomSettings();
    }
    ++scenesShown_;
    SetPlaying(scene_.GameInProgress);
    if (!dealingTimer_->Enabled())
        dealingTimer_->SetInterval(std::uint32_t(std::max(scene_.DealStartDelayMs, 1)));
    SetClockForPhase(previousPhase);
    if (scene_.Phase == TGamePhase::Settlement)
        resultTable_->SetResults(scene_.ResultRoad, scene_.ResultRoadCount);
    FeedBarsFromScene();
    RefreshView();
}

void TTwoEightClient::PrintRoomSettings() {
    const std::string unit = UnitName();
    ShowSystemLine("======本房间游戏设置========", lines::kBroadcast);
    ShowSystemLine("上庄所需" + unit + Formatted(":%lld", scene_.BankerApplyBeans), lines::kBroadcast);
    ShowSystemLine(Formatted("个人最大下注:%lld", scene_.PersonalStakeCap), lines::kBroadcast);
    ShowSystemLine(Formatted("单区最大赔付:%lld", scene_.RegionPayoutCap), lines::kBroadcast);
    if (scene_.GrabAllowed && scene_.GrabPrice > 0)
        ShowSystemLine("抢庄所需" + unit + Formatted(":%lld", scene_.GrabPrice), lines::kBroadcast);
    if (scene_.MinBankerRounds > 1)
        ShowSystemLine(Formatted("最少坐庄局数:%lld", scene_.MinBankerRounds), lines::kBroadcast);
    ShowSystemLine("============================", lines::kBroadcast);
}

void TTwoEightClient::FeedBarsFromScene() {
    topBar_->SetAcceptable(scene_.AcceptableAmounts);
    topBar_->SetRoad(scene_.BarRoad);
    FeedBankerFigures();
    bottomBar_->SetRoad(scene_.BarRoad);
    bottomBar_->SetTopBar(topBar_->Handle());
}

// [SECTION] Clock, sounds and music

void TTwoEightClient::SetClock(int seconds) {
    clock_->SetValue(std::max(seconds, 0));
}

void TTwoEightClient::SetClockForPhase(TGamePhase previousPhase) {
    if (!scene_.GameInProgress) return;
    switch (scene_.Phase) {
    case TGamePhase::Free:
        SetClock(ClampedSub(scene_.FreeTime, scene_.PhaseElapsed));
        break;
    case TGamePhase::Betting:
        PlaySound("开始.wav");
        StartMusic();
        SetClock(ClampedSub(scene_.BettingTime, scene_.PhaseElapsed));
        break;
    case TGamePhase::Dealing:
        clockOrnament_->Stop();
        StopMusic();
        SetClock(ClampedSub(scene_.DealingTime, scene_.PhaseElapsed));
        break;
    case TGamePhase::Settlement:
        if (previousPhase != TGamePhase::Settlement) PlaySound("结束.wav");
        SetClock(ClampedSub(scene_.SettlementTime, scene_.PhaseElapsed));
        break;
    default:
        break;
    }
}

void TTwoEightClient::SecondTick() {
    const int value = clock_->Value();
    // A blank clock has counted nothing down yet: the free time starts over only after a countdown.
    if (scene_.Phase == TGamePhase::Free && value == 0) {
        SetClock(scene_.FreeTime);
    } else if (scene_.Phase == TGamePhase::Betting && value < 6) {
        PlaySound("clock.wav");
        if (value == 5) {
            StopMusic();
            clockOrnament_->Stop();
            clockOrnament_->SetParams(38, 50, kClockFrameAt.x, kClockFrameAt.y);
            clockOrnament_->SetKind(0);
            clockOrnament_->Start();
        }
        if (value == 0) UpdateRegionNumbers();
    }
}

void TTwoEightClient::SetBackMusic(bool on) {
    backMusic_ = on;
    if (on)
        StartMusic();
    else
        StopMusic();
}

void TTwoEightClient::StartMusic() {
    TPlatform* platform = PluginPlatform();
    if (!platform || !backMusic_ || scene_.Phase != TGamePhase::Betting) return;
    const std::string soundDir = Share() ? Share()->SoundDir() : std::string();
    platform->MciSendString("CLOSE " + kMusicAlias);
    platform->MciSendString("OPEN \"" + soundDir + "\\" + kMusicFile + "\" ALIAS " + kMusicAlias);
    platform->MciSendString("PLAY " + kMusicAlias);
    musicPlaying_ = true;
}

void TTwoEightClient::DoFinalize() {
    if (musicPlaying_) StopMusic();
}

void TTwoEightClient::StopMusic() {
    TPlatform* platform = PluginPlatform();
    if (!platform) return;
    platform->MciSendString("CLOSE " + kMusicAlias);
    musicPlaying_ = false;
}

// [SECTION] Refresh

void TTwoEightClient::RefreshView() {
    UpdateStatisticsButton();
    topBar_->SetCaptions(UnitName());
    bottomBar_->SetCaptions(UnitName());
    UpdateBankerButtons();
    noBankerPicture_->SetVisible(scene_.BankerList[0].Chair < 0);
    UpdateCofferButtons();
    UpdatePhasePictures();
    UpdateTableVisibility();
    CheckDealingStart();
    UpdateChipButtons();
    if (scene_.Phase != TGamePhase::Betting) SetTableCursor(kNormalCursor);
    if (scene_.Phase != TGamePhase::Free && !pilesBuilt_) {
        BuildPiles();
        SetInformation({});
    }
    if (scene_.Phase != TGamePhase::Dealing) flyingCard_->SetVisible(false);
    for (TTemplateOverlapPng* pile : chipPiles_)
        pile->SetVisible(IsPlaying());
    UpdateRegionNumbers();
    const bool clockShown = scene_.BankerList[0].Chair >= 0 || (scene_.AutoPass && scene_.NoBanker);
    clock_->SetVisible(clockShown);
    clockFrame_->SetVisible(clockShown);
    settlementPicture_->SetVisible(settlementShown_);
    settlementTexts_->SetVisible(settlementShown_);
    if (scene_.BankerList[0].UserId < 0 && scene_.Phase == TGamePhase::Free) {
        SetInformation(WrapStatusText(scene_.NoBankerText));
        noBankerTextShown_ = true;
    } else if (noBankerTextShown_) {
        // A banker has sat down since: the line must not go on saying there is none.
        SetInformation("");
        noBankerTextShown_ = false;
    }
    Resized();
}

void TTwoEightClient::UpdatePhasePictures() {
    for (TGamePhase phase : kGamePhases)
        phasePictures_[GamePhaseByte(phase)]->SetVisible(phase == scene_.Phase);
}

void TTwoEightClient::UpdateTableVisibility() {
    const bool dealt = CardsOnTable(scene_.Phase);
    cardTray_->SetVisible(dealt);
    playerLabel_->SetVisible(dealt);
    bankerLabel_->SetVisible(dealt);
    playerHand_->SetVisible(scene_.Phase != TGamePhase::Betting);
    bankerHand_->SetVisible(scene_.Phase != TGamePhase::Betting);
}

void TTwoEightClient::Resized() {
    TCustomPluginClient::Resized();
    if (!noBankerPicture_) return;
    noBankerPicture_->SetLeft(kNoBankerAt.x);
    noBankerPicture_->SetTop(kNoBankerAt.y);
    cardTray_->SetLeft(kCardTrayAt.x);
    cardTray_->SetTop(kCardTrayAt.y);
    for (int i = 0; i < kChipButtonCount; ++i) {
        chipButtons_[std::size_t(i)]->SetLeft(kChipButtonAt[std::size_t(i)].x);
        chipButtons_[std::size_t(i)]->SetTop(kChipButtonAt[std::size_t(i)].y);
    }
    clock_->SetLeft(kClockAt.x);
    clock_->SetTop(kClockAt.y);
    playerLabel_->SetLeft(kPlayerLabelAt.x);
    playerLabel_->SetTop(kPlayerLabelAt.y);
    bankerLabel_->SetLeft(kBankerLabelAt.x);
    bankerLabel_->SetTop(kBankerLabelAt.y);
    settlementPicture_->SetLeft(kSettlementAt.x);
    settlementPicture_->SetTop(kSettlementAt.y);
    settlementTexts_->SetLeft(kSettlementAt.x);
    settlementTexts_->SetTop(kSettlementAt.y);
}

void TTwoEightClient::ResetTable() {
    for (TPngCardGroupGraphic* group : {flyingCard_, bankerHand_, playerHand_}) {
        group->Clear();
        group->SetVisible(false);
    }
    playerLabel_->SetCaption({});
    bankerLabel_->SetCaption({});
    cardTray_->SetVisible(false);
    for (int i = 0; i < kRegionCount; ++i) {
        regionTotals_[std::size_t(i)]->SetTotalNum(0);
        scene_.TotalStakes[std::size_t(i)] = 0;
        scene_.OwnStakes[std::size_t(i)] = 0;
        chipPiles_[std::size_t(i)]->SetVisible(false);
    }
    HideRegionPictures();
    RefreshView();
}

void TTwoEightClient::SetInformation(const std::string& text) {
    topBar_->Notice().ShowText(text, false);
}

void TTwoEightClient::FollowOwnRecord() {
    bottomBar_->RefreshOwnFigures();
    FeedBankerFigures();
}

} // namespace morvane
