#pragma once

#include "plugin/PluginShareLink.h"
#include "ui/LovelyPanel.h"

namespace morvane {

// The tip panel's base; the hub plugs it but calls nothing of it yet.
class TCustomPluginTip : public TLovelyPanel, public TPluginShareLink {
public:
    explicit TCustomPluginTip(TComponent* owner) : TLovelyPanel(owner) {}

    virtual void Reserved1() {}
    virtual void Reserved2() {}
};

} // namespace morvane
