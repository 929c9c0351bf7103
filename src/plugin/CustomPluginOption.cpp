#include "plugin/CustomPluginOption.h"

#include "plugin/CustomPluginAction.h"
#include "plugin/CustomPluginShare.h"

namespace morvane {

void TCustomPluginOption::ShowPanel() {
    ShowAndFocus(*this);
}

void TCustomPluginOption::AcceptOptions() {
    if (TCustomPluginShare* hub = Share()) hub->ActivateClient();
}

} // namespace morvane
