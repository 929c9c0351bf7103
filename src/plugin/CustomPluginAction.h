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
    // The template the panel offers for an action key ("&2") when the option file holds none for it;
    // empty for a key it does not know.
    virtual std::string DefaultTemplate(const std::string& /*key*/) const { return {}; }
};

// Shows a panel and gives it the focus when it can take it.
void ShowAndFocus(TWinControl& panel);

} // namespace morvane
