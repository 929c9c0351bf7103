// The table client's banker side: who is who at the table, the banker buttons, the banker queue and the
// banker's figures on the top bar, grabbing the bank, and what leaving costs a banker.
#include "base/ClampedMath.h"
#include "base/IniFile.h"
#include "game/GameRequests.h"
#include "game/TwoEightClient.h"
#include "graphics/BjlTopBar.h"
#include "plugin/ChatLineKinds.h"
#include "plugin/CustomPluginShare.h"
#include "plugin/PluginRecords.h"

#include <cstdio>

namespace morvane {

namespace {

// With four in the queue only a player who can cover three times the entry may still apply.
constexpr int kCrowdedQueue = 4;
constexpr int kCrowdedFactor = 3;

} // namespace

// [SECTION] Who is who

const STRU_PLUGIN_USERINFO* TTwoEightClient::FindUserRecord(std::int64_t userId) const {
    if (!Share() || userId <= 0) return nullptr;
    return Share()->FindUser(userId);
}

std::int64_t TTwoEightClient::MyBeans() const {
    const STRU_PLUGIN_USERINFO* me = FindUserRecord(GetMyID());
    return me ? me->Beans : 0;
}

std::string TTwoEightClient::UnitName() const {
    return Share() ? Share()->BeanName() : BeanName();
}

bool TTwoEightClient::IAmBanker() const {
    return Share() && scene_.BankerList[0].Occupied() && scene_.BankerList[0].UserId == GetMyID();
}

bool TTwoEightClient::OnBankersChair() const {
    return Share() && scene_.BankerList[0].Chair == std::int32_t(GetMySeat());
}

int TTwoEightClient::BankerListLength() const {
    int length = 0;
    while (length < kBankerListLength && scene_.BankerList[std::size_t(length)].Occupied())
        ++length;
    return length;
}

std::int64_t TTwoEightClient::OwnUserId() const {
    return GetMyID();
}

std::optional<TBarUser> TTwoEightClient::FindBarUser(std::int64_t userId, std::int32_t) const {
    const STRU_PLUGIN_USERINFO* user = FindUserRecord(userId);
    if (!user) return std::nullopt;
    return TBarUser{FixedFieldText(user->NickName, sizeof user->NickName), user->Beans};
}

// [SECTION] The banker buttons

std::array<bool, 6> TTwoEightClient::BankerButtonFlags() const {
    const int length = BankerListLength();
    const std::int64_t me = GetMyID();
    bool inQueue = false;
    for (int i = 1; i < length; ++i)
        if (scene_.BankerList[std::size_t(i)].UserId == me) inQueue = true;
    const bool banker = IAmBanker();
    const bool idle = !IsPlaying();
    const std::int64_t beans = MyBeans();
    bool canApply = false;
    if (length == kCrowdedQueue)
        canApply = AtLeastTimes(beans, kCrowdedFactor, scene_.BankerApplyBeans);
    else if (length < kCrowdedQueue)
        canApply = beans >= scene_.BankerApplyBeans;
    const bool listed = banker || inQueue;
    return {!listed, inQueue, banker, idle && canApply, idle, idle};
}

bool TTwoEightClient::GrabShown() const {
    return scene_.GrabAllowed;
}

bool TTwoEightClient::GrabEnabled() const {
    return !IsPlaying() && scene_.BankerList[0].Occupied() && !IAmBanker() &&
           scene_.BankerRounds >= scene_.GrabAfterRounds;
}

void TTwoEightClient::UpdateBankerButtons() {
    topBar_->SetButtonStates(BankerButtonFlags());
    topBar_->SetHogState(GrabShown(), GrabEnabled());
}

void TTwoEightClient::BankerButtonClick(int button) {
    TBankerRequest request;
    request.UserId = GetMyID();
    request.Chair = GetMySeat();
    switch (button) {
    case 0:
        if (MyBeans() < scene_.BankerApplyBeans) return;
        request.Action = TBankerRequest::kApply;
        break;
    case 1:
    case 2:
        request.Action = TBankerRequest::kWithdraw;
        break;
    case 3: {
        TGrabBankerRequest grab;
        grab.UserId = GetMyID();
        SendTableData(grab.Write(), 0);
        return;
    }
    default:
        return;
    }
    SendTableData(request.Write(), 0);
}

// [SECTION] The banker queue and the banker's figures

std::array<TBarQueueEntry, kBarQueueLength> TTwoEightClient::BarQueue() const {
    std::array<TBarQueueEntry, kBarQueueLength> queue{};
    for (int i = 0; i < kBarQueueLength; ++i)
        queue[std::size_t(i)] = {scene_.BankerList[std::size_t(i)].UserId,
                                 CheckedChair(scene_.BankerList[std::size_t(i)].Chair)};
    return queue;
}

void TTwoEightClient::FeedBankerFigures() {
    topBar_->UpdateBanker(scene_.BankerRounds, BarQueue(), scene_.BankerWinnings, scene_.BankerBeans);
}

void TTwoEightClient::HandleBankerList(const TBankerListNotice& notice) {
    scene_.BankerList = notice.BankerList;
    scene_.BankerWinnings = notice.BankerWinnings;
    scene_.BankerRounds = notice.BankerRounds;
    FeedBankerFigures();
    if (notice.ClearsNoBanker()) scene_.NoBanker = false;
    const std::int64_t banker = scene_.BankerList[0].UserId;
    if (banker != lastAnnouncedBanker_ && banker > 0) {
        lastAnnouncedBanker_ = banker;
        AnnounceBanker(banker);
    }
    RefreshView();
}

void TTwoEightClient::AnnounceBanker(std::int64_t bankerId) {
    const STRU_PLUGIN_USERINFO* user = FindUserRecord(bankerId);
    TIniFile* settings = user ? Share()->IniFile() : nullptr;
    if (!settings) return;
    // Looked at afresh: the hall may have changed the levels since the table opened.
    settings->Refresh();
    const TBankerLevelTable levels = ReadBankerLevels(*settings);
    const int level = BankerLevelOf(levels, levels.RelateScore ? user->Score : user->Beans);
    if (level < 1) return;
    const TBankerLevel& entry = levels.Levels[std::size_t(level - 1)];
    const std::string name = FixedFieldText(user->NickName, sizeof user->NickName);
    ShowSystemLine(entry.Name + name + "上庄啦," + entry.Speech, lines::kPrompt);
}

void TTwoEightClient::HandleGrabReply(const TGrabBankerReply& reply) {
    switch (reply.Outcome) {
    case TGrabBankerReply::kFailed:
        ShowSystemLine("抢庄失败", lines::kPrompt);
        break;
    case TGrabBankerReply::kNotNow:
        ShowSystemLine("现在不能抢庄", lines::kPrompt);
        break;
    case TGrabBankerReply::kNotEnoughBeans: {
        char amount[32];
        std::snprintf(amount, sizeof amount, "%lld",
                      static_cast<long long>(ClampedAdd(scene_.BankerKeepBeans, scene_.GrabPrice)));
        ShowSystemLine("您的" + UnitName() + "不足" + amount + "，不能抢庄", lines::kPrompt);
        break;
    }
    default:
        break;
    }
}

// [SECTION] Leaving

bool TTwoEightClient::LeavingEarlyCosts() const {
    return IAmBanker() && scene_.MinBankerRounds > 1 && scene_.BankerRounds > 0 &&
           scene_.BankerRounds < scene_.MinBankerRounds && scene_.EarlyLeavePenalty > 0;
}

bool TTwoEightClient::CanQuitFreely() {
    if (SumOwnStakes() > 0) return false;
    return !LeavingEarlyCosts();
}

bool TTwoEightClient::QueryQuit(std::string& message) {
    const bool answer = TCustomPluginClient::QueryQuit(message);
    if (!answer || !LeavingEarlyCosts() || ActivePlayerCount() <= 1) return answer;
    char text[160];
    std::snprintf(text, sizeof text, "您最少要当庄%d局，\r\n否则会扣除您%lld", int(scene_.MinBankerRounds),
                  static_cast<long long>(scene_.EarlyLeavePenalty));
    message = text + UnitName();
    return false;
}

} // namespace morvane
