#include "plugin/CustomPluginChat.h"

#include "plugin/CustomPluginShare.h"

namespace morvane {

void TCustomPluginChat::SendChat(const std::string& text) {
    if (TCustomPluginShare* hub = Share()) hub->SendChat(text);
}

void TCustomPluginChat::ShowActionPanel() {
    if (TCustomPluginShare* hub = Share()) hub->ShowActionPanel();
}

} // namespace morvane
