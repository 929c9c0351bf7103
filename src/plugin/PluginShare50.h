#pragma once

#include "plugin/CustomPluginShare.h"

namespace morvane {

// The hub as the table's form places it; it adds nothing to the hub itself.
class TPluginShare50 : public TCustomPluginShare {
public:
    using TCustomPluginShare::TCustomPluginShare;
};

} // namespace morvane
