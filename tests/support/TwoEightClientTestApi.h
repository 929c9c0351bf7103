#pragma once

// What tests see of a baccarat table beyond what the hall and the main form use: the state of the round,
// every control and the controls' handlers, called as the controls call them.

#include "game/TableFelt.h"
#include "game/TwoEightClient.h"

#include <array>
#include <cstdint>
#include <string>

namespace morvane {

// A view over one table; it holds a reference, so make it where it is used.
class TTwoEightClientTestApi {
public:
    static constexpr int kTableAreaWidth = TTwoEightClient::kTableAreaWidth;

    explicit TTwoEightClientTestApi(TTwoEightClient& client) : client_(client) {}

    // The round's state
    int BetNoticeCount() const { return client_.betNoticeCount_; }
    TDealingState DealingState() const { return client_.dealingState_; }
    bool PilesBuilt() const { return client_.pilesBuilt_; }
    std::int64_t OwnRoundResult() const { return client_.ownResult_; }
    std::int64_t BankerRoundResult() const { return client_.bankerResult_; }
    std::int64_t LastAnnouncedBanker() const { return client_.lastAnnouncedBanker_; }
    const std::string& ChairName(int chair) const { return client_.chairs_.at(std::size_t(chair)).Name; }
    std::int64_t ChairUser(int chair) const { return client_.chairs_.at(std::size_t(chair)).UserId; }
    bool CofferPending() const { return client_.cofferPending_; }
    bool MusicPlaying() const { return client_.musicPlaying_; }
    std::array<bool, 6> BankerButtonFlags() const { return client_.BankerButtonFlags(); }

    // The controls
    TBjlBottomBar& BottomBar() const { return *client_.bottomBar_; }
    TBJLResultTable& ResultTable() const { return *client_.resultTable_; }
    TClockNumber& Clock() const { return *client_.clock_; }
    TTableFelt& Felt() const { return *client_.felt_; }
    TTemplateOverlapPng& ChipPile(int region) const { return *client_.chipPiles_.at(std::size_t(region)); }
    TImage& RegionPicture(int region) const { return *client_.regionPictures_.at(std::size_t(region)); }
    TPngNumber& RegionTotal(int region) const { return *client_.regionTotals_.at(std::size_t(region)); }
    TPngNumber& OwnStake(int region) const { return *client_.ownStakes_.at(std::size_t(region)); }
    TImage& PhasePicture(TGamePhase phase) const { return *client_.phasePictures_.at(GamePhaseByte(phase)); }
    TPngCardGroupGraphic& PlayerHand() const { return *client_.playerHand_; }
    TPngCardGroupGraphic& BankerHand() const { return *client_.bankerHand_; }
    TPngCardGroupGraphic& FlyingCard() const { return *client_.flyingCard_; }
    TLabel& PlayerLabel() const { return *client_.playerLabel_; }
    TLabel& BankerLabel() const { return *client_.bankerLabel_; }
    TImage& CardTray() const { return *client_.cardTray_; }
    TImage& NoBankerPicture() const { return *client_.noBankerPicture_; }
    TImage& SettlementPicture() const { return *client_.settlementPicture_; }
    TSettlementTexts& SettlementPanel() const { return *client_.settlementTexts_; }
    TPngAction& ClockOrnament() const { return *client_.clockOrnament_; }
    TPngAction& BigBetSparkle() const { return *client_.sparkle_; }
    TButton* StatisticsButton() const { return client_.statisticsButton_; }
    TForm1* StatisticsWindow() const { return client_.statisticsWindow_; }
    TTimer& DealingTimer() const { return *client_.dealingTimer_; }
    TTimer& BlinkTimer() const { return *client_.blinkTimer_; }
    TTimer& CofferTimer() const { return *client_.cofferTimer_; }

    // The controls' handlers
    void ChipButtonClick(int button) const { client_.ChipButtonClick(button); }
    // A press on a table surface, in the client's coordinates.
    void TableMouseDown(TMouseButton button, int x, int y) const { client_.TableMouseDown(button, x, y); }
    void TableMouseMove(int x, int y) const { client_.TableMouseMove(x, y); }
    void BankerButtonClick(int button) const { client_.BankerButtonClick(button); }
    void CofferButtonClick(std::uint8_t operation) const { client_.CofferButtonClick(operation); }
    void StatisticsButtonMouseDown(TMouseButton button, TShiftState shift) const {
        client_.StatisticsButtonMouseDown(button, shift);
    }

private:
    TTwoEightClient& client_;
};

} // namespace morvane
