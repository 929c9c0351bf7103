#include "plugin/PluginCommandForm.h"

#include "plugin/CustomPluginShare.h"

namespace morvane {

void TPluginCommandForm::SetCommandHub(TCustomPluginShare* hub) {
    if (commandHub_ == hub) return;
    if (commandHub_) RemoveFreeNotification(commandHub_);
    commandHub_ = hub;
    if (commandHub_) FreeNotification(commandHub_);
}

void TPluginCommandForm::Notification(TComponent* component, bool removing) {
    TForm::Notification(component, removing);
    if (removing && component == commandHub_) commandHub_ = nullptr;
}

void TPluginCommandForm::WndProc(TMessage& message) {
    if (message.Msg == WM_PLUGIN_COMMAND && commandHub_) {
        commandHub_->ProcessCommand();
        return;
    }
    TForm::WndProc(message);
}

} // namespace morvane
