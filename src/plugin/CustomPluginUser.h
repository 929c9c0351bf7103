#pragma once

#include "plugin/PluginRecords.h"
#include "plugin/PluginShareLink.h"
#include "ui/LovelyPanel.h"

#include <cstdint>
#include <string>

namespace morvane {

// The user panel's base: the hub hands it the user list and its changes; by default it only applies the
// auto-attribute to users who come to the own seat.
class TCustomPluginUser : public TLovelyPanel, public TPluginShareLink {
public:
    explicit TCustomPluginUser(TComponent* owner) : TLovelyPanel(owner) {}

    virtual void SetAutoAttribute(std::uint8_t value) { autoAttribute_ = value; }
    virtual void SetUserFlag(std::uint8_t value) { userFlag_ = value; }
    virtual std::int64_t GetSelectedID() { return 0; }
    virtual void SelectUser(std::int64_t /*userId*/) {}
    virtual void DoUserState(std::uint8_t /*state*/, std::int64_t /*userId*/) {}
    virtual void DoUserList(int /*count*/, const TPluginUserSlots& /*users*/) {}
    virtual void DoUserEnter(const STRU_PLUGIN_USERINFO& user);
    virtual void DoUserLeave(std::int64_t /*userId*/) {}
    virtual void DoUserSeat(std::uint8_t seat, bool seated, std::uint8_t changed, std::int64_t userId);
    virtual void DoScoreBlock(std::uint8_t /*flag*/, int /*count*/, const TPluginScoreBlock& /*block*/) {}
    virtual void DoUserValue(int /*value*/, std::int64_t /*userId*/) {}
    virtual void SetUserAttribute(std::uint8_t value, std::int64_t userId);
    virtual void AddChatText(const std::string& text, int kind);
    virtual void AddScoreDeltas(const TPluginScoreBlock& /*block*/) {}
    virtual void DoTableSettings(std::uint8_t /*value*/) {}
    virtual void PlaySound(const std::string& fileName);
    virtual void ShowUserMenu(std::int64_t userId);
    virtual void DoInitialize() {}
    virtual void DoFinalize() {}
    virtual void DoOptionsLoaded() {}
    virtual void DoOptionsSaved() {}

    std::uint8_t AutoAttribute() const { return autoAttribute_; }
    // The hide-names flag of the table settings, which the hub reads.
    std::uint8_t UserFlag() const { return userFlag_; }

private:
    // Sends the auto-attribute for a user who is now on the own seat.
    void ApplyAutoAttribute(std::uint8_t seat, std::int64_t userId);

    std::uint8_t autoAttribute_{0};
    std::uint8_t userFlag_{0};
};

} // namespace morvane
