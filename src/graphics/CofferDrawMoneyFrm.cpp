#include "graphics/CofferDrawMoneyFrm.h"

#include "gui/Button.h"
#include "gui/Edit.h"
#include "gui/GroupBox.h"
#include "gui/Label.h"

namespace morvane {

namespace {

constexpr int kClientWidth = 287;
constexpr int kClientHeight = 268;
constexpr int kButtonTop = 224;
constexpr int kDrawLeft = 35;

constexpr TRect kGroupBounds{18, 128, 18 + 247, 128 + 81};
constexpr TRect kQuestionBounds{17, 21, 17 + 227, 21 + 13};
constexpr TPoint kAnswerPlace{17, 48};
constexpr int kAnswerWidth = 192;
constexpr std::size_t kAnswerChars = 40;

} // namespace

TFormCofferDrawMoney::TFormCofferDrawMoney(TComponent* owner)
    : TCofferDialog(owner, kClientWidth, kClientHeight, "取出数量：") {
    EditDrawAmount = AddAmountEdit();
    EditDrawAmount->OnKeyPress = [this](TControl* sender, std::string& gbkChar) {
        EditDrawAmountKeyPress(sender, gbkChar);
    };
    GroupBox1 = Own(std::make_unique<TGroupBox>(this));
    GroupBox1->Font().Assign(Font());
    GroupBox1->SetBounds(kGroupBounds.left, kGroupBounds.top, kGroupBounds.Width(), kGroupBounds.Height());
    GroupBox1->SetCaption("账户保护答案");
    GroupBox1->SetParent(this);
    LabelQuestion = AddLabel(GroupBox1, kQuestionBounds.left, kQuestionBounds.top, "");
    LabelQuestion->SetAutoSize(false);
    LabelQuestion->SetBounds(kQuestionBounds.left, kQuestionBounds.top, kQuestionBounds.Width(),
                             kQuestionBounds.Height());
    EditAnswer = AddEdit(GroupBox1, kAnswerPlace.x, kAnswerPlace.y, kAnswerWidth);
    EditAnswer->SetMaxLength(kAnswerChars);
    ButtonDraw = AddButton(this, kDrawLeft, kButtonTop, "取出");
    ButtonDraw->SetDefault(true);
    ButtonDraw->OnClick = [this](TControl* sender) { ButtonDrawClick(sender); };
    ButtonCancel->SetTop(kButtonTop);
}

void TFormCofferDrawMoney::PrepareFields() {
    EditDrawAmount->Clear();
    LabelQuestion->SetCaption(Reply().Question);
    EditAnswer->Clear();
}

void TFormCofferDrawMoney::EditDrawAmountKeyPress(TControl*, std::string& gbkChar) {
    KeepDigitsOnly(gbkChar);
}

void TFormCofferDrawMoney::ButtonDrawClick(TControl*) {
    const std::int64_t amount = CofferAmount(EditDrawAmount->Text());
    const std::string answer = EditAnswer->Text();
    if (amount < Reply().MinAmount) {
        Refuse("最少要取出" + std::to_string(Reply().MinAmount));
        return;
    }
    if (amount > Reply().CofferBean) {
        Refuse("取出数量不能大于保险箱中的数量");
        return;
    }
    if (answer.empty()) {
        Refuse("请输入密保答案");
        return;
    }
    Accept(CofferRequest(kCofferWithdraw, amount, MachineId(), answer));
}

} // namespace morvane
