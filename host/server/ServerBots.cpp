#include "host/server/ServerBots.h"

#include "host/server/BaccaratServer.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace morvane::server {

namespace {

constexpr std::array<std::string_view, 16> kNames{
    "金牌庄王", "小飞侠",   "快乐闲家", "海上明月", "一路发", "好运来",   "老张",     "红中",
    "白板",     "东方不败", "天天向上", "大满贯",   "风清扬", "午夜牛郎", "百家小妹", "赌神阿星",
};

constexpr std::array<std::string_view, 10> kChatLines{
    "庄家威武！",   "这把我跟闲。", "又是和局，真巧", "大家好运！", "看好了，买庄",
    "连庄了连庄了", "今天手气不错", "对子出来吧",     "稳住，别急", "下把上庄试试",
};

// Where the bots' stakes go, in tenths of a percent: mostly Banker and Player, some Tie, a few on the
// side fields.
constexpr std::array<int, 8> kRegionWeights{420, 10, 420, 10, 90, 10, 20, 20};

} // namespace

void TServerBots::Populate() {
    for (int i = 0; i < count_; ++i)
        AddOne();
}

void TServerBots::AddOne() {
    const int number = nextName_++;
    const int names = int(kNames.size());
    // Names come round again with a number once every name has sat at the table.
    std::string name(kNames[std::size_t(number % names)]);
    if (number >= names) name += std::to_string(number / names);
    const std::int64_t beans = std::int64_t(server_.Random().Between(20, 400)) * 50000;
    server_.AddBot(nextId_++, name, beans);
}

std::vector<std::int64_t> TServerBots::BotIds() const {
    std::vector<std::int64_t> ids;
    for (const auto& user : server_.Users())
        if (user->Bot) ids.push_back(user->Id());
    return ids;
}

std::uint32_t TServerBots::SomeTimeInPhase() {
    const std::uint32_t start = server_.PhaseStartedAt() + 500;
    const std::uint32_t end = server_.PhaseEndsAt() > start + 500 ? server_.PhaseEndsAt() - 500 : start;
    return start + std::uint32_t(server_.Random().Next(std::int32_t(end - start) + 1));
}

void TServerBots::PhaseStarted(TGamePhase phase) {
    if (phase == TGamePhase::Free) PlanFreeTime();
    if (phase == TGamePhase::Betting) PlanBets();
}

void TServerBots::PlanFreeTime() {
    TRandom& random = server_.Random();
    const TBankerQueue& queue = server_.Banker();
    if (!queue.HasBanker() && queue.Waiting().empty()) OfferToBank();
    for (std::int64_t id : BotIds()) {
        const TBaccaratServer::TUser* bot = server_.FindUser(id);
        if (!bot) continue;
        if (queue.IsBanker(id)) {
            // A bot bank gives up after a while, or when it has lost a good part of its beans.
            if (queue.Rounds() >= server_.Settings().MinBankerRounds && random.Next(100) < 25)
                server_.Schedule(SomeTimeInPhase(), [this, id] { server_.WithdrawBanker(id); });
            continue;
        }
        if (queue.Contains(id)) continue;
        if (random.Next(100) < 6) {
            // One leaves; somebody new sits down a moment later.
            server_.Schedule(SomeTimeInPhase(), [this, id] {
                if (server_.Phase() != TGamePhase::Free || server_.Banker().Contains(id)) return;
                server_.RemoveUser(id);
                AddOne();
            });
            continue;
        }
        const TServerSettings& rules = server_.Settings();
        const bool grabOpen =
            rules.GrabAllowed && queue.HasBanker() && queue.Rounds() >= rules.GrabAfterRounds;
        if (grabOpen && bot->Info.Beans >= 4 * (rules.BankerKeepBeans + rules.GrabPrice) &&
            random.Next(100) < 3) {
            // A rich bot now and then seizes a bank that has sat long enough.
            server_.Schedule(SomeTimeInPhase(), [this, id] { server_.GrabBanker(id); });
            continue;
        }
        const bool bankWanted = !queue.HasBanker() || queue.Length() < 3;
        if (bankWanted && bot->Info.Beans >= server_.Settings().BankerApplyBeans && random.Next(100) < 20)
            server_.Schedule(SomeTimeInPhase(), [this, id] { server_.ApplyBanker(id); });
        if (random.Next(100) < 8) server_.Schedule(SomeTimeInPhase(), [this, id] { SayOneLine(id); });
    }
}

void TServerBots::OfferToBank() {
    // An empty bank does not stay empty for long: the richest bot who can afford it sits down at once.
    const TBaccaratServer::TUser* richest = nullptr;
    for (std::int64_t id : BotIds()) {
        const TBaccaratServer::TUser* bot = server_.FindUser(id);
        if (bot && (!richest || bot->Info.Beans > richest->Info.Beans)) richest = bot;
    }
    if (!richest || richest->Info.Beans < server_.Settings().BankerApplyBeans) return;
    const std::int64_t id = richest->Id();
    server_.Schedule(server_.PhaseStartedAt() + 500, [this, id] { server_.ApplyBanker(id); });
}

void TServerBots::PlanBets() {
    TRandom& random = server_.Random();
    for (std::int64_t id : BotIds()) {
        if (server_.Banker().IsBanker(id)) continue;
        const int bets = random.Next(4);
        for (int i = 0; i < bets; ++i)
            server_.Schedule(SomeTimeInPhase(), [this, id] { Bet(id); });
        if (random.Next(100) < 5) server_.Schedule(SomeTimeInPhase(), [this, id] { SayOneLine(id); });
    }
}

void TServerBots::Bet(std::int64_t botId) {
    const TBaccaratServer::TUser* bot = server_.FindUser(botId);
    if (!bot || server_.Phase() != TGamePhase::Betting) return;
    TRandom& random = server_.Random();
    int pick = random.Next(1000);
    std::uint8_t region = 0;
    while (pick >= kRegionWeights[region]) {
        pick -= kRegionWeights[region];
        ++region;
    }
    // A chip the bot can afford within its personal cap and what the region still takes; smaller chips
    // are laid more often than large ones.
    const TServerSettings& settings = server_.Settings();
    const std::int64_t room =
        std::min({bot->Info.Beans - bot->Staked(), settings.PersonalStakeCap - bot->Staked(),
                  server_.Acceptable()[region]});
    std::vector<std::int64_t> chips;
    for (int index : settings.ChipIndices)
        if (kChipValues[std::size_t(index)] <= room) chips.push_back(kChipValues[std::size_t(index)]);
    if (chips.empty()) return;
    const int at = std::min(random.Next(int(chips.size())), random.Next(int(chips.size())));
    server_.PlaceBet(botId, region, chips[std::size_t(at)]);
}

void TServerBots::SayOneLine(std::int64_t botId) {
    server_.Chat(botId, std::string(kChatLines[std::size_t(server_.Random().Next(int(kChatLines.size())))]));
}

} // namespace morvane::server
