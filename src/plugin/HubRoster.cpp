// The hub's users: those present and departed, the ignore list, shown names, and the level table.
#include "plugin/CustomPluginShare.h"
#include "plugin/CustomPluginUser.h"
#include "plugin/HubFormat.h"

#include <algorithm>

namespace morvane {
namespace {

constexpr int kMaxLevels = 1000;
// The first level holds from the lowest score up, whatever the file says.
constexpr std::int64_t kFirstLevelBound = -2147483647;

std::size_t IgnoreIndex(std::int64_t userId) {
    std::int64_t index = userId % kMaxTableUsers;
    if (index < 0) index += kMaxTableUsers;
    return std::size_t(index);
}

} // namespace

STRU_PLUGIN_USERINFO* TCustomPluginShare::FindUser(std::int64_t userId) const {
    const auto found = userIndex_.find(userId);
    return found == userIndex_.end() ? nullptr : found->second;
}

STRU_PLUGIN_USERINFO* TCustomPluginShare::FindDepartedUser(std::int64_t userId) const {
    const auto found = departedIndex_.find(userId);
    return found == departedIndex_.end() ? nullptr : found->second;
}

bool TCustomPluginShare::IsIgnored(std::int64_t userId) const {
    return userId != 0 && ignoreTable_[IgnoreIndex(userId)] == userId;
}

void TCustomPluginShare::SetIgnored(std::int64_t userId, bool ignored) {
    ignoreTable_[IgnoreIndex(userId)] = ignored ? userId : 0;
}

void TCustomPluginShare::DoUserList(int count, const TPluginUserSlots& users) {
    count = std::clamp(count, 0, kMaxTableUsers);
    for (int i = 0; i < count; ++i) {
        const STRU_PLUGIN_USERINFO& user = users[std::size_t(i)];
        if (FindUser(user.UserID)) continue;
        AddPresentUser(user);
    }
    if (client_) client_->DoUserList(count, users);
    if (user_) user_->DoUserList(count, users);
    if (OnUserList) OnUserList(this);
    if (!seated_) RequestSeat(mySeat_, true);
}

void TCustomPluginShare::AddPresentUser(const STRU_PLUGIN_USERINFO& user) {
    if (user.Seated != 0) EvictSeatHolder(user);
    users_.push_back(std::make_unique<STRU_PLUGIN_USERINFO>(user));
    STRU_PLUGIN_USERINFO* record = users_.back().get();
    const std::int64_t id = record->UserID; // a packed field: copied, never bound to a reference
    userIndex_[id] = record;
    if (record->UserID == myId_) TakeOwnFields(record);
    if (record->Seated != 0) PlayerSeated(*record);
    if (OnAddUser) OnAddUser(this, *record);
}

void TCustomPluginShare::EvictSeatHolder(const STRU_PLUGIN_USERINFO& newcomer) {
    for (const auto& user : users_) {
        if (user->Seated != 0 && user->Seat == newcomer.Seat && user->UserID != newcomer.UserID) {
            DoUserLeave(user->UserID);
            return;
        }
    }
}

void TCustomPluginShare::TakeOwnFields(STRU_PLUGIN_USERINFO* record) {
    mySeat_ = record->Seat;
    seated_ = record->Seated != 0;
    myRecord_ = record;
}

std::string TCustomPluginShare::NameForNote(const STRU_PLUGIN_USERINFO& user) const {
    if (HideNames() && user.UserID != myId_) return hub::SeatUserName(user.Seat);
    return FilteredNickName(user);
}

void TCustomPluginShare::DoUserEnter(const STRU_PLUGIN_USERINFO& user) {
    if (FindUser(user.UserID)) return;
    AddPresentUser(user);
    const std::string name = NameForNote(user);
    ShowNote(false, "\"" + name + "\"进入房间");
    if (client_) client_->DoUserEnter(user);
    if (user_) user_->DoUserEnter(user);
    if (user.UserID == myId_) return;
    for (auto it = users_.rbegin(); it != users_.rend(); ++it) {
        const STRU_PLUGIN_USERINFO& other = **it;
        if (other.UserID == user.UserID || other.Seat != user.Seat || other.Seated == 0) continue;
        ShowNote(false, "\"" + name + "\"正在旁观\"" + NameForNote(other) + "\"");
        break;
    }
}

void TCustomPluginShare::DoUserLeave(std::int64_t userId) {
    if (client_) client_->DoUserLeave(userId);
    if (user_) user_->DoUserLeave(userId);
    if (const auto found = userIndex_.find(userId); found != userIndex_.end()) {
        const STRU_PLUGIN_USERINFO* present = found->second;
        userIndex_.erase(found);
        const auto it = std::find_if(users_.rbegin(), users_.rend(),
                                     [present](const auto& user) { return user.get() == present; });
        std::unique_ptr<STRU_PLUGIN_USERINFO> record = std::move(*it);
        users_.erase(std::next(it).base());
        if (record.get() == myRecord_) myRecord_ = nullptr;
        if (record->Seated != 0) PlayerUnseated(record->Seat, userId);
        const std::string name = HideNames() ? hub::SeatUserName(record->Seat) : FilteredNickName(*record);
        ShowNote(false, "\"" + name + "\"离开房间");
        if (OnDeleteUser) OnDeleteUser(this, *record);
        KeepDeparted(std::move(record));
    }
    if (userId == myId_) Finalize();
}

void TCustomPluginShare::KeepDeparted(std::unique_ptr<STRU_PLUGIN_USERINFO> record) {
    const std::int64_t id = record->UserID; // a packed field: copied, never bound to a reference
    if (const auto known = departedIndex_.find(id); known != departedIndex_.end()) {
        // The latest departure replaces the earlier one and counts as the newest.
        const STRU_PLUGIN_USERINFO* earlier = known->second;
        std::erase_if(departed_, [earlier](const auto& kept) { return kept.get() == earlier; });
    }
    departedIndex_[id] = record.get();
    departed_.push_back(std::move(record));
    if (departed_.size() <= kMaxDepartedUsers) return;
    const std::int64_t oldest = departed_.front()->UserID;
    departedIndex_.erase(oldest);
    departed_.pop_front();
}

void TCustomPluginShare::DoSeatChange(std::int64_t userId, std::uint8_t seat, bool seated,
                                      std::uint8_t changed) {
    if (changed != 0) {
        if (userId == myId_) {
            mySeat_ = seat;
            seated_ = seated;
        }
        STRU_PLUGIN_USERINFO* user = FindUser(userId);
        if (user) {
            user->Seat = seat;
            user->Seated = seated ? 1 : 0;
        }
        if (seated) {
            if (user) PlayerSeated(*user);
        } else {
            PlayerUnseated(seat, userId);
        }
    }
    if (client_) client_->DoUserSeat(seat, seated, changed, userId);
    if (user_) user_->DoUserSeat(seat, seated, changed, userId);
}

void TCustomPluginShare::PlayerSeated(const STRU_PLUGIN_USERINFO& user) {
    PlaySound("Public_BeOn.wav");
    if (client_)
        client_->DoPlayerSeated(std::string(user.NickName, sizeof user.NickName), user.ExtValue, user.Seat,
                                user.UserID);
}

void TCustomPluginShare::PlayerUnseated(std::uint8_t seat, std::int64_t userId) {
    PlaySound("Public_BeOff.wav");
    if (client_) client_->DoPlayerUnseated(seat, userId);
}

std::string TCustomPluginShare::DisplayName(std::int64_t userId) const {
    const STRU_PLUGIN_USERINFO* user = FindUser(userId);
    if (!user) return {};
    if (HideNames() && userId != myId_) return hub::SeatUserName(user->Seat);
    return FilteredNickName(*user);
}

std::string TCustomPluginShare::LevelName(std::int64_t score, std::int64_t beans) const {
    const std::int64_t value = levelRelateScore_ ? score : beans;
    std::string name;
    for (const TLevelNode& level : levels_)
        if (level.Score <= value) name = level.Name;
    return name;
}

std::string TCustomPluginShare::ScoreName() const {
    return client_ ? client_->ScoreName() : std::string("积分");
}

std::string TCustomPluginShare::BeanName() const {
    return client_ ? client_->BeanName() : std::string("游戏豆");
}

std::string TCustomPluginShare::MoneyName() const {
    return client_ ? client_->MoneyName() : std::string("星币");
}

bool TCustomPluginShare::HideNames() const {
    return user_ ? user_->UserFlag() != 0 : true;
}

void TCustomPluginShare::LoadLevels() {
    levels_.clear();
    if (!iniFile_) return;
    const int count = std::clamp(iniFile_->ReadInteger("Level", "LevelCount", 0), 0, kMaxLevels);
    levelRelateScore_ = iniFile_->ReadBool("Level", "LevelRelateScore", true);
    for (int i = 1; i <= count; ++i) {
        TLevelNode level;
        const std::string index = std::to_string(i);
        if (!TIniFile::ParseInt64(iniFile_->ReadString("Level", "Level" + index + "Score", "0"), level.Score))
            level.Score = 0;
        level.Name = iniFile_->ReadString("Level", "Level" + index + "Name", "");
        if (i == 1) level.Score = kFirstLevelBound;
        levels_.push_back(std::move(level));
    }
}

} // namespace morvane
