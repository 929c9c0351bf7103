#include "panels/PluginAdvice50.h"

#include "gui/Memo.h"
#include "plugin/CustomPluginDialog.h"
#include "plugin/CustomPluginShare.h"
#include "ui/LovelyTextBtn.h"

namespace morvane {

TPluginAdvice50::TPluginAdvice50(TComponent* owner) : TCustomPluginAdvice(owner) {
    buttons_.Build(*this, "意见提交", "提交", "取消");
    memo_ = Add<TMemo>();
    memo_->SetBorderVisible(false);
    memo_->SetMaxLength(kMemoLimit);
    memo_->SetTabStop(true);
    memo_->SetEnabled(!Designing());
    buttons_.first->OnClick = [this](TControl*) { Submit(); };
    buttons_.second->OnClick = [this](TControl*) { Cancel(); };
    buttons_.close->OnClick = [this](TControl*) { Cancel(); };
    Resized();
}

std::string TPluginAdvice50::FoldedAdvice(const std::string& text) {
    std::string folded = text;
    for (std::size_t at; (at = folded.find("  ")) != std::string::npos;)
        folded.replace(at, 2, " ");
    for (std::size_t at; (at = folded.find("\r\n")) != std::string::npos;)
        folded.replace(at, 2, " ");
    return folded;
}

void TPluginAdvice50::ShowPanel() {
    focus_.Remember(*this);
    TCustomPluginAdvice::ShowPanel();
    memo_->Clear();
    if (memo_->CanFocus()) memo_->SetFocus();
}

void TPluginAdvice50::Submit() {
    const std::string advice = FoldedAdvice(memo_->Text());
    if (advice.size() > kTooShort) {
        memo_->Clear();
        if (OnAdviceSubmit) OnAdviceSubmit(this, advice);
        focus_.Restore();
        return;
    }
    TCustomPluginShare* hub = Share();
    TCustomPluginDialog* dialog = hub ? hub->PluginDialog() : nullptr;
    if (!dialog || dialog->Running() || dialog->Visible()) return;
    dialog->SetCaption("错误");
    dialog->SetMessage("意见内容小于16字符,不予提交,请重新输入!");
    dialog->SetOkCaption("确定");
    dialog->SetButtons(0);
    dialog->SetLifeCount(10);
    dialog->Execute();
}

void TPluginAdvice50::Cancel() {
    Hide();
    focus_.Restore();
}

void TPluginAdvice50::SetMemoSpaces(const TMemoSpaces& spaces) {
    memoSpaces_ = spaces;
    Resized();
}

void TPluginAdvice50::SetMemoColor(TColor color) {
    memo_->SetColor(color);
}

void TPluginAdvice50::Resized() {
    TCustomPluginAdvice::Resized();
    if (memo_) memoSpaces_.Layout(*memo_, *this);
    buttons_.Layout(*this);
}

} // namespace morvane
