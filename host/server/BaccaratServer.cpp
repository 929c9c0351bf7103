#include "host/server/BaccaratServer.h"

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "game/GameNotices.h"
#include "game/GameRequests.h"
#include "game/TwoEightRules.h"
#include "graphics/CofferRecords.h"
#include "host/HostFrames.h"
#include "host/server/ServerBots.h"

#include <algorithm>
#include <cstring>

namespace morvane::server {

namespace hf = hostframes;

namespace {

// Kinds of the frames a table sends to the hall.
constexpr std::uint8_t kTableFrame = 3, kUserListRequest = 7, kLeave = 11, kSeatRequest = 13;
// Table commands a table sends.
constexpr std::uint8_t kCmdGameRequest = 1, kCmdCoffer = 5, kCmdBroadcast = 66, kCmdChat = 67,
                       kCmdStandUp = 96;
// Table commands the hall sends.
constexpr std::uint8_t kCmdGameStart = 49, kCmdGameOver = 50;
// The server's own sender id in the frames it sends.
constexpr std::int64_t kServerId = 0;

// Score block flags: 1 a settled round (wins and losses counted), 2 a silent update of the records.
constexpr std::uint8_t kScoreRound = 1, kScoreUpdate = 2;

// Coffer reply codes (byte 10).
constexpr std::uint8_t kCofferOk = 0, kCofferFailed = 1, kCofferInGame = 6, kCofferBadAmount = 7,
                       kCofferBadAnswer = 8;

int Sign(std::int64_t value) {
    return (value > 0) - (value < 0);
}

} // namespace

std::int64_t TBaccaratServer::TUser::Staked() const {
    std::int64_t sum = 0;
    for (std::int64_t stake : Stakes)
        sum += stake;
    return sum;
}

TBaccaratServer::TBaccaratServer(TServerSettings settings, std::uint32_t seed)
    : settings_(std::move(settings)), shoe_(seed), random_(seed ^ 0x5EED5EEDu),
      banker_(TBankerQueue::TRules{settings_.BankerApplyBeans, settings_.GrabAllowed, settings_.GrabPrice,
                                   settings_.BankerKeepBeans, settings_.GrabAfterRounds}) {}

TBaccaratServer::~TBaccaratServer() = default;

// [SECTION] Time

void TBaccaratServer::Start(std::uint32_t nowMs) {
    now_ = nowMs;
    started_ = true;
    EnterFree();
}

std::uint32_t TBaccaratServer::NextEventTime() const {
    std::uint32_t next = started_ ? phaseEnd_ : UINT32_MAX;
    if (!scheduled_.empty()) next = std::min(next, scheduled_.begin()->first);
    return next;
}

void TBaccaratServer::AdvanceTo(std::uint32_t nowMs) {
    while (true) {
        const std::uint32_t next = NextEventTime();
        if (next > nowMs) break;
        now_ = std::max(now_, next);
        // Actions due at the same moment as a phase change still belong to the phase that ends.
        if (!scheduled_.empty() && scheduled_.begin()->first <= next && (!started_ || next <= phaseEnd_)) {
            auto action = std::move(scheduled_.begin()->second);
            scheduled_.erase(scheduled_.begin());
            action();
        } else {
            EndPhase();
        }
    }
    now_ = std::max(now_, nowMs);
}

void TBaccaratServer::Schedule(std::uint32_t atMs, std::function<void()> action) {
    scheduled_.emplace(std::max(atMs, now_), std::move(action));
}

// [SECTION] Phases

void TBaccaratServer::BeginPhase(TGamePhase phase, int seconds) {
    phase_ = phase;
    phaseStart_ = now_;
    phaseEnd_ = now_ + std::uint32_t(std::max(seconds, 1)) * 1000u;
}

void TBaccaratServer::EndPhase() {
    switch (phase_) {
    case TGamePhase::Free:
        if (!banker_.HasBanker() && !settings_.AutoPass) {
            // Nobody banks and rounds are not passed: the table waits another free phase.
            EnterFree();
            return;
        }
        EnterBetting();
        return;
    case TGamePhase::Betting:
        EnterDealing();
        return;
    case TGamePhase::Dealing:
        EnterSettlement();
        return;
    case TGamePhase::Settlement:
    case TGamePhase::Unknown:
        SendAll(hf::TableFrame(kServerId, kCmdGameOver));
        EnterFree();
        return;
    }
}

void TBaccaratServer::EnterFree() {
    for (auto& user : users_)
        user->Stakes = {};
    totals_ = {};
    bets_.clear();
    // The scene of the free phase follows at once and carries any change of the bank.
    enteringFree_ = true;
    SeatNextBanker();
    enteringFree_ = false;
    BeginPhase(TGamePhase::Free, settings_.FreeSeconds);
    SendScenes();
    if (bots_) bots_->PhaseStarted(TGamePhase::Free);
    if (OnPhase) OnPhase(TGamePhase::Free);
}

void TBaccaratServer::EnterBetting() {
    ++round_;
    cards_ = {};
    haveOutcome_ = false;
    SendAll(hf::TableFrame(kServerId, kCmdGameStart));
    BeginPhase(TGamePhase::Betting, settings_.BettingSeconds);
    SendScenes();
    if (bots_) bots_->PhaseStarted(TGamePhase::Betting);
    if (settings_.StatisticsAllowed) {
        // The statistics window follows the computer's stakes once a second while bets are taken.
        for (std::uint32_t at = phaseStart_ + 1000; at < phaseEnd_; at += 1000)
            Schedule(at, [this] {
                if (phase_ == TGamePhase::Betting) SendComputerBets();
            });
    }
    if (OnPhase) OnPhase(TGamePhase::Betting);
}

void TBaccaratServer::EnterDealing() {
    if (!nextCards_.empty()) {
        cards_ = DealFrom(nextCards_);
        nextCards_.clear();
    } else {
        if (shoe_.CutCardReached()) {
            shoe_.Shuffle();
            for (const auto& user : users_)
                SendLine(*user, "荷官正在换一靴新牌");
        }
        cards_ = DealRound(shoe_);
    }
    outcome_ = Judge(cards_);
    BeginPhase(TGamePhase::Dealing, settings_.DealingSeconds);
    SendScenes();
    if (bots_) bots_->PhaseStarted(TGamePhase::Dealing);
    if (OnPhase) OnPhase(TGamePhase::Dealing);
}

void TBaccaratServer::EnterSettlement() {
    BeginPhase(TGamePhase::Settlement, settings_.SettlementSeconds);
    SettleRound();
    if (bots_) bots_->PhaseStarted(TGamePhase::Settlement);
    if (OnPhase) OnPhase(TGamePhase::Settlement);
}

void TBaccaratServer::SettleRound() {
    haveOutcome_ = true;
    TRoundReport report;
    report.Round = round_;
    report.Shoe = shoe_.ShoeNumber();
    report.Cards = cards_;
    report.Outcome = outcome_;
    report.Bets = bets_;

    TUser* banker = BankerUser();
    std::int64_t bankerNet = 0;
    std::vector<hf::TScoreLine> lines;
    std::map<std::int64_t, std::int64_t> nets;
    for (auto& user : users_) {
        if (user->Staked() == 0) continue;
        // Bets are taken only against a bank; a bank that left the table during the round pays nobody
        // and takes nothing, so every stake goes back.
        const std::int64_t net = banker ? Settle(user->Stakes, outcome_).Net() : 0;
        nets[user->Id()] = net;
        bankerNet -= net;
        user->Info.Beans += net;
        user->Info.Score += Sign(net);
        if (net > 0)
            ++user->Info.Wins;
        else if (net < 0)
            ++user->Info.Losses;
        else
            ++user->Info.Draws;
        lines.push_back({user->Id(), Sign(net), user->Info.Score, net, user->Info.Beans});
        report.Results.push_back(
            {user->Id(), FilteredNickName(user->Info), user->Stakes, net, user->Info.Beans});
    }
    if (banker) {
        banker->Info.Beans += bankerNet;
        banker->Info.Score += Sign(bankerNet);
        lines.push_back({banker->Id(), Sign(bankerNet), banker->Info.Score, bankerNet, banker->Info.Beans});
        report.BankerId = banker->Id();
        report.BankerName = FilteredNickName(banker->Info);
        report.BankerNet = bankerNet;
        report.BankerBeans = banker->Info.Beans;
        banker_.CountRound(bankerNet);
    }

    // The roads keep the last 64 games, oldest first.
    const TBarRoadEntry barEntry{std::uint8_t(outcome_.BankerPoints), std::uint8_t(outcome_.PlayerPoints),
                                 outcome_.ResultCode};
    const TResultTableEntry tableEntry{outcome_.ResultCode, std::uint8_t(outcome_.BankerPair ? 1 : 0),
                                       std::uint8_t(outcome_.PlayerPair ? 1 : 0)};
    if (roadCount_ == kRoadLength) {
        std::rotate(barRoad_.begin(), barRoad_.begin() + 1, barRoad_.end());
        std::rotate(resultRoad_.begin(), resultRoad_.begin() + 1, resultRoad_.end());
        --roadCount_;
    }
    barRoad_[std::size_t(roadCount_)] = barEntry;
    resultRoad_[std::size_t(roadCount_)] = tableEntry;
    ++roadCount_;

    // The records change first, so the table's settlement shows this round's figures and balances.
    if (!lines.empty()) {
        if (lines.size() > std::size_t(kMaxTableUsers)) lines.resize(kMaxTableUsers);
        SendAll(hf::ScoreBlock(kScoreRound, std::int32_t(lines.size()), lines));
    }
    for (const auto& user : users_) {
        if (!user->Sink) continue;
        TSettlementNotice notice;
        notice.ResultCode = outcome_.ResultCode;
        notice.PointsA = std::uint8_t(outcome_.BankerPoints);
        notice.PointsB = std::uint8_t(outcome_.PlayerPoints);
        notice.OwnStakes = user->Stakes;
        notice.NetResult = banker_.IsBanker(user->Id()) ? bankerNet : nets[user->Id()];
        notice.PlayerPair = outcome_.PlayerPair;
        notice.BankerPair = outcome_.BankerPair;
        Send(*user, hf::TableData(kServerId, notice.Write()));
    }
    SendScenes();
    if (OnRoundSettled) OnRoundSettled(report);
}

bool TBaccaratServer::BankerBroke() const {
    const TUser* banker = FindUser(banker_.Banker().UserId);
    return banker && banker->Info.Beans < settings_.BankerKeepBeans;
}

bool TBaccaratServer::SeatNextBanker() {
    bool changed = false;
    if (banker_.HasBanker() && (banker_.StepDownPending() || BankerBroke())) {
        TUser* banker = BankerUser();
        // Leaving before the minimum rounds costs the penalty the table warned about.
        if (banker && banker_.StepDownPending() && banker_.Rounds() > 0 &&
            banker_.Rounds() < settings_.MinBankerRounds && settings_.EarlyLeavePenalty > 0) {
            const std::int64_t beans = banker->Info.Beans; // a packed field: read, never bound
            banker->Info.Beans = beans - std::min(beans, settings_.EarlyLeavePenalty);
            SendBeans(*banker);
        }
        banker_.ClearBanker();
        changed = true;
    }
    changed |= banker_.Promote([this](std::int64_t id) {
        const TUser* user = FindUser(id);
        return user && user->Info.Beans >= settings_.BankerApplyBeans;
    });
    if (changed) BankChanged();
    return changed;
}

// [SECTION] Users

TBaccaratServer::TUser* TBaccaratServer::Find(std::int64_t userId) {
    for (auto& user : users_)
        if (user->Id() == userId) return user.get();
    return nullptr;
}

const TBaccaratServer::TUser* TBaccaratServer::FindUser(std::int64_t userId) const {
    for (const auto& user : users_)
        if (user->Id() == userId) return user.get();
    return nullptr;
}

TBaccaratServer::TUser* TBaccaratServer::BankerUser() {
    return banker_.HasBanker() ? Find(banker_.Banker().UserId) : nullptr;
}

int TBaccaratServer::FreeChair() const {
    for (int chair = 0; chair < kChairCount; ++chair) {
        const bool taken = std::any_of(users_.begin(), users_.end(), [chair](const auto& user) {
            return user->Info.Seated && user->Info.Seat == chair;
        });
        if (!taken) return chair;
    }
    return -1;
}

int TBaccaratServer::Join(std::unique_ptr<TUser> user) {
    if (FindUser(user->Id()) || users_.size() >= std::size_t(kMaxTableUsers)) return -1;
    const int chair = FreeChair();
    if (chair < 0) return -1;
    user->Info.Seat = std::uint8_t(chair);
    user->Info.Seated = 1;
    TUser& joined = *users_.emplace_back(std::move(user));
    for (const auto& other : users_)
        if (other.get() != &joined) Send(*other, hf::UserEnter(joined.Info));
    if (joined.Sink) {
        SendUserList(joined);
        Send(joined, hf::GameData(kServerId, WriteTableScene(SceneFor(joined.Id()))));
    }
    SendTableSettings();
    return chair;
}

int TBaccaratServer::Connect(std::int64_t userId, const std::string& nickName, std::int64_t beans,
                             std::int64_t coffer, TSink sink) {
    auto user = std::make_unique<TUser>();
    user->Info = hf::MakeUser(userId, 0, true, nickName);
    user->Info.Beans = beans;
    user->Coffer = coffer;
    user->SecurityAnswer = "上海";
    user->Sink = std::move(sink);
    return Join(std::move(user));
}

int TBaccaratServer::AddBot(std::int64_t userId, const std::string& nickName, std::int64_t beans) {
    auto user = std::make_unique<TUser>();
    user->Info = hf::MakeUser(userId, 0, true, nickName);
    user->Info.Beans = beans;
    user->Bot = true;
    return Join(std::move(user));
}

void TBaccaratServer::RemoveUser(std::int64_t userId) {
    const auto found = std::find_if(users_.begin(), users_.end(),
                                    [userId](const auto& user) { return user->Id() == userId; });
    if (found == users_.end()) return;
    // Stakes on the table stay in the round: a player who walks away loses them to the bank.
    if (phase_ != TGamePhase::Free) {
        if (TUser* banker = BankerUser(); banker && banker->Id() != userId)
            banker->Info.Beans += (*found)->Staked();
    }
    const bool wasListed = banker_.Contains(userId);
    users_.erase(found);
    if (wasListed) {
        banker_.Remove(userId);
        if (phase_ != TGamePhase::Free || !SeatNextBanker()) BankChanged();
    }
    SendAll(hf::UserLeave(userId));
    SendTableSettings();
}

void TBaccaratServer::EnableBots(int count) {
    bots_ = std::make_unique<TServerBots>(*this, count);
    bots_->Populate();
}

// [SECTION] Requests

void TBaccaratServer::Receive(std::int64_t fromUserId, std::span<const std::uint8_t> frame) {
    TUser* user = Find(fromUserId);
    if (!user || frame.empty()) return;
    switch (frame[0]) {
    case kTableFrame:
        if (frame.size() >= 10) ReceiveTableFrame(*user, frame[9], frame.subspan(10));
        return;
    case kUserListRequest:
        SendUserList(*user);
        return;
    case kLeave:
        RemoveUser(fromUserId);
        return;
    case kSeatRequest:
        if (frame.size() >= 3) ChangeSeat(*user, frame[1], frame[2] != 0);
        return;
    default:
        return;
    }
}

void TBaccaratServer::ReceiveTableFrame(TUser& user, std::uint8_t cmd,
                                        std::span<const std::uint8_t> payload) {
    switch (cmd) {
    case kCmdGameRequest:
        ReceiveGameRequest(user, payload);
        return;
    case kCmdCoffer:
        ReceiveCofferRequest(user, payload);
        return;
    case kCmdChat:
        if (!payload.empty()) Chat(user.Id(), std::string(payload.begin(), payload.end()));
        return;
    case kCmdBroadcast:
        if (!payload.empty()) SendAll(hf::Broadcast(user.Id(), std::string(payload.begin(), payload.end())));
        return;
    case kCmdStandUp:
        ChangeSeat(user, user.Info.Seat, false);
        return;
    default:
        return;
    }
}

void TBaccaratServer::ReceiveGameRequest(TUser& user, std::span<const std::uint8_t> record) {
    if (record.empty()) return;
    // A request is taken as the user's own, whatever id it carries: a table speaks only for its player.
    switch (record[0]) {
    case GameRecord::BetRequest:
        if (auto bet = TBetRequest::Read(record)) {
            const TBetVerdict verdict = PlaceBet(user.Id(), bet->Region, bet->Amount);
            if (verdict == TBetVerdict::OverRegionLimit) SendLine(user, "下注失败，该区域已达到可下注上限");
        }
        return;
    case GameRecord::BankerRequest:
        if (auto request = TBankerRequest::Read(record)) {
            if (request->Action == TBankerRequest::kApply) {
                const auto verdict = ApplyBanker(user.Id());
                if (verdict == TBankerQueue::TVerdict::NotEnoughBeans)
                    SendLine(user, "您的" + settings_.BeanName + "不足，不能申请上庄");
                else if (verdict == TBankerQueue::TVerdict::QueueFull)
                    SendLine(user, "上庄队列已满，请稍后再申请");
            } else {
                WithdrawBanker(user.Id());
            }
        }
        return;
    case GameRecord::GrabBankerRequest:
        if (TGrabBankerRequest::Read(record)) {
            TGrabBankerReply reply;
            reply.Outcome = GrabBanker(user.Id());
            Send(user, hf::TableData(kServerId, reply.Write()));
        }
        return;
    case GameRecord::StatisticsRequest:
        if (TStatisticsRequest::Read(record) && settings_.StatisticsAllowed && phase_ == TGamePhase::Betting)
            SendComputerBets();
        return;
    default:
        return;
    }
}

TBaccaratServer::TBetVerdict TBaccaratServer::PlaceBet(std::int64_t userId, std::uint8_t region,
                                                       std::int64_t amount) {
    TUser* user = Find(userId);
    if (!user || !user->Info.Seated || !IsBetRegion(region)) return TBetVerdict::UnknownUser;
    if (phase_ != TGamePhase::Betting) return TBetVerdict::NotBetting;
    if (!banker_.HasBanker()) return TBetVerdict::NoBanker;
    if (banker_.IsBanker(userId)) return TBetVerdict::IsBanker;
    const bool tableChip =
        std::any_of(settings_.ChipIndices.begin(), settings_.ChipIndices.end(),
                    [amount](int index) { return kChipValues[std::size_t(index)] == amount; });
    if (!tableChip) return TBetVerdict::NotAChip;
    const std::int64_t staked = user->Staked();
    if (staked + amount > settings_.PersonalStakeCap) return TBetVerdict::OverPersonalCap;
    if (user->Info.Beans < staked + amount) return TBetVerdict::NotEnoughBeans;
    if (amount > Acceptable()[region]) return TBetVerdict::OverRegionLimit;

    user->Stakes[region] += amount;
    totals_[region] += amount;
    bets_.push_back({userId, region, amount});
    TBetNotice notice;
    notice.UserId = userId;
    notice.Amount = amount;
    notice.Region = region;
    notice.UserStake = user->Stakes[region];
    notice.RegionTotal = totals_[region];
    notice.PhaseElapsed = Elapsed();
    SendAll(hf::TableData(kServerId, notice.Write()));
    return TBetVerdict::Accepted;
}

TRegionAmounts TBaccaratServer::Acceptable() const {
    // The same figures the table computes from the bet notices, so the server refuses exactly what the
    // table shows as full.
    const TUser* banker = banker_.HasBanker() ? FindUser(banker_.Banker().UserId) : nullptr;
    return AcceptableAmounts(TAcceptableInputs{totals_, banker ? banker->Info.Beans : 0,
                                               settings_.BankerPayoutCap, settings_.RegionPayoutCap,
                                               settings_.Hedging});
}

TBankerQueue::TVerdict TBaccaratServer::ApplyBanker(std::int64_t userId) {
    TUser* user = Find(userId);
    if (!user || !user->Info.Seated) return TBankerQueue::TVerdict::NotListed;
    const auto verdict = banker_.Apply(userId, user->Info.Seat, user->Info.Beans);
    if (verdict != TBankerQueue::TVerdict::Accepted) return verdict;
    if (phase_ != TGamePhase::Free || !SeatNextBanker()) BankChanged();
    return verdict;
}

TBankerQueue::TVerdict TBaccaratServer::WithdrawBanker(std::int64_t userId) {
    const auto verdict = banker_.Withdraw(userId);
    if (verdict != TBankerQueue::TVerdict::Accepted) return verdict;
    // A banker steps down between rounds; during one the seat is kept until the free time.
    if (phase_ == TGamePhase::Free && banker_.StepDownPending())
        SeatNextBanker();
    else if (!banker_.StepDownPending())
        BankChanged();
    return verdict;
}

std::int32_t TBaccaratServer::GrabBanker(std::int64_t userId) {
    TUser* user = Find(userId);
    if (!user || !user->Info.Seated) return TGrabBankerReply::kFailed;
    switch (banker_.CheckGrab(userId, user->Info.Beans, GameInProgress())) {
    case TBankerQueue::TVerdict::Accepted:
        break;
    case TBankerQueue::TVerdict::NotEnoughBeans:
        return TGrabBankerReply::kNotEnoughBeans;
    default:
        return TGrabBankerReply::kNotNow;
    }
    // The grabber pays the price to the banker who loses the seat.
    if (TUser* old = BankerUser()) {
        old->Info.Beans += settings_.GrabPrice;
        SendBeans(*old);
    }
    user->Info.Beans -= settings_.GrabPrice;
    SendBeans(*user);
    banker_.Grab(userId, user->Info.Seat);
    BankChanged();
    return 0;
}

void TBaccaratServer::Chat(std::int64_t fromUserId, const std::string& text) {
    if (!FindUser(fromUserId) || text.empty()) return;
    SendAll(hf::Chat(fromUserId, text));
}

void TBaccaratServer::ChangeSeat(TUser& user, int seat, bool sit) {
    if (!IsChair(seat)) return;
    if (sit) {
        const bool taken = std::any_of(users_.begin(), users_.end(), [&](const auto& other) {
            return other.get() != &user && other->Info.Seated && other->Info.Seat == seat;
        });
        if (taken) seat = FreeChair();
        if (seat < 0) return;
    } else if (banker_.Contains(user.Id()) || user.Staked() > 0) {
        // A banker, a player in the queue or one with stakes on the table keeps the chair.
        SendLine(user, "您正在游戏中，不能离开座位");
        return;
    }
    user.Info.Seat = std::uint8_t(seat);
    user.Info.Seated = sit ? 1 : 0;
    SendAll(hf::SeatChange(user.Id(), user.Info.Seat, sit, 1));
    SendTableSettings();
}

void TBaccaratServer::ReceiveCofferRequest(TUser& user, std::span<const std::uint8_t> request) {
    // Only a whole request is answered: a short one may have lost its amount or its answer.
    if (request.size() < kCofferRequestBytes) return;
    ByteReader reader(request);
    std::uint8_t kind = 0, operation = 0, answerLength = 0;
    std::int64_t amount = 0;
    std::string answer;
    if (!reader.ReadU8(kind) || !reader.ReadU8(operation) || !reader.ReadI64(amount) || !reader.Skip(18) ||
        !reader.ReadU8(answerLength) || !reader.ReadString(std::min<std::size_t>(answerLength, 32), answer)) {
        return;
    }
    const bool deposit = operation == 1;
    std::uint8_t code = kCofferOk;
    const bool inGame = user.Staked() > 0 || (banker_.IsBanker(user.Id()) && GameInProgress());
    // What must stay in hand: a player listed for the bank keeps what applying takes.
    const std::int64_t keep = banker_.Contains(user.Id()) ? settings_.BankerApplyBeans : 0;
    if (kind == 0) {
        if (deposit && inGame) code = kCofferInGame;
    } else if (kind == 1 && deposit) {
        if (inGame)
            code = kCofferInGame;
        else if (amount < settings_.CofferMinAmount || amount > user.Info.Beans - keep)
            code = kCofferBadAmount;
    } else if (kind == 1) {
        if (amount < settings_.CofferMinAmount || amount > user.Coffer)
            code = kCofferBadAmount;
        else if (answer != user.SecurityAnswer)
            code = kCofferBadAnswer;
    } else {
        code = kCofferFailed;
    }
    if (kind == 1 && code == kCofferOk) {
        const std::int64_t moved = deposit ? amount : -amount;
        user.Info.Beans -= moved;
        user.Coffer += moved;
        SendBeans(user);
    }

    ByteWriter reply(TCofferReply::kBytes);
    reply.WriteU8(kind == 0 && code == kCofferOk ? 0 : 1);
    reply.WriteU8(operation);
    reply.WriteZeros(8);
    reply.WriteU8(code);
    reply.WriteI64(settings_.CofferMinAmount);
    reply.WriteI64(keep);
    reply.WriteI64(user.Info.Beans);
    reply.WriteI64(user.Coffer);
    const std::string& question = settings_.SecurityQuestion;
    reply.WriteU8(std::uint8_t(std::min<std::size_t>(question.size(), 32)));
    reply.WriteFixedString(question, 32);
    Send(user, hf::CofferReply(kServerId, reply.Bytes()));
}

// [SECTION] Sending

void TBaccaratServer::Send(const TUser& user, const TFrame& frame) const {
    if (user.Sink) user.Sink(frame);
}

void TBaccaratServer::SendAll(const TFrame& frame) const {
    for (const auto& user : users_)
        Send(*user, frame);
}

void TBaccaratServer::SendScenes() const {
    for (const auto& user : users_)
        if (user->Sink) Send(*user, hf::GameData(kServerId, WriteTableScene(SceneFor(user->Id()))));
}

void TBaccaratServer::SendUserList(const TUser& user) const {
    std::vector<STRU_PLUGIN_USERINFO> records;
    for (const auto& each : users_)
        records.push_back(each->Info);
    Send(user, hf::FullUserList(records));
}

void TBaccaratServer::SendTableSettings() const {
    hf::TSettingsRecord record;
    // Bean lines on, so the hub takes every round's score block into the records.
    record.settings.BeanNotes = 1;
    hf::SetShortString(record.settings.MoneyName, sizeof record.settings.MoneyName, settings_.MoneyName);
    hf::SetShortString(record.settings.BeanName, sizeof record.settings.BeanName, settings_.BeanName);
    hf::SetShortString(record.settings.ScoreName, sizeof record.settings.ScoreName, settings_.ScoreName);
    for (const auto& user : users_) {
        if (!user->Info.Seated) continue;
        TPluginSeatEntry seat;
        seat.UserID = user->Id();
        seat.Name = FilteredNickName(user->Info);
        record.seats.push_back(seat);
    }
    record.count = std::int32_t(record.seats.size());
    const TFrame frame = hf::TableData(kServerId, hf::TableSettingsRecord(record));
    SendAll(frame);
}

void TBaccaratServer::BankChanged() const {
    SendBankerList();
    // Between rounds the tables also get a scene, so what each region may take and the bank's beans
    // follow the new banker at once.
    if (started_ && phase_ == TGamePhase::Free && !enteringFree_) SendScenes();
}

void TBaccaratServer::SendBankerList() const {
    TBankerListNotice notice;
    notice.BankerState = banker_.HasBanker() ? 0 : 1;
    notice.BankerWinnings = banker_.Winnings();
    notice.BankerRounds = banker_.Rounds();
    notice.BankerList = banker_.List();
    SendAll(hf::TableData(kServerId, notice.Write()));
}

void TBaccaratServer::SendComputerBets() const {
    // With a bot banking the computer is the bank and the window shows the players' stakes; with a
    // player banking it shows what the computer's players have laid.
    const TUser* banker = banker_.HasBanker() ? FindUser(banker_.Banker().UserId) : nullptr;
    TComputerBetNotice notice;
    notice.BankerKind = banker && banker->Bot ? 1 : 0;
    for (const auto& user : users_)
        if (user->Bot != (notice.BankerKind == 1))
            for (int region = 0; region < kRegionCount; ++region)
                notice.Amounts[std::size_t(region)] += user->Stakes[std::size_t(region)];
    for (const auto& user : users_)
        Send(*user, hf::TableData(kServerId, notice.Write()));
}

void TBaccaratServer::SendLine(const TUser& user, const std::string& text) const {
    Send(user, hf::TextLine(kServerId, text));
}

void TBaccaratServer::SendBeans(const TUser& user) const {
    const hf::TScoreLine line{user.Id(), 0, user.Info.Score, 0, user.Info.Beans};
    SendAll(hf::ScoreBlock(kScoreUpdate, 1, {line}));
}

TTableScene TBaccaratServer::SceneFor(std::int64_t viewerId) const {
    TTableScene scene;
    const TUser* viewer = FindUser(viewerId);
    const TUser* banker = banker_.HasBanker() ? FindUser(banker_.Banker().UserId) : nullptr;
    scene.GameInProgress = phase_ != TGamePhase::Free;
    scene.BankerList = banker_.List();
    if (viewer) scene.OwnStakes = viewer->Stakes;
    scene.TotalStakes = totals_;
    scene.AcceptableAmounts = Acceptable();
    scene.BarRoad = barRoad_;
    scene.ResultRoad = resultRoad_;
    scene.ResultRoadCount = roadCount_;
    if (roadCount_ > 0) {
        const TBarRoadEntry& last = barRoad_[std::size_t(roadCount_ - 1)];
        scene.LastPointsA = last.BankerPoints;
        scene.LastPointsB = last.PlayerPoints;
        scene.LastResultCode = last.ResultCode;
    }
    scene.BankerBeans = banker ? banker->Info.Beans : 0;
    scene.BankerWinnings = banker_.Winnings();
    // The hands are shown from the deal on; betting starts with an empty tray.
    if (CardsOnTable(phase_) || (phase_ == TGamePhase::Free && round_ > 0)) {
        scene.PlayerCards = CardString(cards_.Player);
        scene.BankerCards = CardString(cards_.Banker);
    } else {
        scene.PlayerCards.clear();
        scene.BankerCards.clear();
    }
    scene.BankerRounds = banker_.Rounds();
    scene.Phase = phase_;
    scene.BettingTime = settings_.BettingSeconds;
    scene.FreeTime = settings_.FreeSeconds;
    scene.DealingTime = settings_.DealingSeconds;
    scene.NoBanker = !banker_.HasBanker();
    scene.AutoPass = settings_.AutoPass;
    scene.StatusText = settings_.StatusText;
    scene.NoBankerText = settings_.NoBankerText;
    for (int i = 0; i < kChipButtonCount; ++i)
        scene.ChipIndices[std::size_t(i)] = settings_.ChipIndices[std::size_t(i)];
    scene.Hedging = settings_.Hedging;
    scene.SettlementTime = settings_.SettlementSeconds;
    scene.BankerApplyBeans = settings_.BankerApplyBeans;
    scene.BankerKeepBeans = settings_.BankerKeepBeans;
    scene.BankerPayoutCap = settings_.BankerPayoutCap;
    scene.RegionPayoutCap = settings_.RegionPayoutCap;
    scene.PersonalStakeCap = settings_.PersonalStakeCap;
    scene.PhaseElapsed = Elapsed();
    scene.ThirdCardPauseMs = settings_.ThirdCardPauseMs;
    scene.CardFlightStepMs = settings_.CardFlightStepMs;
    scene.DealStartDelayMs = settings_.DealStartDelayMs;
    scene.GrabAllowed = settings_.GrabAllowed;
    scene.GrabPrice = settings_.GrabPrice;
    scene.GrabAfterRounds = settings_.GrabAfterRounds;
    scene.MinBankerRounds = settings_.MinBankerRounds;
    scene.EarlyLeavePenalty = settings_.EarlyLeavePenalty;
    scene.StatisticsAllowed = settings_.StatisticsAllowed;
    return scene;
}

} // namespace morvane::server
