#include "plugin/CustomPluginAction.h"

#include "plugin/CustomPluginShare.h"

namespace morvane {

void ShowAndFocus(TWinControl& panel) {
    panel.Show();
    if (panel.CanFocus()) panel.SetFocus();
}

void TCustomPluginAction::ShowPanel() {
    ShowAndFocus(*this);
}

void TCustomPluginAction::AddChatText(const std::string& text, int kind) {
    if (TCustomPluginShare* hub = Share()) hub->AddChatText(text, kind);
}

} // namespace morvane
