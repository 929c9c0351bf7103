#pragma once

#include "plugin/PluginShareLink.h"
#include "ui/LovelyPanel.h"

#include <string>

namespace morvane {

// The events panel's base: lines of the host that start with "@$" arrive here.
class TCustomPluginEvents : public TLovelyPanel, public TPluginShareLink {
public:
    explicit TCustomPluginEvents(TComponent* owner) : TLovelyPanel(owner) {}

    virtual void AddEvent(const std::string& /*text*/) { Show(); }
    virtual void Reserved1() {}
    virtual void Reserved2() {}
};

} // namespace morvane
