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
    if (scene_.Phase != 1) return;
    TStatisticsRequest request;
    request.Action = action;
    request.Argument = argument;
    SendTableData(request.Write(), 0);
}

// The statistics window itself is not part of this build yet: until it is, the gesture opens nothing
// and the computer's stakes go nowhere.
void TTwoEightClient::OpenStatisticsWindow() {}

void TTwoEightClient::ForwardComputerBets(const TComputerBetNotice&) {}

void TTwoEightClient::FreeStatistics() {
    if (statisticsButton_) FreeComponent(statisticsButton_);
    statisticsButton_ = nullptr;
}

} // namespace morvane
