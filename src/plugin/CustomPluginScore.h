#pragma once

#include "plugin/PluginRecords.h"
#include "plugin/PluginShareLink.h"
#include "ui/LovelyPanel.h"

namespace morvane {

// The score panel's base: it is told every score block.
class TCustomPluginScore : public TLovelyPanel, public TPluginShareLink {
public:
    explicit TCustomPluginScore(TComponent* owner) : TLovelyPanel(owner) {}

    virtual void DoScoreBlock(std::uint8_t /*flag*/, int /*count*/, const TPluginScoreBlock& /*block*/) {}
    virtual void DoInitialize() {}
    virtual void DoFinalize() {}
    virtual void DoOptionsLoaded() {}
    virtual void DoOptionsSaved() {}
};

} // namespace morvane
