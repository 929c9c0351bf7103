#include "graphics/CofferSaveMoneyFrm.h"

#include "gui/Button.h"
#include "gui/Edit.h"

namespace morvane {

namespace {

constexpr int kClientWidth = 273;
constexpr int kClientHeight = 197;
constexpr int kButtonTop = 144;
constexpr int kSaveLeft = 24;

// The rest of the account after the deposit; an account so far below zero that the difference does not
// fit counts as the lowest rest, which no minimum allows.
std::int64_t RestAfter(std::int64_t account, std::int64_t amount) {
    std::int64_t rest = 0;
    return __builtin_sub_overflow(account, amount, &rest) ? INT64_MIN : rest;
}

} // namespace

TFormCofferSaveMoney::TFormCofferSaveMoney(TComponent* owner)
    : TCofferDialog(owner, kClientWidth, kClientHeight, "存入数量：") {
    EditSaveAmount = AddAmountEdit();
    EditSaveAmount->OnKeyPress = [this](TControl* sender, std::string& gbkChar) {
        EditSaveAmountKeyPress(sender, gbkChar);
    };
    ButtonSave = AddButton(this, kSaveLeft, kButtonTop, "存入");
    ButtonSave->SetDefault(true);
    ButtonSave->OnClick = [this](TControl* sender) { ButtonSaveClick(sender); };
    ButtonCancel->SetTop(kButtonTop);
}

void TFormCofferSaveMoney::PrepareFields() {
    EditSaveAmount->Clear();
}

void TFormCofferSaveMoney::EditSaveAmountKeyPress(TControl*, std::string& gbkChar) {
    KeepDigitsOnly(gbkChar);
}

void TFormCofferSaveMoney::ButtonSaveClick(TControl*) {
    const std::int64_t amount = CofferAmount(EditSaveAmount->Text());
    if (amount < Reply().MinAmount) {
        Refuse("最少要存入" + std::to_string(Reply().MinAmount));
        return;
    }
    if (RestAfter(Reply().AccountBean, amount) < Reply().MinRemaining) {
        Refuse("账户数量最少要剩余" + std::to_string(Reply().MinRemaining));
        return;
    }
    Accept(CofferRequest(kCofferDeposit, amount, MachineId(), ""));
}

} // namespace morvane
