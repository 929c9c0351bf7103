#include "game/TwoEightClient.h"

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
#include "plugin/CustomPluginShare.h"
#include "plugin/PluginPlatform.h"
#include "ui/PluginPictureButton.h"

#include <algorithm>
#include <cstdio>

namespace morvane {

namespace {

constexpr TPoint kTopBarAt{11, 28};
constexpr TPoint kResultTableAt{200, 170};
constexpr TPoint kBottomBarAt{10, 613};
constexpr TPoint kBoardAt{25, 174};
constexpr TPoint kQuestAt{592, 162};
constexpr TPoint kBeamAt{9, 572};
constexpr TPoint kClockAt{135, 560};
constexpr TPoint kClockFrameAt{134, 538};
constexpr TPoint kCardTrayAt{268, 177};
constexpr TPoint kPlayerLabelAt{300, 189};
constexpr TPoint kBankerLabelAt{442, 189};
constexpr int kPointLabelWidth = 80;
constexpr int kPointLabelHeight = 22;
constexpr TPoint kPhasePictureAt{188, 580};
constexpr TPoint kSaveButtonAt{14, 582};
constexpr TPoint kDrawButtonAt{73, 582};
constexpr TPoint kNoBankerAt{321, 358};
constexpr TPoint kSettlementAt{274, 230};
constexpr TPoint kTableButtonAt{293, 579};
constexpr int kBetCaptionOffset = 55;
constexpr TColor kPointLabelColour = 0x0000FFFF;

struct TPileRect {
    int Left, Top, Width, Height;
};
constexpr std::array<TPileRect, kRegionCount> kPileRects{{{549, 284, 220, 170},
                                                          {549, 451, 220, 75},
                                                          {25, 284, 220, 170},
                                                          {25, 451, 220, 75},
                                                          {263, 348, 220, 105},
                                                          {263, 451, 220, 75},
                                                          {549, 205, 230, 75},
                                                          {25, 205, 230, 75}}};
constexpr std::array<TPoint, kRegionCount> kTotalAt{
    {{665, 319}, {665, 470}, {150, 319}, {150, 470}, {413, 369}, {413, 470}, {665, 230}, {150, 230}}};
constexpr std::array<TPoint, kRegionCount> kOwnStakeAt{
    {{610, 432}, {610, 510}, {90, 432}, {90, 510}, {330, 432}, {330, 510}, {610, 260}, {90, 260}}};
// The fields of the board the region highlights are centred on (left, top, width, height).
constexpr std::array<TPileRect, kRegionCount> kFieldRects{{{551, 286, 229, 170},
                                                           {551, 460, 229, 72},
                                                           {29, 286, 235, 170},
                                                           {29, 460, 235, 72},
                                                           {267, 350, 280, 106},
                                                           {267, 460, 280, 72},
                                                           {551, 207, 229, 75},
                                                           {29, 207, 235, 75}}};

const std::string kMusicAlias = "ZyBaijiale";
const std::string kMusicFile = "下注背景.wav";

std::string Formatted(const char* format, long long value) {
    char text[128];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

// [SECTION] Construction and destruction

TTwoEightClient::TTwoEightClient(TComponent* owner) : TCustomPluginClient(owner) {
    SetBounds(0, 0, kTableWidth, kTableHeight);
    CreateControls();
    ResetTable();
}

TTwoEightClient::~TTwoEightClient() {
    DestroyInOrder();
}

void TTwoEightClient::CreateControls() {
    topBar_ = Own(std::make_unique<TBjlTopBar>(this));
    topBar_->SetBounds(kTopBarAt.x, kTopBarAt.y, topBar_->Width(), topBar_->Height());
    topBar_->SetUserLookup(this);
    topBar_->SetButtonHandler(TBjlTopBar::kButtonUp, [this] { BankerButtonClick(0); });
    topBar_->SetButtonHandler(TBjlTopBar::kButtonCancel, [this] { BankerButtonClick(1); });
    topBar_->SetButtonHandler(TBjlTopBar::kButtonDown, [this] { BankerButtonClick(2); });
    topBar_->SetButtonHandler(TBjlTopBar::kButtonHog, [this] { BankerButtonClick(3); });

    resultTable_ = Own(std::make_unique<TBJLResultTable>(this));
    resultTable_->SetBounds(kResultTableAt.x, kResultTableAt.y, resultTable_->Width(),
                            resultTable_->Height());
    resultTable_->SetVisible(false);

    cardPictures_ = LoadCardResource();

    bottomBar_ = Own(std::make_unique<TBjlBottomBar>(this));
    bottomBar_->SetBounds(kBottomBarAt.x, kBottomBarAt.y, bottomBar_->Width(), bottomBar_->Height());
    bottomBar_->SetUserLookup(this);

    CreateBoardPictures();
    CreateRegionControls();
    CreateClock();
    CreateTimers();
    CreateCards();
    CreateButtons();
    CreateSettlementPanel();

    // Stacked bottom to top: the felt, the board and what lies on it, the hands, the buttons, the
    // panels that cover the board, and the bars and the road window over everything.
    std::vector<TControl*> stack{background_, boardPicture_, questPicture_, beam_};
    for (TImage* picture : regionPictures_)
        stack.push_back(picture);
    for (TTemplateOverlapPng* pile : chipPiles_)
        stack.push_back(pile);
    for (int i = 0; i < kRegionCount; ++i) {
        stack.push_back(regionTotals_[std::size_t(i)]);
        stack.push_back(betCaptions_[std::size_t(i)]);
        stack.push_back(ownStakes_[std::size_t(i)]);
    }
    stack.insert(stack.end(), {cardTray_, playerLabel_, bankerLabel_, playerHand_, bankerHand_});
    for (TPictureButton* button : chipButtons_)
        stack.push_back(button);
    for (TImage* picture : phasePictures_)
        stack.push_back(picture);
    stack.insert(stack.end(), {clockFrame_, clock_, clockOrnament_, saveButton_, drawButton_, tableButton_,
                               noBankerPicture_, settlementPicture_, settlementTexts_, sparkle_, flyingCard_,
                               topBar_, bottomBar_, resultTable_});
    for (TControl* control : stack) {
        control->SetParent(this);
        control->BringToFront();
    }
}

TImage* TTwoEightClient::AddPicture(const std::string& name, int left, int top, bool visible) {
    auto* image = Own(std::make_unique<TImage>(this));
    image->SetAutoSize(true);
    image->SetPicture(BarPicture(name));
    image->SetBounds(left, top, image->Picture().Width(), image->Picture().Height());
    image->SetVisible(visible);
    return image;
}

void TTwoEightClient::CreateBoardPictures() {
    background_ = AddPicture("MainBigImage", 0, 0, true);
    boardPicture_ = AddPicture("MainBetRegPng", kBoardAt.x, kBoardAt.y, true);
    questPicture_ = AddPicture("Quest1", kQuestAt.x, kQuestAt.y, true);
    beam_ = AddPicture("MainBeam", kBeamAt.x, kBeamAt.y, true);
    for (TControl* surface : {static_cast<TControl*>(background_), static_cast<TControl*>(boardPicture_),
                              static_cast<TControl*>(questPicture_), static_cast<TControl*>(beam_)})
        BindTableSurface(*surface);
}

void TTwoEightClient::CreateRegionControls() {
    stakeMarkers_ = LoadChipPictures();
    for (int i = 0; i < kRegionCount; ++i) {
        const TPileRect& rect = kPileRects[std::size_t(i)];
        auto* pile = Own(std::make_unique<TTemplateOverlapPng>(this));
        pile->SetBounds(rect.Left, rect.Top, rect.Width, rect.Height);
        pile->SetCanvasSize(rect.Width, rect.Height);
        pile->SetVisible(false);
        BindTableSurface(*pile);
        chipPiles_[std::size_t(i)] = pile;
    }
    for (int i = 0; i < kRegionCount; ++i) {
        auto* total = Own(std::make_unique<TPngNumber>(this, 0, TPngNumber::AlignCenter,
                                                       kTotalAt[std::size_t(i)], "d", this));
        total->SetIsShowAdd(false);
        total->SetIsAddChangeGradually(false);
        total->SetVisible(false);
        regionTotals_[std::size_t(i)] = total;
    }
    for (int i = 0; i < kRegionCount; ++i) {
        auto* own = Own(std::make_unique<TPngNumber>(this, 0, TPngNumber::AlignCenter,
                                                     kOwnStakeAt[std::size_t(i)], "x", this));
        own->SetIsShowAdd(false);
        own->SetIsAddChangeGradually(false);
        own->SetVisible(false);
        ownStakes_[std::size_t(i)] = own;
    }
    for (int i = 0; i < kRegionCount; ++i) {
        TImage* picture = AddPicture(std::string(kBetRegions[std::size_t(i)].Picture), 0, 0, false);
        const TPileRect& field = kFieldRects[std::size_t(i)];
        picture->SetBounds(field.Left + (field.Width - picture->Width()) / 2,
                           field.Top + (field.Height - picture->Height()) / 2, picture->Width(),
                           picture->Height());
        BindTableSurface(*picture);
        regionPictures_[std::size_t(i)] = picture;
    }
    for (int i = 0; i < kRegionCount; ++i) {
        const TPoint at = kOwnStakeAt[std::size_t(i)];
        TImage* caption = AddPicture("BetPngCaption", at.x - kBetCaptionOffset, at.y, false);
        // The caption stands left of the centred stake number, level with its digits.
        caption->SetTop(at.y - caption->Height() / 2 + 2);
        betCaptions_[std::size_t(i)] = caption;
    }
}

void TTwoEightClient::CreateClock() {
    clock_ = Own(std::make_unique<TClockNumber>(this));
    clock_->SetBackground("ClockNum_BackGround");
    clock_->SetDigitPrefix("ClockNum_");
    clock_->SetDigits(2);
    clock_->SetDigitLeft(11);
    clock_->SetDigitTop(15);
    clock_->SetDigitStep(13);
    clock_->SetVisible(false);
    clock_->SetBounds(kClockAt.x, kClockAt.y, clock_->Width(), clock_->Height());
    clockFrame_ = AddPicture("ClockHeader", kClockFrameAt.x, kClockFrameAt.y, false);
}

void TTwoEightClient::CreateTimers() {
    blinkTimer_ = Own(std::make_unique<TTimer>(this));
    blinkTimer_->SetEnabled(false);
    blinkTimer_->SetInterval(kBlinkInterval);
    blinkTimer_->SetOnTimer([this](TTimer*) { BlinkTick(); });
    dealingTimer_ = Own(std::make_unique<TTimer>(this));
    dealingTimer_->SetEnabled(false);
    dealingTimer_->SetInterval(std::uint32_t(std::max(scene_.DealStartDelayMs, 1)));
    dealingTimer_->SetOnTimer([this](TTimer*) { DealingTick(); });
    secondTimer_ = Own(std::make_unique<TTimer>(this));
    secondTimer_->SetInterval(kSecondInterval);
    secondTimer_->SetOnTimer([this](TTimer*) { SecondTick(); });
    secondTimer_->SetEnabled(true);
}

void TTwoEightClient::CreateCards() {
    cardTray_ = AddPicture("bll_TuoPan", kCardTrayAt.x, kCardTrayAt.y, false);
    BindTableSurface(*cardTray_);
    for (TLabel** label : {&playerLabel_, &bankerLabel_}) {
        *label = Own(std::make_unique<TLabel>(this));
        TLabel& l = **label;
        l.SetAutoSize(false);
        l.SetTransparent(true);
        l.SetAlignment(TAlignment::taCenter);
        l.Font().SetName("宋体");
        l.Font().SetHeight(-18);
        l.Font().SetStyle(fsBold);
        l.Font().SetColor(kPointLabelColour);
        l.SetVisible(false);
        BindTableSurface(l);
    }
    playerLabel_->SetBounds(kPlayerLabelAt.x, kPlayerLabelAt.y, kPointLabelWidth, kPointLabelHeight);
    bankerLabel_->SetBounds(kBankerLabelAt.x, kBankerLabelAt.y, kPointLabelWidth, kPointLabelHeight);

    auto makeGroup = [this](TPoint at) {
        auto* group = Own(std::make_unique<TPngCardGroupGraphic>(this));
        group->SetSorted(false);
        group->SetCardHeight(98);
        group->SetCardWidth(73);
        group->SetCardSpacing(20);
        group->SetPictures(cardPictures_);
        group->CanSelect = false;
        group->Clear();
        group->SetLeft(at.x);
        group->SetTop(at.y);
        return group;
    };
    flyingCard_ = makeGroup(kFlyingCardHome);
    bankerHand_ = makeGroup(kBankerHandAt);
    playerHand_ = makeGroup(kPlayerHandAt);
}

void TTwoEightClient::CreateButtons() {
    for (int i = 0; i < kChipButtonCount; ++i) {
        auto* button = Own(std::make_unique<TPictureButton>(this));
        button->SetLeft(kChipButtonAt[std::size_t(i)].x);
        button->SetTop(kChipButtonAt[std::size_t(i)].y);
        button->SetVisible(false);
        button->OnClick = [this, i](TControl*) { ChipButtonClick(i); };
        chipButtons_[std::size_t(i)] = button;
    }
    for (int phase = 0; phase < 4; ++phase)
        phasePictures_[std::size_t(phase)] =
            AddPicture("Time" + std::to_string(phase), kPhasePictureAt.x, kPhasePictureAt.y, false);

    auto makeButton = [this](const std::string& base, TPoint at) {
        auto* button = Own(std::make_unique<TPictureButton>(this));
        LoadBarButton(*button, base);
        button->SetLeft(at.x);
        button->SetTop(at.y);
        return button;
    };
    saveButton_ = makeButton("Save", kSaveButtonAt);
    drawButton_ = makeButton("Draw", kDrawButtonAt);
    for (TPictureButton* button : {saveButton_, drawButton_}) {
        TFont font = button->CommFont();
        font.SetColor(kPointLabelColour);
        button->SetCommFont(font);
        button->SetCommX(8);
        button->SetCommY(5);
    }
    saveButton_->OnClick = [this](TControl*) { CofferButtonClick(kCofferDeposit); };
    drawButton_->OnClick = [this](TControl*) { CofferButtonClick(kCofferWithdraw); };

    noBankerPicture_ = AddPicture("bll_NoLand", kNoBankerAt.x, kNoBankerAt.y, false);
    clockOrnament_ = Own(std::make_unique<TPngAction>(this, 0));
    clockOrnament_->SetVisible(false);
    sparkle_ = Own(std::make_unique<TPngAction>(this, 1));
    sparkle_->SetVisible(false);

    tableButton_ = makeButton("TableBtn", kTableButtonAt);
    tableButton_->OnClick = [this](TControl*) {
        resultTable_->SetVisible(!resultTable_->Visible());
        if (resultTable_->Visible()) resultTable_->BringToFront();
    };

    cofferTimer_ = Own(std::make_unique<TTimer>(this));
    cofferTimer_->SetEnabled(false);
    cofferTimer_->SetInterval(kCofferInterval);
    cofferTimer_->SetOnTimer([this](TTimer*) { CofferTick(); });
    saveDialog_ = Own(std::make_unique<TFormCofferSaveMoney>(this));
    drawDialog_ = Own(std::make_unique<TFormCofferDrawMoney>(this));
}

void TTwoEightClient::CreateSettlementPanel() {
    settlementPicture_ = AddPicture("BLL_CALUTURE", kSettlementAt.x, kSettlementAt.y, false);
    settlementTexts_ = Own(std::make_unique<TSettlementTexts>(this));
    settlementTexts_->SetBounds(kSettlementAt.x, kSettlementAt.y, settlementPicture_->Width(),
                                settlementPicture_->Height());
    settlementTexts_->SetVisible(false);
}

void TTwoEightClient::BindTableSurface(TControl& control) {
    control.OnMouseDown = [this, &control](TControl*, TMouseButton button, TShiftState, int x, int y) {
        TableMouseDown(button, control.Left() + x, control.Top() + y);
    };
    control.OnMouseMove = [this, &control](TControl*, TShiftState, int x, int y) {
        TableMouseMove(control.Left() + x, control.Top() + y);
    };
}

void TTwoEightClient::DestroyInOrder() {
    FreeStatistics();
    for (TComponent** part :
         {reinterpret_cast<TComponent**>(&cofferTimer_), reinterpret_cast<TComponent**>(&saveButton_),
          reinterpret_cast<TComponent**>(&drawButton_), reinterpret_cast<TComponent**>(&saveDialog_),
          reinterpret_cast<TComponent**>(&drawDialog_)}) {
        if (*part) FreeComponent(*part);
        *part = nullptr;
    }
    StopMusic();
    // The rest goes in the order it was made.
    while (ComponentCount() > 0)
        FreeComponent(Components(0));
}

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
    playerCards_.clear();
    bankerCards_.clear();
    playerCopy_.clear();
    bankerCopy_.clear();
    settlementShown_ = false;
    pilesBuilt_ = true;
    dealingState_ = 0;
    SetInformation(WrapStatusText(scene_.StatusText));
    playerStake_ = 0;
    scene_.LastPointsA = 0;
    scene_.LastPointsB = 0;
    scene_.Phase = 1;
    ResetTable();
    scene_.TotalStakes.fill(0);
    scene_.OwnStakes.fill(0);
}

void TTwoEightClient::DoGameOver() {
    scene_.Phase = 0;
    dealingState_ = 0;
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
    const std::uint8_t previousPhase = scene_.Phase;
    ReadTableScene(data, scene_);
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
    if (scene_.Phase == 3) {
        std::array<TRoadTableEntry, kRoadLength> entries{};
        for (int i = 0; i < kRoadLength; ++i) {
            const TResultTableEntry& e = scene_.ResultRoad[std::size_t(i)];
            entries[std::size_t(i)] = {e.ResultCode, e.BankerPair, e.PlayerPair};
        }
        resultTable_->SetResults(entries, scene_.ResultRoadCount);
    }
    FeedBarsFromScene();
    RefreshView();
}

void TTwoEightClient::PrintRoomSettings() {
    const std::string unit = BeanName();
    AddChatText("======本房间游戏设置========", 10);
    AddChatText("上庄所需" + unit + Formatted(":%lld", scene_.BankerApplyBeans), 10);
    AddChatText(Formatted("个人最大下注:%lld", scene_.PersonalStakeCap), 10);
    AddChatText(Formatted("单区最大赔付:%lld", scene_.RegionPayoutCap), 10);
    if (scene_.GrabAllowed && scene_.GrabPrice > 0)
        AddChatText("抢庄所需" + unit + Formatted(":%lld", scene_.GrabPrice), 10);
    if (scene_.MinBankerRounds > 1) AddChatText(Formatted("最少坐庄局数:%lld", scene_.MinBankerRounds), 10);
    AddChatText("============================", 10);
}

void TTwoEightClient::FeedBarsFromScene() {
    topBar_->SetAcceptable(scene_.AcceptableAmounts);
    TBarRoadGames games{};
    for (int i = 0; i < kRoadLength; ++i) {
        const TBarRoadEntry& e = scene_.BarRoad[std::size_t(i)];
        games[std::size_t(i)] = {e.BankerPoints, e.PlayerPoints, e.ResultCode};
    }
    topBar_->SetRoad(games);
    FeedBankerFigures();
    bottomBar_->SetRoad(games);
    bottomBar_->SetTopBar(topBar_->Handle());
}

// [SECTION] Clock, sounds and music

void TTwoEightClient::SetClock(int seconds) {
    clock_->SetValue(std::max(seconds, 0));
}

void TTwoEightClient::SetClockForPhase(std::uint8_t previousPhase) {
    if (!scene_.GameInProgress) return;
    switch (scene_.Phase) {
    case 0:
        SetClock(scene_.FreeTime - scene_.PhaseElapsed);
        break;
    case 1:
        PlaySound("开始.wav");
        StartMusic();
        SetClock(scene_.BettingTime - scene_.PhaseElapsed);
        break;
    case 2:
        clockOrnament_->Stop();
        StopMusic();
        SetClock(scene_.DealingTime - scene_.PhaseElapsed);
        break;
    case 3:
        if (previousPhase != 3) PlaySound("结束.wav");
        SetClock(scene_.SettlementTime - scene_.PhaseElapsed);
        break;
    default:
        break;
    }
}

void TTwoEightClient::SecondTick() {
    const int value = clock_->Value();
    if (scene_.Phase == 0 && value < 1) {
        SetClock(scene_.FreeTime);
    } else if (scene_.Phase == 1 && value < 6) {
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
    if (!platform || !backMusic_ || scene_.Phase != 1) return;
    const std::string soundDir = Share() ? Share()->SoundDir() : std::string();
    platform->MciSendString("CLOSE " + kMusicAlias);
    platform->MciSendString("OPEN \"" + soundDir + "\\" + kMusicFile + "\" ALIAS " + kMusicAlias);
    platform->MciSendString("PLAY " + kMusicAlias);
    musicPlaying_ = true;
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
    topBar_->SetCaptions(BeanName());
    bottomBar_->SetCaptions(BeanName());
    UpdateBankerButtons();
    noBankerPicture_->SetVisible(scene_.BankerList[0].Chair < 0);
    UpdateCofferButtons();
    UpdatePhasePictures();
    UpdateTableVisibility();
    CheckDealingStart();
    UpdateChipButtons();
    if (scene_.Phase != 1) SetTableCursor(kNormalCursor);
    if (scene_.Phase != 0 && !pilesBuilt_) {
        BuildPiles();
        SetInformation({});
    }
    if (scene_.Phase != 2) flyingCard_->SetVisible(false);
    for (TTemplateOverlapPng* pile : chipPiles_)
        pile->SetVisible(IsPlaying());
    UpdateRegionNumbers();
    const bool clockShown = scene_.BankerList[0].Chair >= 0 || (scene_.AutoPass && scene_.NoBanker);
    clock_->SetVisible(clockShown);
    clockFrame_->SetVisible(clockShown);
    settlementPicture_->SetVisible(settlementShown_);
    settlementTexts_->SetVisible(settlementShown_);
    if (scene_.BankerList[0].UserId < 0 && scene_.Phase == 0)
        SetInformation(WrapStatusText(scene_.NoBankerText));
    Resized();
}

void TTwoEightClient::UpdatePhasePictures() {
    for (int phase = 0; phase < 4; ++phase)
        phasePictures_[std::size_t(phase)]->SetVisible(phase == scene_.Phase);
}

void TTwoEightClient::UpdateTableVisibility() {
    const bool dealt = scene_.Phase > 1;
    cardTray_->SetVisible(dealt);
    playerLabel_->SetVisible(dealt);
    bankerLabel_->SetVisible(dealt);
    playerHand_->SetVisible(scene_.Phase != 1);
    bankerHand_->SetVisible(scene_.Phase != 1);
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
