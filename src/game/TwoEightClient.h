#pragma once

#include "base/Random.h"
#include "game/GameNotices.h"
#include "game/SettlementTexts.h"
#include "game/TableScene.h"
#include "game/TwoEightRules.h"
#include "graphics/CofferRecords.h"
#include "graphics/IBarUserLookup.h"
#include "graphics/PngCardInfo.h"
#include "graphics/TemplateOverlapPng.h"
#include "plugin/CustomPluginClient.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

class TBjlBottomBar;
class TBjlTopBar;
class TBJLResultTable;
class TButton;
class TClockNumber;
class TForm1;
class TFormCofferDrawMoney;
class TFormCofferSaveMoney;
class TImage;
class TLabel;
class TPictureButton;
class TPngAction;
class TPngCardGroupGraphic;
class TPngNumber;
class TTableFelt;
class TTimer;
class TTwoEightClientTestApi;

// Whose card flies next while the table deals the hands the server decided.
enum class TDealingState : std::uint8_t {
    Idle = 0, // no dealing this round yet
    PlayerTurn = 1,
    BankerTurn = 2,
    Done = 3, // both hands hold every card of the scene
};

// The baccarat table: it owns every table control, keeps the table state the server's scenes and notices
// describe, runs the round's phases with the clock, the sounds and the betting music, checks the player's
// bets before they are sent, deals the cards the server decided, settles, manages the banker queue and
// hands coffer and statistics requests on. The bars find users through it (the hub's user list).
class TTwoEightClient : public TCustomPluginClient, private IBarUserLookup {
public:
    // The table's own size: the felt picture covers it.
    static constexpr int kTableWidth = 1024;
    static constexpr int kTableHeight = 734;
    static constexpr int kNormalCursor = 0;
    static constexpr std::array<TPoint, kChipButtonCount> kChipButtonAt{
        {{400, 555}, {460, 555}, {520, 555}, {580, 555}, {640, 555}, {700, 555}}};

    explicit TTwoEightClient(TComponent* owner);
    ~TTwoEightClient() override;

    // [SECTION] Operations of the base
    bool ShowScoreNotes() override { return false; }
    bool CanQuitFreely() override;
    bool QueryQuit(std::string& message) override;
    bool CanAskToLeave() override { return false; }
    void GetFacePath(std::string& path) override;
    // The table has closed: the betting music stops with it.
    void DoFinalize() override;
    void DoTableData(TBytes data, std::int64_t fromId) override;
    void DoUserReady(int seat) override;
    void DoOwnAttribute(std::uint8_t value) override;
    void DoGameStart() override;
    void DoGameOver() override;
    void DoCofferReply(TBytes reply, const std::string& text) override;
    void DoUserList(int count, const TPluginUserSlots& users) override;
    void DoUserEnter(const STRU_PLUGIN_USERINFO& user) override;
    void DoScoreBlock(std::uint8_t flag, int count, const TPluginScoreBlock& block) override;
    void DoUserValue(int value, std::int64_t userId) override;
    void DoGameData(TBytes data) override;
    void DoPlayerSeated(const std::string& nickName, int extValue, std::uint8_t seat,
                        std::int64_t userId) override;
    void DoPlayerUnseated(std::uint8_t seat, std::int64_t userId) override;
    void RequestSeat(std::uint8_t seat, bool sit) override;

    // [SECTION] What the main form asks of the table, and the settings it gives
    TSize TableSize() const override { return {kTableWidth, kTableHeight}; }
    // The top bar, which the form lays over its title strip, above the hall panels.
    std::unique_ptr<TControl> ReleaseTitleStrip() override;
    std::vector<std::string> ChipCursorNames() const override;
    std::string UserListPictureName() const override { return "TWOEIGHT_BTIMAPUSERLIST"; }
    std::string ChatPictureName() const override { return "TWOEIGHT_BTIMAPBUSERCHAT"; }
    bool BackMusic() const override { return backMusic_; }
    // On starts the betting music (in the betting phase), off stops it.
    void SetBackMusic(bool on) override;
    // Chip places and the thinning of chips follow this generator; tests fix its seed.
    TRandom& Random() { return random_; }

    // [SECTION] Table state
    const TTableScene& Scene() const { return scene_; }
    TGamePhase Phase() const { return scene_.Phase; }
    // 0: no chip (the normal cursor); 1..10: the chip cursor of chip index cursor - 1.
    int TableCursor() const { return tableCursor_; }
    std::int64_t PlayerStake() const { return playerStake_; }
    bool SettlementShown() const { return settlementShown_; }
    // The local player's balance: Beans of the own record (0 while it is unknown).
    std::int64_t MyBeans() const;
    // The local user is the banker (compared by user id): the chip buttons shut for him.
    bool IAmBanker() const;

