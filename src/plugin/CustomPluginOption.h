#pragma once

#include "plugin/PluginShareLink.h"
#include "ui/LovelyPanel.h"

namespace morvane {

// The option panel's base.
class TCustomPluginOption : public TLovelyPanel, public TPluginShareLink {
public:
    explicit TCustomPluginOption(TComponent* owner) : TLovelyPanel(owner) {}

    virtual void ShowPanel();
    // The options were changed: the hub lets the client take them up.
    virtual void AcceptOptions();
    virtual void DoInitialize() {}
    virtual void DoFinalize() {}
    virtual void DoOptionsLoaded() {}
    virtual void DoOptionsSaved() {}
};

} // namespace morvane
