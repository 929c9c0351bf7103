#include "plugin/CustomPluginClient.h"

#include "base/FileVersionInfomation.h"
#include "gui/MenuItem.h"
#include "gui/PopupMenu.h"
#include "plugin/CustomPluginChat.h"
#include "plugin/CustomPluginShare.h"
#include "plugin/CustomPluginUser.h"
#include "plugin/PluginPlatform.h"

#include <cstdio>
#include <cstring>

namespace morvane {
namespace {

constexpr std::size_t kSettingsRecordHeader = 19; // first byte, one unused byte, four Int32, the flag
constexpr std::size_t kSeatCountOffset = kSettingsRecordHeader + sizeof(TPluginTableSettings); // 148

} // namespace

TCustomPluginClient::TCustomPluginClient(TComponent* owner) : TCustomPanel(owner) {
    if (TPlatform* platform = PluginPlatform()) desktopMode_ = platform->DisplayMode();
    SetParentBackground(false);
}

TCustomPluginClient::~TCustomPluginClient() {
    // A client that switched the screen mode for the table puts the desktop back as it found it.
    if (TPlatform* platform = PluginPlatform(); platform && platform->DisplayMode() != desktopMode_)
        platform->ChangeDisplayMode(desktopMode_);
}

void TCustomPluginClient::DoInitialize() {
    tableValues_ = {1, 0, 1, 0};
    tableFlag_ = 0;
    if (TCustomPluginShare* hub = Share())
        hub->DoNumberedText("7@当前客户端版本为:" + LibraryVersion().FileVersion);
}

void TCustomPluginClient::DoTableData(TBytes data, std::int64_t /*fromId*/) {
    if (data.empty()) return;
    if (data[0] == kNoticeRecord)
        ShowNoticeRecord(data.subspan(1));
    else if (data[0] == kTableSettingsRecord)
        ApplyTableSettings(data);
}

void TCustomPluginClient::ShowNoticeRecord(TBytes data) {
    TCustomPluginShare* hub = Share();
    if (!hub) return;
    TBytes field = data.first(std::min(data.size(), kNoticeTextSize));
    std::string text;
    for (std::uint8_t byte : field) {
        if (byte == 0) break;
        text.push_back(char(byte));
    }
    hub->ShowDialogNote(text);
}

void TCustomPluginClient::ApplyTableSettings(TBytes data) {
    ByteReader reader(data);
    std::array<std::int32_t, 4> values{};
    std::uint8_t flag = 0;
    TPluginTableSettings settings{};
    std::int32_t count = 0;
    // A record shorter than its fixed part is ignored as a whole.
    if (!reader.Skip(2) || !reader.ReadI32(values[0]) || !reader.ReadI32(values[1]) ||
        !reader.ReadI32(values[2]) || !reader.ReadI32(values[3]) || !reader.ReadU8(flag) ||
        !ReadTableSettings(reader, settings) || !reader.ReadI32(count))
        return;
    static_assert(kSeatCountOffset == 148);

    tableValues_ = values;
    tableFlag_ = flag;
    settings_ = settings;

    TCustomPluginShare* hub = Share();
    if (hub) {
        if (TCustomPluginUser* user = hub->PluginUser()) user->SetUserFlag(settings_.HideNames);
        if (TCustomPluginChat* chat = hub->PluginChat()) chat->SetChatMode(settings_.ChatMode);
        if (TPopupMenu* menu = hub->UserMenu(); menu && menu->Items().Count() > usermenu::kNickName)
            menu->Items().Items(usermenu::kNickName)->SetVisible(settings_.ChatMode == 0);
        if (settings_.MatchMode != 0) {
            hub->SetUserMenuOn(false);
            if (TCustomPluginChat* chat = hub->PluginChat()) chat->SetChatMode(1);
        }
        hub->RequestUserList();
        if (TCustomPluginUser* user = hub->PluginUser()) user->DoTableSettings(0);
    }

    if (count < 0 || count > kMaxTableUsers) return;
    // The count is held to the entries the record really carries.
    std::vector<TPluginSeatEntry> seats;
    for (std::int32_t i = 0; i < count; ++i) {
        TPluginSeatEntry entry;
        if (!ReadSeatEntry(reader, entry)) break;
        seats.push_back(std::move(entry));
    }
    seats_ = std::move(seats);
}

bool TCustomPluginClient::IsPlaying() const {
    return Share() && Share()->Playing();
}

void TCustomPluginClient::SetPlaying(bool playing) {
    if (TCustomPluginShare* hub = Share()) hub->SetPlaying(playing);
}

std::int64_t TCustomPluginClient::GetMyID() const {
    return Share() ? Share()->MyID() : 0;
}

std::uint8_t TCustomPluginClient::GetMySeat() const {
    return Share() ? Share()->MySeat() : 0;
}

const TPluginSeatEntry* TCustomPluginClient::FindSeat(std::int64_t userId, int* seat) const {
    for (std::size_t i = 0; i < seats_.size(); ++i) {
        if (seats_[i].UserID != userId) continue;
        if (seat) *seat = int(i);
        return &seats_[i];
    }
    return nullptr;
}

int TCustomPluginClient::RoundsPlayed(std::int64_t userId) const {
    const TPluginSeatEntry* entry = FindSeat(userId);
    return entry ? entry->RoundsPlayed : 0;
}

int TCustomPluginClient::ActivePlayerCount() const {
    int count = 0;
    for (const TPluginSeatEntry& entry : seats_)
        if (entry.Inactive == 0) ++count;
    return count;
}

bool TCustomPluginClient::CanLeaveSeat(std::int64_t userId) const {
    const TPluginSeatEntry* entry = FindSeat(userId);
    if (!entry || entry->Inactive != 0 || entry->RoundsPlayed < 1 || entry->RoundsPlayed >= RequiredRounds())
        return true;
    return ActivePlayerCount() < MinPlayerCount();
}

std::string TCustomPluginClient::SeatName(std::int64_t userId) const {
    const TPluginSeatEntry* entry = FindSeat(userId);
    return entry ? entry->Name : std::string();
}

void TCustomPluginClient::SendReady() {
    if (TCustomPluginShare* hub = Share()) hub->SendReady();
}

void TCustomPluginClient::RequestSeat(std::uint8_t seat, bool sit) {
    if (TCustomPluginShare* hub = Share()) hub->RequestSeat(seat, sit);
}

void TCustomPluginClient::SendStart() {
    if (TCustomPluginShare* hub = Share()) hub->SendStart();
}

void TCustomPluginClient::SendTableData(TBytes data, std::int64_t toId) {
    if (TCustomPluginShare* hub = Share()) hub->SendTableData(data, toId);
}

void TCustomPluginClient::SendSeatData(TBytes data) {
    if (TCustomPluginShare* hub = Share()) hub->SendSeatData(data);
}

void TCustomPluginClient::SendChat(const std::string& text) {
    if (TCustomPluginShare* hub = Share()) hub->SendChat(text);
}

void TCustomPluginClient::SendCofferRequest(const TCofferRequest& request) {
    if (TCustomPluginShare* hub = Share()) hub->SendCofferRequest(request);
}

void TCustomPluginClient::SetUserAttribute(std::uint8_t value, std::int64_t userId) {
    if (TCustomPluginShare* hub = Share()) hub->SetUserAttribute(value, userId);
}

void TCustomPluginClient::ShowActionPanel() {
    if (TCustomPluginShare* hub = Share()) hub->ShowActionPanel();
}

void TCustomPluginClient::ShowOptionPanel() {
    if (TCustomPluginShare* hub = Share()) hub->ShowOptionPanel();
}

void TCustomPluginClient::AddChatText(const std::string& text, int kind) {
    if (TCustomPluginShare* hub = Share()) hub->AddChatText(text, kind);
}

void TCustomPluginClient::ShowNote(bool flash, const std::string& text) {
    if (TCustomPluginShare* hub = Share()) hub->ShowNote(flash, text);
}

void TCustomPluginClient::PlaySound(const std::string& fileName) {
    if (TCustomPluginShare* hub = Share()) hub->PlaySound(fileName);
}

void TCustomPluginClient::ShowUserMenu(std::int64_t userId) {
    if (TCustomPluginShare* hub = Share()) hub->ShowUserMenu(userId);
}

} // namespace morvane
