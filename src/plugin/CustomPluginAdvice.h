#pragma once

#include "plugin/PluginShareLink.h"
#include "ui/LovelyPanel.h"

namespace morvane {

// The advice (feedback) panel's base.
class TCustomPluginAdvice : public TLovelyPanel, public TPluginShareLink {
public:
    explicit TCustomPluginAdvice(TComponent* owner) : TLovelyPanel(owner) {}

    virtual void ShowPanel();
    virtual void Reserved1() {}
    virtual void Reserved2() {}
};

} // namespace morvane
