#pragma once

#include "game/GameNotices.h"
#include "gui/Form.h"

#include <array>
#include <cstdint>
#include <functional>

namespace morvane {

class TButton;
class TGroupBox;
class TLabel;
class TTimer;

// The hidden statistics window the server may allow; lists the computer's or the players' stakes per
// region and what the computer would win or lose, and sends commands (id 34) to the server.
class TForm1 : public TForm {
public:
    static constexpr int kClientWidth = 693;
    static constexpr int kClientHeight = 517;
    static constexpr std::uint32_t kPollInterval = 1000;

    explicit TForm1(TComponent* owner);

    // Sends a statistics request (action 0 = command with the button's tag, 1 = poll with -1). The
    // client binds it and sends only while the phase is 1.
    std::function<void(std::uint8_t action, std::int32_t argument)> OnStatisticsRequest;
    void ShowNotice(const TComputerBetNotice& notice); // caption, stake labels, outcomes
    void ShowStatistics();                             // centred on the screen, shown
    bool Showing() const override;
    void CloseStatistics(); // hides it (the client calls it before freeing)

    // What the computer wins (positive) or loses (negative) if `region` wins, for the notice's banker
    // kind. Figures beyond the 64-bit range stay at its end rather than wrap to the other sign.
    static std::int64_t Outcome(const TComputerBetNotice& notice, int region);

    TGroupBox* RegionBox(int region) const { return boxes_.at(std::size_t(region)); }
    TLabel* StakeLabel(int region) const { return stakeLabels_.at(std::size_t(region)); }
    TLabel* OutcomeLabel(int region) const { return outcomeLabels_.at(std::size_t(region)); }
    TButton* CommandButton(int region) const { return commandButtons_.at(std::size_t(region)); }
    TTimer* PollTimer() const { return timer_; }
    // The box in the caption band that hides the window.
    TRect CloseBox() const;

protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void CreateRegionBox(int region);
    void CommandButtonClick(TControl* sender);
    void TimerTick();
    void SendRequest(std::uint8_t action, std::int32_t argument);
    void CentreOnScreen();

    std::array<TGroupBox*, kRegionCount> boxes_{};
    std::array<TLabel*, kRegionCount> stakeLabels_{};
    std::array<TLabel*, kRegionCount> outcomeLabels_{};
    std::array<TButton*, kRegionCount> commandButtons_{};
    TTimer* timer_{nullptr};
};

} // namespace morvane
