#include "graphics/CofferDialog.h"

#include "gui/Button.h"
#include "gui/Canvas.h"
#include "gui/Edit.h"
#include "gui/Frame3D.h"
#include "gui/Label.h"
#include "gui/MessageBox.h"
#include "gui/SystemColors.h"
#include "platform/CurrentPlatform.h"

namespace morvane {

namespace {

constexpr const char* kDialogCaption = "保险箱操作";
constexpr const char* kFaceName = "Tahoma";
constexpr int kFontSize = 8;

// The caption band drawn across the top of the client area, above the first row of controls.
constexpr int kCaptionBandHeight = 22;
constexpr int kCaptionTextLeft = 8;
constexpr TColor kCaptionBandFrom = 0x6A240A;
constexpr TColor kCaptionBandTo = 0xC8A060;

// Left column of captions, right column of figures.
constexpr int kLabelLeft = 24;
constexpr int kEditLeft = 106;
constexpr int kEditWidth = 121;
constexpr int kEditHeight = 21;
constexpr int kFirstRowTop = 37;
constexpr int kRowStep = 32;
// A caption sits three pixels below the top of its edit.
constexpr int kLabelDrop = 3;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kCancelLeft = 152;
constexpr std::size_t kAmountDigits = 10;

void UseDialogFont(TControl& control) {
    control.Font().SetName(kFaceName);
    control.Font().SetSize(kFontSize);
    control.Font().SetColor(clBlack);
}

} // namespace

TCofferDialog::TCofferDialog(TComponent* owner, int clientWidth, int clientHeight,
                             const std::string& amountCaption)
    : TForm(owner) {
    SetBounds(0, 0, clientWidth, clientHeight);
    SetCaption(kDialogCaption);
    SetColor(clBtnFace);
    UseDialogFont(*this);
    Label1 = AddLabel(this, kLabelLeft, kFirstRowTop + kLabelDrop, "账户数量：");
    Label2 = AddLabel(this, kLabelLeft, kFirstRowTop + kRowStep + kLabelDrop, "保险箱数量：");
    Label3 = AddLabel(this, kLabelLeft, kFirstRowTop + 2 * kRowStep + kLabelDrop, amountCaption);
    EditUserBean = AddEdit(this, kEditLeft, kFirstRowTop, kEditWidth);
    EditCofferBean = AddEdit(this, kEditLeft, kFirstRowTop + kRowStep, kEditWidth);
    for (TEdit* figure : {EditUserBean, EditCofferBean}) {
        figure->SetReadOnly(true);
        figure->SetColor(clBtnFace);
        figure->SetTabStop(false);
    }
    // Placed by the derived dialog, which knows its height.
    ButtonCancel = AddButton(this, kCancelLeft, 0, "取消");
    ButtonCancel->SetCancel(true);
    ButtonCancel->OnClick = [this](TControl* sender) { ButtonCancelClick(sender); };
    OnShow = [this](TControl*) { AmountEdit()->SetFocus(); };
}

TLabel* TCofferDialog::AddLabel(TWinControl* parent, int left, int top, const std::string& caption) {
    auto* label = Own(std::make_unique<TLabel>(this));
    UseDialogFont(*label);
    label->SetLeft(left);
    label->SetTop(top);
    label->SetTransparent(true);
    label->SetParent(parent);
    label->SetCaption(caption);
    return label;
}

TEdit* TCofferDialog::AddEdit(TWinControl* parent, int left, int top, int width) {
    auto* edit = Own(std::make_unique<TEdit>(this));
    UseDialogFont(*edit);
    edit->SetBounds(left, top, width, kEditHeight);
    edit->SetColor(clWindow);
    edit->SetTabStop(true);
    edit->SetParent(parent);
    return edit;
}

TEdit* TCofferDialog::AddAmountEdit() {
    TEdit* edit = AddEdit(this, kEditLeft, kFirstRowTop + 2 * kRowStep, kEditWidth);
    edit->SetMaxLength(kAmountDigits);
    return edit;
}

TButton* TCofferDialog::AddButton(TWinControl* parent, int left, int top, const std::string& caption) {
    auto* button = Own(std::make_unique<TButton>(this));
    UseDialogFont(*button);
    button->SetBounds(left, top, kButtonWidth, kButtonHeight);
    button->SetCaption(caption);
    button->SetTabStop(true);
    button->SetParent(parent);
    return button;
}

void TCofferDialog::Prepare(const TCofferReply& reply) {
    reply_ = reply;
    request_.clear();
    EditUserBean->SetText(std::to_string(reply.AccountBean));
    EditCofferBean->SetText(std::to_string(reply.CofferBean));
    PrepareFields();
    CentreOnOwner();
}

void TCofferDialog::CentreOnOwner() {
    TRect area = BoundsRect();
    if (auto* ownerForm = dynamic_cast<TForm*>(Owner()))
        area = ownerForm->BoundsRect();
    else if (TPlatform* platform = CurrentPlatform())
        area = platform->ScreenWorkArea();
    SetBounds(area.left + (area.Width() - Width()) / 2, area.top + (area.Height() - Height()) / 2, Width(),
              Height());
}

void TCofferDialog::Refuse(const std::string& text) {
    MessageBox(*this, kDialogCaption, text, 0);
}

void TCofferDialog::Accept(std::vector<std::uint8_t> request) {
    request_ = std::move(request);
    SetModalResult(kResultOk);
}

void TCofferDialog::ButtonCancelClick(TControl*) {
    request_.clear();
    SetModalResult(kResultCancel);
}

void TCofferDialog::Paint(TCanvas& canvas) {
    TForm::Paint(canvas);
    const TRect band{0, 0, Width(), kCaptionBandHeight};
    canvas.GradientFill(band, kCaptionBandFrom, kCaptionBandTo, 0);
    canvas.Font().Assign(Font());
    canvas.Font().SetStyle(fsBold);
    canvas.Font().SetColor(clWhite);
    canvas.Brush().style = TBrushStyle::bsClear;
    canvas.DrawText({kCaptionTextLeft, 0, Width(), kCaptionBandHeight}, Caption(),
                    dtSingleLine | dtVCenter | dtNoPrefix);
    Frame3D(canvas, ClientRect(), clBtnHighlight, cl3DDkShadow);
}

void TCofferDialog::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TForm::MouseDown(button, shift, x, y);
    if (button == TMouseButton::mbLeft && y < kCaptionBandHeight) StartTitleDrag();
}

} // namespace morvane
