#pragma once

#include "plugin/PluginShareLink.h"
#include "ui/LovelyPanel.h"

#include <cstdint>
#include <string>

namespace morvane {

// The chat panel's base: every displayed line arrives through AddLine with its kind (a category up to
// 10000, otherwise the sender's identity).
class TCustomPluginChat : public TLovelyPanel, public TPluginShareLink {
public:
    explicit TCustomPluginChat(TComponent* owner) : TLovelyPanel(owner) {}

    virtual void SetChatMode(std::uint8_t value) {
        if (chatMode_ != value) chatMode_ = value;
    }
    virtual void AddLine(const std::string& /*text*/, std::int64_t /*kind*/) {}
    virtual void SendChat(const std::string& text);
    virtual void ShowActionPanel();
    virtual void AddChatText(const std::string& text, int kind) { AddLine(text, kind); }
    virtual void DoInitialize() {}
    virtual void DoFinalize() {}
    virtual void DoOptionsLoaded() {}
    virtual void DoOptionsSaved() {}

    std::uint8_t ChatMode() const { return chatMode_; }

private:
    std::uint8_t chatMode_{0};
};

} // namespace morvane