    // [SECTION] The controls the main form, the simulators and the benchmarks reach
    TBjlTopBar& TopBar() const { return *topBar_; }
    TPictureButton& ChipButton(int index) const { return *chipButtons_.at(std::size_t(index)); }
    TTemplateOverlapPng& ChipPile(int region) const { return *chipPiles_.at(std::size_t(region)); }
    TPictureButton& SaveButton() const { return *saveButton_; }
    TPictureButton& DrawButton() const { return *drawButton_; }
    TFormCofferSaveMoney& SaveDialog() const { return *saveDialog_; }
    TFormCofferDrawMoney& DrawDialog() const { return *drawDialog_; }

protected:
    void Resized() override;
    // Forgets the top bar when the form that took it over frees it.
    void Notification(TComponent* component, bool removing) override;

private:
    // Tests reach the inner state, the other controls and the controls' handlers through it.
    friend class TTwoEightClientTestApi;

    // The table proper; to the right of it lie the hall panels.
    static constexpr int kTableAreaWidth = 800;
    static constexpr std::uint32_t kBlinkInterval = 400;
    static constexpr std::uint32_t kSecondInterval = 1000;
    static constexpr std::uint32_t kCofferInterval = 1;
    // Anything above this many notices in a round thins out other players' chips on Banker and Player.
    static constexpr int kAllChipsNotices = 60;
    static constexpr int kFewChipsNotices = 100;
    static constexpr TPoint kFlyingCardHome{596, 176};
    static constexpr TPoint kBankerHandAt{423, 212};
    static constexpr TPoint kPlayerHandAt{285, 212};

    struct TChair {
        std::int64_t UserId{0};
        std::string Name;
    };

    // [SECTION] Views of the state the checks use
    // The name of the beans the table bets with (the hub's, which has a fallback for rooms without one).
    std::string UnitName() const;
    // The local chair is the banker's chair: picking a chip, betting and highlighting stop there.
    bool OnBankersChair() const;
    int BankerListLength() const;
    // The six banker-button flags (shown 0..2, enabled 0..2) and the grab button's.
    std::array<bool, 6> BankerButtonFlags() const;
    bool GrabShown() const;
    bool GrabEnabled() const;

    // [SECTION] The table's own events (the controls' handlers)
    void ChipButtonClick(int button);
    // A press on a table surface, in the client's coordinates.
    void TableMouseDown(TMouseButton button, int x, int y);
    void TableMouseMove(int x, int y);
    void BankerButtonClick(int button);
    void CofferButtonClick(std::uint8_t operation);
    // The statistics window's mouse gesture: a right press with Ctrl held on the statistics button.
    void StatisticsButtonMouseDown(TMouseButton button, TShiftState shift);

    // [SECTION] Construction (TwoEightControls.cpp)
    void CreateControls();
    void CreateBoardPictures();
    void CreateRegionControls();
    void CreateClock();
    void CreateCards();
    void CreateButtons();
    void CreateTimers();
    void CreateSettlementPanel();
    void BindTableSurface(TControl& control);
    TImage* AddPicture(const std::string& name, int left, int top, bool visible);
    void DestroyInOrder();

    // [SECTION] Scene, refresh, clock and music (TwoEightClient.cpp)
    void ApplyScene(TBytes data);
    void PrintRoomSettings();
    void SetClockForPhase(TGamePhase previousPhase);
    void SetClock(int seconds);
    void FeedBarsFromScene();
    void RefreshView();
    void UpdatePhasePictures();
    void UpdateTableVisibility();
    void SecondTick();
    void StartMusic();
    void StopMusic();
    void ResetTable();
    void SetInformation(const std::string& text);
    void FollowOwnRecord();

    // [SECTION] Betting (TwoEightBetting.cpp)
    void SetupChipButtons();
    void SetTableCursor(int cursor);
    void ReportBetRefusal(const std::string& text);
    // A line in the table's system message area (the chat view), with its message kind.
    void ShowSystemLine(const std::string& text, std::int64_t kind);
    bool PassesAntiRepeat();
    void HighlightRegion(int x, int y);
    void HideRegionPictures();
    void UpdateChipButtons();
    void HandleBetNotice(const TBetNotice& notice);
    bool ShowsOtherChip(std::uint8_t region);
    void AddChip(int region, std::int64_t amount);
    void PlayChipSound(std::int64_t amount);
    void PlaySparkle(int region);
    void UpdateAcceptable();
    void BuildPiles();
    void UpdateRegionNumbers();
    std::int64_t SumOwnStakes() const;

    // [SECTION] Dealing and settlement (TwoEightDealing.cpp)
    void CheckDealingStart();
    void DealingTick();
    bool DealPlayerCard();
    bool DealBankerCard();
    bool FlyCard(TPngCardGroupGraphic& hand, std::string& copy, const std::string& full, int stepX,
                 int stepY);
    void UpdatePointLabels();
    void UpdateCommentary();
    void HandleSettlement(const TSettlementNotice& notice);
    void ShowSettlementPanel();
    void AppendResultLine(std::uint8_t resultCode);
    void BlinkTick();
    void TakeRoundResults(int count, const TPluginScoreBlock& block);

