#include "panels/FloatingPanelParts.h"

#include "gui/Application.h"
#include "gui/Form.h"
#include "gui/Memo.h"
#include "ui/LovelyPanel.h"
#include "ui/LovelyTextBtn.h"

namespace morvane {
namespace {

constexpr int kPanelWidth = 250;
constexpr int kPanelHeight = 200;
constexpr int kTextButtonWidth = 70;
constexpr int kTextButtonHeight = 22;
constexpr int kCloseSize = 16;

} // namespace

void TFocusReturn::Remember(const TControl& panel) {
    const TForm* form = panel.ParentForm();
    control_ = form ? form->ActiveControl() : nullptr;
    handle_ = control_ ? control_->Handle() : 0;
}

void TFocusReturn::Restore() {
    TWinControl* control = control_;
    const TControlHandle handle = handle_;
    control_ = nullptr;
    handle_ = 0;
    if (!control || !HasApplication() || Application().FindControl(handle) != control) return;
    if (control->Showing() && control->CanFocus()) control->SetFocus();
}

void TFloatingButtons::Build(TLovelyPanel& panel, const std::string& caption, const std::string& firstCaption,
                             const std::string& secondCaption) {
    panel.SetTitleShadowColor(0x83180A);
    panel.SetTitleColor(0xFFFFFF);
    panel.SetTitleLeft(50);
    panel.SetTitleHeight(30);
    panel.SetLockedPoint(false);
    panel.SetVisible(false);
    panel.SetBounds(panel.Left(), panel.Top(), kPanelWidth, kPanelHeight);
    panel.SetCaption(caption);
    first = panel.Own(std::make_unique<TLovelyTextBtn>(&panel));
    second = panel.Own(std::make_unique<TLovelyTextBtn>(&panel));
    close = panel.Own(std::make_unique<TLovelyButton>(&panel));
    for (TLovelyButton* button :
         {static_cast<TLovelyButton*>(first), static_cast<TLovelyButton*>(second), close}) {
        button->SetParent(&panel);
        button->SetEnabled(!panel.Designing());
    }
    first->SetBounds(0, 0, kTextButtonWidth, kTextButtonHeight);
    second->SetBounds(0, 0, kTextButtonWidth, kTextButtonHeight);
    close->SetBounds(0, 0, kCloseSize, kCloseSize);
    first->SetCaption(firstCaption);
    second->SetCaption(secondCaption);
}

void TFloatingButtons::Layout(const TControl& panel) const {
    if (!first) return;
    const int w = panel.Width();
    const int top = panel.Height() - first->Height() - buttonBottomSpace;
    const int left = (w - 2 * first->Width()) / 3;
    first->SetBounds(left, top, first->Width(), first->Height());
    second->SetBounds(2 * left + first->Width(), top, second->Width(), second->Height());
    close->SetBounds(w - close->Width() - closeRight, closeTop, close->Width(), close->Height());
}

void TFloatingButtons::SetButtonImages(TImageList* images) {
    first->SetImages(images);
    second->SetImages(images);
}

void TFloatingButtons::SetButtonStartIndex(int index) {
    first->SetStartIndex(index);
    second->SetStartIndex(index);
}

void TFloatingButtons::SetCloseImages(TImageList* images) {
    close->SetImages(images);
}

void TFloatingButtons::SetCloseStartIndex(int index) {
    close->SetStartIndex(index);
}

void TMemoSpaces::Layout(TMemo& memo, const TControl& panel) const {
    memo.SetBounds(left, top, panel.Width() - left - right, panel.Height() - top - bottom);
}

} // namespace morvane
