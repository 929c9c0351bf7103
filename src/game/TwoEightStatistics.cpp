// The table client's statistics window: its small button and the gesture that opens it, the requests it
// sends while bets are taken, and the computer's stakes handed to it.
#include "game/Form1.h"
#include "game/GameRequests.h"
#include "game/TwoEightClient.h"
#include "gui/Button.h"

namespace morvane {

namespace {

constexpr int kStatisticsButtonSize = 15;

} // namespace

void TTwoEightClient::UpdateStatisticsButton() {
    if (!scene_.StatisticsAllowed || statisticsButton_) return;
    statisticsButton_ = Own(std::make_unique<TButton>(this));
    statisticsButton_->SetBounds(0, 0, kStatisticsButtonSize, kStatisticsButtonSize);
    statisticsButton_->OnMouseDown = [this](TControl*, TMouseButton button, TShiftState shift, int, int) {
        StatisticsButtonMouseDown(button, shift);
    };
    statisticsButton_->SetParent(this);
    statisticsButton_->BringToFront();
}

void TTwoEightClient::StatisticsButtonMouseDown(TMouseButton button, TShiftState shift) {
    if (button == TMouseButton::mbRight && (shift & ssCtrl) != 0 && scene_.StatisticsAllowed)
        OpenStatisticsWindow();
}

void TTwoEightClient::SendStatisticsRequest(std::uint8_t action, std::int32_t argument) {
    if (scene_.Phase != TGamePhase::Betting) return;
    TStatisticsRequest request;
    request.Action = action;
    request.Argument = argument;
    SendTableData(request.Write(), 0);
}

void TTwoEightClient::OpenStatisticsWindow() {
    if (!statisticsWindow_) {
        statisticsWindow_ = Own(std::make_unique<TForm1>(this));
        statisticsWindow_->OnStatisticsRequest = [this](std::uint8_t action, std::int32_t argument) {
            SendStatisticsRequest(action, argument);
        };
    }
    statisticsWindow_->ShowStatistics();
}

void TTwoEightClient::ForwardComputerBets(const TComputerBetNotice& notice) {
    if (scene_.StatisticsAllowed && scene_.Phase == TGamePhase::Betting && statisticsWindow_)
        statisticsWindow_->ShowNotice(notice);
}

void TTwoEightClient::FreeStatistics() {
    if (statisticsButton_) FreeComponent(statisticsButton_);
    statisticsButton_ = nullptr;
    if (statisticsWindow_) {
        if (statisticsWindow_->Showing()) statisticsWindow_->CloseStatistics();
        FreeComponent(statisticsWindow_);
    }
    statisticsWindow_ = nullptr;
}

} // namespace morvane