    // [SECTION] Banker management (TwoEightBanker.cpp)
    void UpdateBankerButtons();
    void HandleBankerList(const TBankerListNotice& notice);
    void AnnounceBanker(std::int64_t bankerId);
    void HandleGrabReply(const TGrabBankerReply& reply);
    bool LeavingEarlyCosts() const;
    std::array<TBarQueueEntry, kBarQueueLength> BarQueue() const;
    void FeedBankerFigures();
    const STRU_PLUGIN_USERINFO* FindUserRecord(std::int64_t userId) const;
    // IBarUserLookup
    std::int64_t OwnUserId() const override;
    std::optional<TBarUser> FindBarUser(std::int64_t userId, std::int32_t chair) const override;

    // [SECTION] Coffer (TwoEightCoffer.cpp) and statistics (TwoEightStatistics.cpp)
    void UpdateCofferButtons();
    void CofferTick();
    void ShowCofferText(const std::string& text);
    void UpdateStatisticsButton();
    void OpenStatisticsWindow();
    void ForwardComputerBets(const TComputerBetNotice& notice);
    void SendStatisticsRequest(std::uint8_t action, std::int32_t argument);
    void FreeStatistics();

    // [SECTION] State
    TTableScene scene_{};
    std::array<TChair, kChairCount> chairs_{};
    bool pilesBuilt_{false};
    bool settlementShown_{false};
    int scenesShown_{0};
    int lastChipCursor_{0};
    int repeatCount_{0};
    int betNoticeCount_{0};
    int tableCursor_{kNormalCursor};
    std::int64_t playerStake_{0};
    std::string playerCards_;
    std::string bankerCards_;
    std::string playerCopy_;
    std::string bankerCopy_;
    TDealingState dealingState_{TDealingState::Idle};
    std::int64_t ownResult_{0};
    std::int64_t bankerResult_{0};
    // This game's settlement has been shown; a score block arriving after it corrects what it booked.
    bool roundSettled_{false};
    std::int64_t bookedBankerResult_{0};
    std::uint8_t resultCode_{kNoResult};
    bool playerPair_{false};
    bool bankerPair_{false};
    bool backMusic_{true};
    bool musicPlaying_{false};
    std::int64_t lastAnnouncedBanker_{0};
    bool cofferPending_{false};
    bool cofferDialogOpen_{false};  // a coffer dialog is in its modal run
    bool noBankerTextShown_{false}; // the information line says there is no banker
    std::vector<std::uint8_t> cofferReply_;
    std::string cofferText_;
    TRandom random_{0};
    std::array<std::int64_t, kChipButtonCount> chipButtonValues_{};

    // [SECTION] Controls (owned through the component tree; these point at them)
    TBjlTopBar* topBar_{nullptr};
    TBJLResultTable* resultTable_{nullptr};
    std::shared_ptr<const TCardResource> cardPictures_;
    TBjlBottomBar* bottomBar_{nullptr};
    // The background, the bet-region picture, the question picture and the beam, composed once.
    TTableFelt* felt_{nullptr};
    std::array<TTemplateOverlapPng*, kRegionCount> chipPiles_{};
    std::array<TPngNumber*, kRegionCount> regionTotals_{};
    std::array<TPngNumber*, kRegionCount> ownStakes_{};
    TClockNumber* clock_{nullptr};
    TImage* clockFrame_{nullptr};
    TTimer* blinkTimer_{nullptr};
    std::array<TImage*, kRegionCount> regionPictures_{};
    TTimer* dealingTimer_{nullptr};
    TTimer* secondTimer_{nullptr};
    TImage* cardTray_{nullptr};
    TLabel* playerLabel_{nullptr};
    TLabel* bankerLabel_{nullptr};
    TPngCardGroupGraphic* flyingCard_{nullptr};
    TPngCardGroupGraphic* bankerHand_{nullptr};
    TPngCardGroupGraphic* playerHand_{nullptr};
    std::array<TPictureButton*, kChipButtonCount> chipButtons_{};
    TChipPictures stakeMarkers_;
    std::array<TImage*, kGamePhases.size()> phasePictures_{};
    TPictureButton* saveButton_{nullptr};
    TPictureButton* drawButton_{nullptr};
    TImage* noBankerPicture_{nullptr};
    TPngAction* clockOrnament_{nullptr};
    TPngAction* sparkle_{nullptr};
    TImage* settlementPicture_{nullptr};
    TSettlementTexts* settlementTexts_{nullptr};
    TPictureButton* tableButton_{nullptr};
    std::array<TImage*, kRegionCount> betCaptions_{};
    TTimer* cofferTimer_{nullptr};
    TFormCofferSaveMoney* saveDialog_{nullptr};
    TFormCofferDrawMoney* drawDialog_{nullptr};
    TButton* statisticsButton_{nullptr};
    TForm1* statisticsWindow_{nullptr};
};

} // namespace morvane
