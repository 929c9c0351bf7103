// The table client's construction: every table control created in its place and bound to its handlers,
// and their destruction in the order they depend on each other.
#include "game/TableFelt.h"
#include "game/TableLayout.h"
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

using namespace tablelayout;

// [SECTION] Construction and destruction

TTwoEightClient::TTwoEightClient(TComponent* owner) : TCustomPluginClient(owner) {
    SetBounds(0, 0, kTableWidth, kTableHeight);
    CreateControls();
    ResetTable();
}

TTwoEightClient::~TTwoEightClient() {
    DestroyInOrder();
}

std::unique_ptr<TControl> TTwoEightClient::ReleaseTitleStrip() {
    if (!topBar_ || topBar_->Owner() != this) return nullptr;
    std::unique_ptr<TComponent> strip = ReleaseComponent(topBar_);
    // The bar lives on as long as its new owner wants; the table only has to hear when it goes.
    FreeNotification(topBar_);
    return std::unique_ptr<TControl>(static_cast<TControl*>(strip.release()));
}

std::vector<std::string> TTwoEightClient::ChipCursorNames() const {
    // Slot k holds the k-th smallest chip; the table selects a chip by making its slot the cursor.
    return {"100Cur", "500Cur", "1000Cur", "5000Cur", "1wcur",
            "5wcur",  "10wCur", "50wCur",  "100wCur", "500wCur"};
}

void TTwoEightClient::Notification(TComponent* component, bool removing) {
    TCustomPluginClient::Notification(component, removing);
    if (removing && component == topBar_) topBar_ = nullptr;
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
    std::vector<TControl*> stack{felt_};
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
    // Every one of these starts hidden and many show only in some rounds (highlights, the settlement panel,
    // the notices), so each is decoded when it is first drawn.
    const std::optional<TPictureSize> size = PictureSizeByName(name);
    if (size) image->SetPictureOnFirstUse(size->Width, size->Height, [name] { return BarPicture(name); });
    image->SetBounds(left, top, size ? size->Width : 0, size ? size->Height : 0);
    image->SetVisible(visible);
    return image;
}

void TTwoEightClient::CreateBoardPictures() {
    felt_ = Own(std::make_unique<TTableFelt>(this));
    felt_->AddLayer("MainBigImage", 0, 0);
    felt_->AddLayer("MainBetRegPng", kBoardAt.x, kBoardAt.y);
    felt_->AddLayer("Quest1", kQuestAt.x, kQuestAt.y);
    felt_->AddLayer("MainBeam", kBeamAt.x, kBeamAt.y);
    BindTableSurface(*felt_);
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
        auto* own = Own(std::make_unique<TPngNumber>(this, 0, TPngNumber::AlignLeft,
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
        // The caption stands left of the stake, level with its digits.
        caption->SetTop(at.y + (ownStakes_[std::size_t(i)]->Height() - caption->Height()) / 2);
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
    // Blank until a running game's scene gives it a phase to count down.
    clock_->SetValue(kBlankClock);
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
        group->SetPicturesOnFirstUse([this] {
            // Decoded for the first card this table shows, then drawn by all of its groups.
            if (!cardPictures_) cardPictures_ = LoadCardResource();
            return cardPictures_;
        });
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
    for (TGamePhase phase : kGamePhases) {
        const std::uint8_t number = GamePhaseByte(phase);
        phasePictures_[number] =
            AddPicture("Time" + std::to_string(number), kPhasePictureAt.x, kPhasePictureAt.y, false);
    }

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
    // Translucent almost throughout, over hands that stay as they are while it shows.
    settlementPicture_->SetKeepsBlend(true);
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
    auto free = [this](auto*& part) {
        if (part) FreeComponent(part);
        part = nullptr;
    };
    // The coffer goes first, so that no reply can reach a dialog that is going.
    free(cofferTimer_);
    free(saveButton_);
    free(drawButton_);
    free(saveDialog_);
    free(drawDialog_);
    StopMusic();
    // The rest goes in the order it was made.
    while (ComponentCount() > 0)
        FreeComponent(Components(0));
}

} // namespace morvane
