#include "panels/PluginEvents50.h"

#include "gui/Memo.h"
#include "panels/PanelText.h"
#include "plugin/PluginPlatform.h"
#include "ui/LovelyTextBtn.h"

namespace morvane {

TPluginEvents50::TPluginEvents50(TComponent* owner) : TCustomPluginEvents(owner) {
    buttons_.Build(*this, "游戏活动", "活动详情", "关闭");
    memo_ = Add<TMemo>();
    memo_->SetBorderVisible(false);
    memo_->SetReadOnly(true);
    memo_->SetColor(Color());
    buttons_.first->OnClick = [this](TControl*) { OpenDetails(); };
    buttons_.second->OnClick = [this](TControl*) { Hide(); };
    buttons_.close->OnClick = [this](TControl*) { Hide(); };
    Resized();
}

void TPluginEvents50::AddEvent(const std::string& text) {
    TCustomPluginEvents::AddEvent(text);
    memo_->Clear();
    const std::vector<std::string> fields = paneltext::Split(text, kSeparator);
    auto field = [&](std::size_t index) { return index < fields.size() ? fields[index] : std::string(); };
    memo_->SetLines({field(1)});
    SetCaption(field(2));
    buttons_.first->SetCaption(field(3));
    address_ = field(4);
}

void TPluginEvents50::OpenDetails() {
    if (!paneltext::IsWebAddress(address_)) return;
    if (TPlatform* platform = PluginPlatform()) platform->ShellOpen(address_);
}

void TPluginEvents50::SetMemoSpaces(const TMemoSpaces& spaces) {
    memoSpaces_ = spaces;
    Resized();
}

void TPluginEvents50::SetMemoColor(TColor color) {
    memo_->SetColor(color);
}

void TPluginEvents50::Resized() {
    TCustomPluginEvents::Resized();
    if (memo_) memoSpaces_.Layout(*memo_, *this);
    buttons_.Layout(*this);
}

void TPluginEvents50::WndProc(TMessage& message) {
    TCustomPluginEvents::WndProc(message);
    // The read-only memo takes the panel's colour.
    if (message.Msg == CM_COLORCHANGED && memo_) memo_->SetColor(Color());
}

} // namespace morvane
