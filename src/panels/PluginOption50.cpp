#include "panels/PluginOption50.h"

#include "ui/LovelyTextBtn.h"

namespace morvane {

TPluginOption50::TPluginOption50(TComponent* owner) : TCustomPluginOption(owner) {
    buttons_.Build(*this, "游戏设置", "确定", "取消");
    buttons_.first->OnClick = [this](TControl*) { AcceptOptions(); };
    buttons_.second->OnClick = [this](TControl*) { DropChanges(); };
    buttons_.close->OnClick = [this](TControl*) { DropChanges(); };
    buttons_.Layout(*this);
}

void TPluginOption50::ShowPanel() {
    focus_.Remember(*this);
    if (OnConfigOption) OnConfigOption(this);
    // Hidden and shown again, so that it comes to the front.
    Hide();
    BringToFront();
    TCustomPluginOption::ShowPanel();
}

void TPluginOption50::AcceptOptions() {
    if (OnAcceptOption) OnAcceptOption(this);
    Hide();
    TCustomPluginOption::AcceptOptions();
    focus_.Restore();
}

void TPluginOption50::DropChanges() {
    if (OnNoChange) OnNoChange(this);
    Hide();
    focus_.Restore();
}

void TPluginOption50::SetButtonBottomSpace(int value) {
    buttons_.buttonBottomSpace = value;
    buttons_.Layout(*this);
}

void TPluginOption50::SetCloseTop(int value) {
    buttons_.closeTop = value;
    buttons_.Layout(*this);
}

void TPluginOption50::SetCloseRight(int value) {
    buttons_.closeRight = value;
    buttons_.Layout(*this);
}

void TPluginOption50::Resized() {
    TCustomPluginOption::Resized();
    buttons_.Layout(*this);
}

} // namespace morvane
