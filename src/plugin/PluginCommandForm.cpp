#include "plugin/PluginCommandForm.h"

#include "plugin/CustomPluginShare.h"

namespace morvane {

void TPluginCommandForm::WndProc(TMessage& message) {
    if (message.Msg == WM_PLUGIN_COMMAND && commandHub_) {
        commandHub_->ProcessCommand();
        return;
    }
    TForm::WndProc(message);
}

} // namespace morvane
