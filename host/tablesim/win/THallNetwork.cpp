#include "host/tablesim/win/THallNetwork.h"

#include "graphics/ChipValues.h"
#include "host/tablesim/RoundLog.h"
#include "host/tablesim/RoundPlan.h"
#include "plugin/PluginRecords.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace morvane::tablesim {
namespace {

// The thread looks at the table's frames at least this often while the server has nothing due.
constexpr std::uint32_t kLongestWaitMs = 50;

} // namespace

THallNetwork::THallNetwork(const TSimOptions& options, IQXOpenInterface& table, TWindowRequests requests,
                           std::ostream& progress)
    : options_(options), table_(table), requests_(std::move(requests)), progress_(progress),
      server_(ServerSettingsFor(options_), options_.Seed), random_(options_.Seed * 2654435761u + 17u) {
    server_.OnPhase = [this](TGamePhase phase) { PhaseBegan(phase); };
    server_.OnRoundSettled = [this](const server::TBaccaratServer::TRoundReport& report) {
        RoundSettled(report);
    };
}

THallNetwork::~THallNetwork() {
    RequestStop();
    Join();
}

std::string THallNetwork::LogPath() const {
    return (std::filesystem::path(options_.OutDir) / "rounds.log").string();
}

bool THallNetwork::OpenLog(std::string& error) {
    if (!options_.Record) return true;
    log_.open(LogPath(), std::ios::trunc);
    if (!log_) error = "cannot write " + LogPath();
    return bool(log_);
}

void THallNetwork::Start() {
    if (options_.Bots > 0) server_.EnableBots(options_.Bots);
    server_.Start(Now());
    server_.Connect(kOwnId, kOwnNickName, kOwnStartBeans, kOwnStartCoffer,
                    [this](const std::vector<std::uint8_t>& frame) { toTable_.push_back(frame); });
    thread_ = std::thread([this] { Run(); });
}

void THallNetwork::RequestStop() {
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = true;
    }
    wake_.notify_all();
}

void THallNetwork::Join() {
    if (thread_.joinable()) thread_.join();
}

void THallNetwork::FromTable(std::vector<std::uint8_t> frame) {
    {
        std::lock_guard lock(mutex_);
        fromTable_.push_back(std::move(frame));
    }
    wake_.notify_all();
}

std::uint32_t THallNetwork::Now() const {
    return std::uint32_t(
        std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now() - start_).count());
}

// [SECTION] The thread

void THallNetwork::Run() {
    for (;;) {
        ReceiveFromTable();
        server_.AdvanceTo(Now());
        RunDueActions();
        DeliverToTable();
        {
            std::lock_guard lock(mutex_);
            if (stopRequested_) break;
        }
        WaitForWork();
    }
    if (log_.is_open()) log_.close();
    stopped_ = true;
}

void THallNetwork::ReceiveFromTable() {
    std::deque<std::vector<std::uint8_t>> frames;
    {
        std::lock_guard lock(mutex_);
        frames.swap(fromTable_);
    }
    for (const auto& frame : frames)
        server_.Receive(kOwnId, frame);
}

void THallNetwork::DeliverToTable() {
    while (!toTable_.empty()) {
        {
            std::lock_guard lock(mutex_);
            if (stopRequested_) return;
        }
        const std::vector<std::uint8_t> frame = std::move(toTable_.front());
        toTable_.pop_front();
        // Returns once the table's thread has decoded the frame; the buffer only has to live that long.
        if (FAILED(
                table_.PostCommand(std::int32_t(frame.size()), reinterpret_cast<const char*>(frame.data()))))
            ++refusedFrames_;
    }
}

void THallNetwork::RunDueActions() {
    const std::uint32_t now = Now();
    while (!actions_.empty() && actions_.begin()->first <= now) {
        auto action = std::move(actions_.begin()->second);
        actions_.erase(actions_.begin());
        action();
    }
}

void THallNetwork::WaitForWork() {
    std::uint32_t next = server_.NextEventTime();
    if (!actions_.empty()) next = std::min(next, actions_.begin()->first);
    const std::uint32_t now = Now();
    const std::uint32_t wait = next <= now ? 0 : std::min(next - now, kLongestWaitMs);
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(wait),
                   [this] { return stopRequested_ || !fromTable_.empty(); });
}

void THallNetwork::At(std::uint32_t time, std::function<void()> action) {
    actions_.emplace(time, std::move(action));
}

// [SECTION] Phases, the local player and the log

void THallNetwork::PhaseBegan(TGamePhase phase) {
    const int round = RoundOfPhase(server_, phase);
    if (finishing_ || (options_.Rounds > 0 && round > options_.Rounds)) return;
    const std::uint32_t shotAt = ShotTimeOfPhase(server_);
    if (options_.Record) {
        const std::string path =
            (std::filesystem::path(options_.OutDir) / PhaseShotName(round, phase)).string();
        At(shotAt, [this, path] {
            ++shotsRequested_;
            requests_.TakeShot(path);
        });
    }
    if (phase == TGamePhase::Settlement && round == options_.Rounds) {
        // After the last screenshot: the table's thread takes its requests in order.
        At(shotAt, [this] {
            finishing_ = true;
            requests_.Finish();
        });
    }
    if (phase == TGamePhase::Betting && options_.Strategy != TStrategy::None)
        for (std::uint32_t at : PlanOwnBetTimes(server_, random_))
            At(at, [this] { PlaceOwnBet(); });
}

void THallNetwork::PlaceOwnBet() {
    const auto* own = server_.FindUser(kOwnId);
    if (!own || server_.Phase() != TGamePhase::Betting || server_.Banker().IsBanker(kOwnId)) return;
    const std::int64_t staked = own->Staked();
    const std::int64_t room =
        std::min(own->Info.Beans - staked, server_.Settings().PersonalStakeCap - staked);
    std::vector<int> usable;
    for (int button = 0; button < kChipButtonCount; ++button)
        if (kChipValues[std::size_t(server_.Settings().ChipIndices[std::size_t(button)])] <= room)
            usable.push_back(button);
    if (usable.empty()) return;
    // Small chips more often than big ones.
    const int at = std::min(random_.Next(int(usable.size())), random_.Next(int(usable.size())));
    ++betsTried_;
    requests_.PlaceBet(usable[std::size_t(at)], ChooseRegion(options_.Strategy, random_));
}

void THallNetwork::RoundSettled(const server::TBaccaratServer::TRoundReport& report) {
    ++roundsPlayed_;
    betsAccepted_ += int(std::count_if(report.Bets.begin(), report.Bets.end(),
                                       [](const auto& bet) { return bet.UserId == kOwnId; }));
    const auto* own = server_.FindUser(kOwnId);
    const TOwnFigures figures{kOwnId, StakeOf(report, kOwnId), own ? own->Info.Beans : 0};
    if (log_.is_open()) {
        log_ << RoundLogEntry(
                    report, [this](std::int64_t id) { return NameOf(id); }, figures)
             << '\n';
        log_.flush();
    }
    if (!options_.Quiet) progress_ << RoundProgressLine(report, options_.Rounds, figures) << std::endl;
}

std::string THallNetwork::NameOf(std::int64_t userId) const {
    const auto* user = server_.FindUser(userId);
    return user ? FilteredNickName(user->Info) : std::string("?");
}

} // namespace morvane::tablesim
