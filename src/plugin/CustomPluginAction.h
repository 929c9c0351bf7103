#pragma once

#include "plugin/PluginShareLink.h"
#include "ui/LovelyPanel.h"

#include <string>

namespace morvane {

// The action panel's base (chat actions and emotes).
class TCustomPluginAction : public TLovelyPanel, public TPluginShareLink {
public:
    explicit TCustomPluginAction(TComponent* owner) : TLovelyPanel(owner) {}

    virtual void ShowPanel();
    virtual void AddChatText(const std::string& text, int kind);
    virtual void DoInitialize() {}
    virtual void DoFinalize() {}
    virtual void DoOptionsLoaded() {}
    virtual void DoOptionsSaved() {}
};

// Shows a panel and gives it the focus when it can take it.
void ShowAndFocus(TWinControl& panel);

} // namespace morvane
