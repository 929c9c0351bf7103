// The table client's coffer: a button asks the host for the coffer's state; the reply opens the deposit
// or withdrawal dialog (or shows the host's text) on a one-shot timer, and a confirmed dialog's request
// goes back to the host.
#include "base/ScopeExit.h"
#include "game/TwoEightClient.h"
#include "graphics/CofferDrawMoneyFrm.h"
#include "graphics/CofferSaveMoneyFrm.h"
#include "gui/MessageBox.h"
#include "gui/Timer.h"
#include "platform/Platform.h"
#include "ui/PluginPictureButton.h"

#include <algorithm>
#include <cstring>

namespace morvane {

namespace {

const std::string kCofferCaption = "保险箱操作";
constexpr std::size_t kReplyKindAt = 0;
constexpr std::size_t kReplyOperationAt = 1;
constexpr std::size_t kReplyErrorAt = 10;
constexpr std::size_t kReplyKeepAt = 19;
constexpr std::uint8_t kReplyOpensDialog = 0;
constexpr std::uint8_t kReplyShowsText = 1;

std::int64_t ReadI64At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 8; ++i)
        value |= std::uint64_t(bytes[at + i]) << (8 * i);
    return std::int64_t(value);
}

void WriteI64At(std::vector<std::uint8_t>& bytes, std::size_t at, std::int64_t value) {
    for (std::size_t i = 0; i < 8; ++i)
        bytes[at + i] = std::uint8_t(std::uint64_t(value) >> (8 * i));
}

} // namespace

void TTwoEightClient::UpdateCofferButtons() {
    saveButton_->SetEnabled(!IsPlaying());
    drawButton_->SetEnabled(true);
}

void TTwoEightClient::CofferButtonClick(std::uint8_t operation) {
    if (cofferPending_) return;
    // The state query: the layout of a confirmed operation with no amount and no answer, marked as query.
    std::vector<std::uint8_t> query = CofferRequest(operation, 0, PlatformMachineId(), {});
    query[0] = 0;
    TCofferRequest request{};
    std::copy_n(query.begin(), std::min(query.size(), request.size()), request.begin());
    cofferPending_ = true;
    SendCofferRequest(request);
}

void TTwoEightClient::DoCofferReply(TBytes reply, const std::string& text) {
    // A reply while the last one is still being handled (its timer runs or its dialog is open) is dropped.
    if (cofferTimer_->Enabled() || cofferDialogOpen_) return;
    if (reply.size() < TCofferReply::kBytes) {
        // A reply too short to read still ends the request, so the buttons work again.
        cofferPending_ = false;
        return;
    }
    cofferReply_.assign(reply.begin(), reply.begin() + TCofferReply::kBytes);
    bool listed = false;
    for (int i = 0; i < BankerListLength(); ++i)
        if (scene_.BankerList[std::size_t(i)].UserId == GetMyID()) listed = true;
    if (listed && ReadI64At(cofferReply_, kReplyKeepAt) < scene_.BankerApplyBeans)
        WriteI64At(cofferReply_, kReplyKeepAt, scene_.BankerApplyBeans);
    cofferText_ = text;
    cofferTimer_->SetEnabled(true);
}

void TTwoEightClient::ShowCofferText(const std::string& text) {
    MessageBox(*this, kCofferCaption, text, MB_OK);
}

void TTwoEightClient::CofferTick() {
    cofferTimer_->SetEnabled(false);
    std::vector<std::uint8_t> followUp;
    if (cofferReply_[kReplyErrorAt] != 0) {
        ShowCofferText(cofferText_);
    } else if (cofferReply_[kReplyKindAt] == kReplyOpensDialog) {
        if (const std::optional<TCofferReply> reply = ReadCofferReply(cofferReply_)) {
            TCofferDialog& dialog = cofferReply_[kReplyOperationAt] == kCofferDeposit
                                        ? static_cast<TCofferDialog&>(*saveDialog_)
                                        : static_cast<TCofferDialog&>(*drawDialog_);
            dialog.Prepare(*reply);
            cofferDialogOpen_ = true;
            const TScopeExit closed([this] { cofferDialogOpen_ = false; });
            if (dialog.ShowModal() == TCofferDialog::kResultOk) followUp = dialog.Request();
        }
    } else if (cofferReply_[kReplyKindAt] == kReplyShowsText) {
        ShowCofferText(cofferText_);
    }
    if (followUp.size() == kCofferRequestSize) {
        TCofferRequest request{};
        std::copy(followUp.begin(), followUp.end(), request.begin());
        cofferPending_ = true;
        SendCofferRequest(request);
    } else {
        cofferPending_ = false;
    }
}

} // namespace morvane
