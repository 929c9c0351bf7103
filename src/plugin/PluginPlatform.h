#pragma once

#include "platform/Platform.h"

namespace morvane {

// The platform the running application sits on, or nullptr when there is none (or the window system
// is not a full platform, as in some toolkit tests).
TPlatform* PluginPlatform();

} // namespace morvane
