#pragma once

#include "platform/CurrentPlatform.h"

namespace morvane {

// The hub's and the bases' name for the current platform.
inline TPlatform* PluginPlatform() {
    return CurrentPlatform();
}

} // namespace morvane
