#include "plugin/PluginPlatform.h"

#include "gui/Application.h"

namespace morvane {

TPlatform* PluginPlatform() {
    if (!HasApplication()) return nullptr;
    return dynamic_cast<TPlatform*>(&Application().System());
}

} // namespace morvane
