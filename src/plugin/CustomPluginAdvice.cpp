#include "plugin/CustomPluginAdvice.h"

#include "plugin/CustomPluginAction.h"

namespace morvane {

void TCustomPluginAdvice::ShowPanel() {
    ShowAndFocus(*this);
}

} // namespace morvane
