#include "plugin/CustomPluginUser.h"

#include "plugin/CustomPluginShare.h"

namespace morvane {

void TCustomPluginUser::ApplyAutoAttribute(std::uint8_t seat, std::int64_t userId) {
    TCustomPluginShare* hub = Share();
    if (!hub || autoAttribute_ == 0 || !hub->Seated() || seat != hub->MySeat()) return;
    hub->SetUserAttribute(autoAttribute_, userId);
}

void TCustomPluginUser::DoUserEnter(const STRU_PLUGIN_USERINFO& user) {
    ApplyAutoAttribute(user.Seat, user.UserID);
}

void TCustomPluginUser::DoUserSeat(std::uint8_t seat, bool seated, std::uint8_t /*changed*/,
                                   std::int64_t userId) {
    if (seated) ApplyAutoAttribute(seat, userId);
}

void TCustomPluginUser::SetUserAttribute(std::uint8_t value, std::int64_t userId) {
    if (TCustomPluginShare* hub = Share()) hub->SetUserAttribute(value, userId);
}

void TCustomPluginUser::AddChatText(const std::string& text, int kind) {
    if (TCustomPluginShare* hub = Share()) hub->AddChatText(text, kind);
}

void TCustomPluginUser::PlaySound(const std::string& fileName) {
    if (TCustomPluginShare* hub = Share()) hub->PlaySound(fileName);
}

void TCustomPluginUser::ShowUserMenu(std::int64_t userId) {
    if (TCustomPluginShare* hub = Share()) hub->ShowUserMenu(userId);
}

} // namespace morvane
