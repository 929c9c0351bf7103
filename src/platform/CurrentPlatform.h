#pragma once

#include "platform/Platform.h"

namespace morvane {

// The platform the running application sits on, or nullptr when there is no application (or its window
// system is not a full platform, as in some toolkit tests). Every layer above asks here.
TPlatform* CurrentPlatform();

} // namespace morvane
