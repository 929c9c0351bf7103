#include "host/tablesim/TableSimulator.h"

#include "form/FormPluginClient.h"
#include "form/TableClasses.h"
#include "game/TwoEightClient.h"
#include "graphics/CofferDrawMoneyFrm.h"
#include "graphics/CofferSaveMoneyFrm.h"
#include "gui/BitmapPicture.h"
#include "gui/Button.h"
#include "gui/Edit.h"
#include "gui/Form.h"
#include "host/tablesim/HallGameIni.h"
#include "host/tablesim/RoundLog.h"
#include "host/tablesim/RoundPlan.h"
#include "panels/HallSkin.h"
#include "plugin/PluginInterface50.h"
#include "ui/PluginPictureButton.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
#define MORVANE_SIM_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVANE_SIM_ASAN 1
#endif
#endif
#ifdef MORVANE_SIM_ASAN
// The sanitizer's own count of what the program has allocated and not yet freed (its allocator replaces
// the system's, whose figures then stay empty). Declared here: not every compiler ships its header.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace morvane::tablesim {
namespace {

// Host frames the simulator counts on their way to the table.
constexpr std::uint8_t kKindTable = 3, kKindUserEnters = 10, kKindUserLeaves = 12;
constexpr std::uint8_t kCmdChat = 67;
constexpr std::size_t kKindAt = 0, kCmdAt = 9;

// How often the local player goes to the coffer in a round's free time, in percent, and how much of the
// hand or the coffer it moves, in percent, in whole hundreds.
constexpr int kCofferChance = 40;
constexpr std::int64_t kCofferShare = 20;
constexpr std::int64_t kCofferStep = 100;
// The player goes to the coffer this long into the free time, leaving the rest of it for the dialog.
constexpr std::uint32_t kCofferDelay = 600;
// What the server takes for the local player's security answer.
constexpr const char* kSecurityAnswer = "上海";

std::int64_t ThreadCpuMicros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::int64_t(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

} // namespace

std::size_t HeapInUse() {
#ifdef MORVANE_SIM_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    // Blocks in the heap and the large blocks the allocator maps on their own.
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

bool TSimPlatform::ProcessOneMessage(bool wait) {
    if (THeadlessPlatform::ProcessOneMessage(false)) return true;
    if (!wait) return false;
    if (OnModalWait && OnModalWait()) return true;
    return THeadlessPlatform::ProcessOneMessage(true);
}

void TTableSimulator::TReleaseTable::operator()(TPluginInterface50* table) const {
    table->Release();
}

TTableSimulator::TTableSimulator(TSimOptions options, std::ostream& progress)
    : options_(std::move(options)), progress_(progress), server_(ServerSettingsFor(options_), options_.Seed),
      random_(options_.Seed * 2654435761u + 17u) {
    std::error_code ignored;
    const std::filesystem::path out = std::filesystem::absolute(options_.OutDir, ignored);
    platform_.SetLibraryFolder(out.string() + "/");
    platform_.SetScreenFactor(options_.Scale);
    RegisterTableClasses();
    host_.SetFaceImages(MakeFaceList(faceOwner_));
    host_.OnSendData = [this](const TTestHallHost::TSentFrame& frame) {
        if (frame.cookie == kCookie) toServer_.push_back(frame.bytes);
    };
    server_.OnPhase = [this](TGamePhase phase) { PhaseBegan(phase); };
    server_.OnRoundSettled = [this](const server::TBaccaratServer::TRoundReport& report) {
        RoundSettled(report);
    };
    platform_.OnModalWait = [this] { return AnswerCofferDialog(); };
}

TTableSimulator::~TTableSimulator() {
    if (table_) table_->Finalize();
    table_.reset();
    UnregisterTableClasses();
}

TTwoEightClient* TTableSimulator::Client() const {
    auto* form = table_ ? dynamic_cast<TFormPluginClient*>(table_->Form()) : nullptr;
    return form ? dynamic_cast<TTwoEightClient*>(form->GameClient()) : nullptr;
}

std::string TTableSimulator::LogPath() const {
    return (std::filesystem::path(options_.OutDir) / "rounds.log").string();
}

std::string TTableSimulator::SheetPath(int round) const {
    char name[32];
    std::snprintf(name, sizeof name, "round-%03d.png", round);
    return (std::filesystem::path(options_.OutDir) / name).string();
}

std::string TTableSimulator::ShotPath(int round, TGamePhase phase) const {
    return (std::filesystem::path(options_.OutDir) / "shots" / PhaseShotName(round, phase)).string();
}

// [SECTION] Running

bool TTableSimulator::Run(std::string& error) {
    // The output folder is the table's library folder too: the hall's option file goes there.
    if (!options_.OutDir.empty()) {
        std::error_code fault;
        std::filesystem::create_directories(options_.OutDir, fault);
        if (!fault && options_.Record && options_.EveryPhase)
            std::filesystem::create_directories(options_.OutDir + "/shots", fault);
        if (fault) {
            error = "cannot create " + options_.OutDir + ": " + fault.message();
            return false;
        }
        if (!InstallHallGameIni(options_.OutDir, error)) return false;
    }
    if (options_.Record) {
        log_.open(LogPath(), std::ios::trunc);
        if (!log_) {
            error = "cannot write " + LogPath();
            return false;
        }
    }
    OpenTable();
    if (options_.Bots > 0) server_.EnableBots(options_.Bots);
    server_.Start(platform_.Now());
    server_.Connect(kOwnId, kOwnNickName, kOwnStartBeans, kOwnStartCoffer,
                    [this](const std::vector<std::uint8_t>& frame) { toTable_.push_back(frame); });
    Pump();
    while (!finished_ && !failed_)
        Step();
    log_.close();
    if (failed_) error = error_;
    return !failed_;
}

void TTableSimulator::OpenTable() {
    table_.reset(TPluginInterface50::Create());
    table_->SetRequestInterface(&host_);
    const std::int64_t ownId = kOwnId;
    table_->Initialize(kCookie, "百家乐 模拟桌", &ownId, kOwnNickName, 0, 0, 0, 0);
    platform_.RunUntilIdle();
}

void TTableSimulator::Pump() {
    // Each side's answer may cause more frames for the other; a table and a server that kept answering
    // each other for ever would be a fault, so the hand-over is bounded.
    for (int rounds = 0; rounds < 1000 && (!toTable_.empty() || !toServer_.empty()); ++rounds) {
        while (!toTable_.empty()) {
            const std::vector<std::uint8_t> frame = std::move(toTable_.front());
            toTable_.pop_front();
            CountFrameToTable(frame);
            const std::int64_t start = ThreadCpuMicros();
            table_->PostCommand(std::int32_t(frame.size()), reinterpret_cast<const char*>(frame.data()));
            platform_.RunUntilIdle();
            worstFrame_ = std::max(worstFrame_, ThreadCpuMicros() - start);
        }
        while (!toServer_.empty()) {
            const std::vector<std::uint8_t> frame = std::move(toServer_.front());
            toServer_.pop_front();
            server_.Receive(kOwnId, frame);
        }
    }
    CountServerChanges();
}

void TTableSimulator::Step() {
    std::uint32_t next = server_.NextEventTime();
    if (!actions_.empty()) next = std::min(next, actions_.begin()->first);
    if (next == UINT32_MAX) {
        failed_ = true;
        error_ = "the table came to a standstill";
        return;
    }
    AdvanceClockTo(next);
    server_.AdvanceTo(platform_.Now());
    Pump();
    if (settled_) {
        const server::TBaccaratServer::TRoundReport report = *settled_;
        settled_.reset();
        // Written once the table has taken the round's frames, so its own figures are the new ones.
        const std::int64_t stake = StakeOf(report, kOwnId);
        const TTwoEightClient* client = Client();
        const std::int64_t balance = client ? client->MyBeans() : 0;
        const auto* own = server_.FindUser(kOwnId);
        if (own && own->Info.Beans != balance) ++balanceMismatches_;
        if (options_.Record) {
            log_ << RoundLogEntry(report, [this](std::int64_t id) { return NameOf(id); },
                                  {kOwnId, stake, balance})
                 << '\n';
            log_.flush();
        }
        ++roundsLogged_;
        if (!options_.Quiet)
            progress_ << RoundProgressLine(report, options_.Rounds, {kOwnId, stake, balance}) << std::endl;
        DrainRecords();
        if (options_.HeapFrom > 0 && (roundsLogged_ == options_.HeapFrom || roundsLogged_ == options_.Rounds))
            heapAfterRound_[roundsLogged_] = HeapInUse();
    }
    RunDueActions();
}

void TTableSimulator::AdvanceClockTo(std::uint32_t time) {
    while (platform_.Now() < time) {
        std::uint32_t step = time - platform_.Now();
        if (options_.TimeSliceMs > 0) step = std::min(step, options_.TimeSliceMs);
        // Most slices only move the clock; reading the thread's CPU clock is a system call, which around
        // thousands of empty slices would cost more than the table's own work in them.
        if (!platform_.HasWorkWithin(step)) {
            platform_.AdvanceBy(step);
            continue;
        }
        const std::int64_t start = ThreadCpuMicros();
        platform_.AdvanceBy(step);
        worstStep_ = std::max(worstStep_, ThreadCpuMicros() - start);
    }
}

void TTableSimulator::RunDueActions() {
    while (!actions_.empty() && actions_.begin()->first <= platform_.Now() && !failed_) {
        auto action = std::move(actions_.begin()->second);
        actions_.erase(actions_.begin());
        action();
        Pump();
    }
}

void TTableSimulator::At(std::uint32_t time, std::function<void()> action) {
    actions_.emplace(std::max(time, platform_.Now()), std::move(action));
}

// [SECTION] Phases and screenshots

void TTableSimulator::PhaseBegan(TGamePhase phase) {
    // The free time before a round belongs to that round.
    const int round = RoundOfPhase(server_, phase);
    if (round > options_.Rounds) return;
    At(ShotTimeOfPhase(server_), [this, round, phase] {
        TakeShot(round, phase);
        if (phase == TGamePhase::Settlement) FinishRound(round);
    });
    if (phase == TGamePhase::Free && options_.CofferUse) PlanCofferUse();
    if (phase == TGamePhase::Betting) PlanOwnBets();
    if (OnPhase) OnPhase(phase);
}

void TTableSimulator::TakeShot(int round, TGamePhase phase) {
    platform_.RunUntilIdle();
    if (!options_.Record) return;
    TForm* form = table_ ? table_->Form() : nullptr;
    const TBitmap* screen = form ? platform_.Screenshot(form->WindowId()) : nullptr;
    if (!screen || screen->Empty()) return;
    TPngImage& shot = shots_[round][GamePhaseByte(phase)];
    shot = PictureOfBitmap(*screen);
    if (options_.EveryPhase && !shot.SaveToFile(ShotPath(round, phase))) {
        failed_ = true;
        error_ = "cannot write " + ShotPath(round, phase);
    }
}

void TTableSimulator::RoundSettled(const server::TBaccaratServer::TRoundReport& report) {
    // Only who sits at the table now: the bots that came and went over a long run are not kept.
    names_.clear();
    for (const auto& user : server_.Users())
        names_[user->Id()] = FilteredNickName(user->Info);
    settled_ = report;
}

void TTableSimulator::FinishRound(int round) {
    if (!options_.Record) {
        finished_ = round >= options_.Rounds;
        return;
    }
    const TTwoEightClient* client = Client();
    std::string title = "第 " + std::to_string(round) + " 局";
    if (client) {
        title += "    " + std::string(ResultName(client->Scene().LastResultCode));
        title += "    庄 " + std::to_string(client->Scene().LastPointsA) + " 点 : 闲 " +
                 std::to_string(client->Scene().LastPointsB) + " 点";
        title += "    本方余额 " + std::to_string(client->MyBeans());
    }
    const TPngImage sheet = ComposeRoundSheet(shots_[round], title);
    shots_.erase(round);
    if (!sheet.SaveToFile(SheetPath(round))) {
        failed_ = true;
        error_ = "cannot write " + SheetPath(round);
        return;
    }
    ++sheetsWritten_;
    if (round >= options_.Rounds) finished_ = true;
}

std::string TTableSimulator::NameOf(std::int64_t userId) const {
    const auto found = names_.find(userId);
    return found == names_.end() ? std::string("?") : found->second;
}

// [SECTION] The local player

void TTableSimulator::PlanOwnBets() {
    if (options_.Strategy == TStrategy::None) return;
    for (std::uint32_t at : PlanOwnBetTimes(server_, random_))
        At(at, [this] { PlaceOwnBet(); });
}

void TTableSimulator::PlaceOwnBet() {
    TTwoEightClient* client = Client();
    if (!client || client->Phase() != TGamePhase::Betting || client->IAmBanker()) return;
    const std::int64_t room = std::min(client->MyBeans() - client->PlayerStake(),
                                       client->Scene().PersonalStakeCap - client->PlayerStake());
    const std::optional<int> button = ChooseChipButton(room);
    if (!button) return;
    ++betsTried_;
    TPictureButton& chip = client->ChipButton(*button);
    ClickAt({chip.Left() + chip.Width() / 2, chip.Top() + chip.Height() / 2});
    if (client->TableCursor() == TTwoEightClient::kNormalCursor) return;
    const auto* own = server_.FindUser(kOwnId);
    const std::int64_t before = own ? own->Staked() : 0;
    ClickAt(kRegionPoints[ChooseRegion(options_.Strategy, random_)]);
    Pump();
    own = server_.FindUser(kOwnId);
    if (own && own->Staked() > before) ++betsAccepted_;
}

std::optional<int> TTableSimulator::ChooseChipButton(std::int64_t room) {
    TTwoEightClient* client = Client();
    std::vector<int> usable;
    for (int i = 0; i < kChipButtonCount; ++i) {
        const TPictureButton& chip = client->ChipButton(i);
        if (chip.Visible() && chip.Enabled() && kChipValues[std::size_t(chip.Tag())] <= room)
            usable.push_back(i);
    }
    if (usable.empty()) return std::nullopt;
    // Small chips more often than big ones.
    const int at = std::min(random_.Next(int(usable.size())), random_.Next(int(usable.size())));
    return usable[std::size_t(at)];
}

void TTableSimulator::ClickAt(TPoint tablePoint) {
    TForm* form = table_->Form();
    platform_.Click(platform_.ScreenPixelOf(form->ClientToScreen(tablePoint)));
    platform_.RunUntilIdle();
}

// [SECTION] The coffer

void TTableSimulator::PlanCofferUse() {
    if (random_.Next(100) >= kCofferChance) return;
    At(server_.PhaseStartedAt() + kCofferDelay, [this] { UseCoffer(); });
}

void TTableSimulator::UseCoffer() {
    TTwoEightClient* client = Client();
    const auto* own = server_.FindUser(kOwnId);
    if (!client || !own || server_.Phase() != TGamePhase::Free) return;
    // Into the coffer when the hand is the larger, out of it otherwise.
    const bool deposit = own->Info.Beans >= own->Coffer;
    TPictureButton& button = deposit ? client->SaveButton() : client->DrawButton();
    if (!button.Visible() || !button.Enabled()) return;
    cofferDialogTried_ = nullptr;
    ClickControl(button);
}

// The local player fills in the coffer dialog that waits for it and confirms; when the dialog refuses
// what it was given, the player cancels. Any other waiting window is left to the clock.
bool TTableSimulator::AnswerCofferDialog() {
    TTwoEightClient* client = Client();
    if (!client) return false;
    TFormCofferSaveMoney& save = client->SaveDialog();
    TFormCofferDrawMoney& draw = client->DrawDialog();
    TCofferDialog* dialog = save.Modal()   ? static_cast<TCofferDialog*>(&save)
                            : draw.Modal() ? static_cast<TCofferDialog*>(&draw)
                                           : nullptr;
    if (!dialog) return false;
    if (cofferDialogTried_ == dialog) {
        ClickControl(*dialog->ButtonCancel);
        cofferDialogTried_ = nullptr;
        return true;
    }
    cofferDialogTried_ = dialog;
    const auto* own = server_.FindUser(kOwnId);
    const std::int64_t from = own ? (dialog == &save ? own->Info.Beans : own->Coffer) : 0;
    const std::int64_t amount =
        std::max(server_.Settings().CofferMinAmount, from * kCofferShare / 100 / kCofferStep * kCofferStep);
    if (dialog == &save) {
        TypeInto(*save.EditSaveAmount, std::to_string(amount));
        ClickControl(*save.ButtonSave);
    } else {
        TypeInto(*draw.EditDrawAmount, std::to_string(amount));
        TypeInto(*draw.EditAnswer, kSecurityAnswer);
        ClickControl(*draw.ButtonDraw);
    }
    return true;
}

void TTableSimulator::TypeInto(TControl& control, const std::string& gbkText) {
    ClickControl(control);
    platform_.Type(gbkText);
}

void TTableSimulator::ClickControl(TControl& control) {
    platform_.Click(
        platform_.ScreenPixelOf(control.ClientToScreen({control.Width() / 2, control.Height() / 2})));
    platform_.RunUntilIdle();
}

// [SECTION] What the simulator counts and what it lets go

void TTableSimulator::CountFrameToTable(const std::vector<std::uint8_t>& frame) {
    if (frame.size() <= kKindAt) return;
    if (frame[kKindAt] == kKindUserEnters) ++usersEntered_;
    if (frame[kKindAt] == kKindUserLeaves) ++usersLeft_;
    if (frame[kKindAt] == kKindTable && frame.size() > kCmdAt && frame[kCmdAt] == kCmdChat) ++chatLines_;
}

void TTableSimulator::CountServerChanges() {
    const std::int64_t banker = server_.Banker().Banker().UserId;
    if (banker != lastBanker_ && banker > 0) ++bankerChanges_;
    lastBanker_ = banker;
    const auto* own = server_.FindUser(kOwnId);
    if (!own) return;
    if (lastCoffer_ >= 0 && own->Coffer > lastCoffer_) ++cofferDeposits_;
    if (lastCoffer_ >= 0 && own->Coffer < lastCoffer_) ++cofferWithdrawals_;
    lastCoffer_ = own->Coffer;
}

void TTableSimulator::DrainRecords() {
    platform_.TakeEffects();
    host_.ClearRecords();
}

} // namespace morvane::tablesim
