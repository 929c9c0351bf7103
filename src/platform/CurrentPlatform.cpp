#include "platform/CurrentPlatform.h"

#include "gui/Application.h"

namespace morvane {

TPlatform* CurrentPlatform() {
    if (!HasApplication()) return nullptr;
    return dynamic_cast<TPlatform*>(&Application().System());
}

} // namespace morvane
