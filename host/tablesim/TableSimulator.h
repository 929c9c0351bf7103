#pragma once

#include "gui/Application.h"
#include "gui/Component.h"
#include "gui/PngImage.h"
#include "host/TestHallHost.h"
#include "host/server/BaccaratServer.h"
#include "host/tablesim/PhaseSheet.h"
#include "host/tablesim/RoundPlan.h"
#include "host/tablesim/SimOptions.h"
#include "platform/headless/HeadlessPlatform.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace morvane {
class TControl;
class TForm;
class TPluginInterface50;
class TTwoEightClient;
} // namespace morvane

namespace morvane::tablesim {

// The headless platform as the simulator runs it: before a modal window of the table lets the clock run
// on by itself (the server would fall behind), the simulated player may answer it.
class TSimPlatform final : public THeadlessPlatform {
public:
    // True when it did something about the waiting window.
    std::function<bool()> OnModalWait;
    bool ProcessOneMessage(bool wait) override;
};

// The heap the process has in use, in bytes: the allocator's figure (the sanitizer's under ASan).
std::size_t HeapInUse();

// One real table object, created through the table's COM surface exactly as a hall host creates it, with
// the test hall host and the simulated server behind it, all in the headless platform's virtual time.
//
// The clock: the simulator asks the server when it next has work (a phase change, a bot's move) and
// the local player when it next acts, advances the platform's virtual clock to the earlier of the two
// (every table timer due on the way fires in order), then lets the server catch up to that same tick. So
// the table and the server share one clock and a seed gives the same run every time.
//
// Frames are queued both ways and handed over between those steps, never from inside a call of the
// other side, as a hall host hands them over from its network thread.
class TTableSimulator {
public:
    // Above 10000: lower identities are the message categories of the chat.
    static constexpr std::int64_t kOwnId = kOwnPlayerId;
    static constexpr std::int64_t kCookie = 0x5A17;

    TTableSimulator(TSimOptions options, std::ostream& progress);
    ~TTableSimulator();
    TTableSimulator(const TTableSimulator&) = delete;
    TTableSimulator& operator=(const TTableSimulator&) = delete;

    // Plays the rounds. False, with `error` set, when the output folder or a file in it cannot be written.
    bool Run(std::string& error);

    // [What happened]
    int RoundsPlayed() const { return roundsLogged_; }
    int OwnBetsTried() const { return betsTried_; }
    int OwnBetsAccepted() const { return betsAccepted_; }
    int SheetsWritten() const { return sheetsWritten_; }
    // Rounds whose balance on the table differed from the server's record of it.
    int BalanceMismatches() const { return balanceMismatches_; }
    std::string LogPath() const;
    std::string SheetPath(int round) const;
    TTwoEightClient* Client() const;
    server::TBaccaratServer& Server() { return server_; }
    THeadlessPlatform& Platform() { return platform_; }
    // The most CPU time one step of virtual time (the timers due in it) and one frame handed to the
    // table took, in microseconds.
    std::int64_t WorstStepMicros() const { return worstStep_; }
    std::int64_t WorstFrameMicros() const { return worstFrame_; }
    // What happened at the table around the local player: users who came and went, chat lines, changes
    // of the banker, and the local player's coffer operations the server carried out.
    int UsersEntered() const { return usersEntered_; }
    int UsersLeft() const { return usersLeft_; }
    int ChatLines() const { return chatLines_; }
    int BankerChanges() const { return bankerChanges_; }
    int CofferDeposits() const { return cofferDeposits_; }
    int CofferWithdrawals() const { return cofferWithdrawals_; }
    // The heap in use after each measured round (HeapFrom and the last), in bytes.
    const std::map<int, std::size_t>& HeapAfterRound() const { return heapAfterRound_; }
    // Called when the server begins a phase, after the simulator planned its own moves for it.
    std::function<void(TGamePhase phase)> OnPhase;

private:
    struct TReleaseTable {
        void operator()(TPluginInterface50* table) const;
    };

    void OpenTable();
    void Pump();
    void Step();
    void RunDueActions();
    void At(std::uint32_t time, std::function<void()> action);
    void AdvanceClockTo(std::uint32_t time);

    void PhaseBegan(TGamePhase phase);
    void PlanOwnBets();
    void PlaceOwnBet();
    void ClickAt(TPoint tablePoint);
    std::optional<int> ChooseChipButton(std::int64_t room);

    void PlanCofferUse();
    void UseCoffer();
    bool AnswerCofferDialog();
    void TypeInto(TControl& control, const std::string& gbkText);
    void ClickControl(TControl& control);
    void CountFrameToTable(const std::vector<std::uint8_t>& frame);
    void CountServerChanges();
    // Forgets what the simulator keeps of the round (the platform's effects, the host's records), so that
    // only the table's own memory stays.
    void DrainRecords();

    void TakeShot(int round, TGamePhase phase);
    void RoundSettled(const server::TBaccaratServer::TRoundReport& report);
    void FinishRound(int round);
    std::string NameOf(std::int64_t userId) const;
    std::string ShotPath(int round, TGamePhase phase) const;

    TSimOptions options_;
    std::ostream& progress_;
    TSimPlatform platform_;
    TApplication app_{platform_};
    // Owns the hall's face list, which the table draws the selected player's face from.
    TComponent faceOwner_{nullptr};
    TTestHallHost host_;
    server::TBaccaratServer server_;
    std::unique_ptr<TPluginInterface50, TReleaseTable> table_;
    TRandom random_;

    std::deque<std::vector<std::uint8_t>> toTable_;
    std::deque<std::vector<std::uint8_t>> toServer_;
    std::multimap<std::uint32_t, std::function<void()>> actions_;

    std::map<int, std::array<TPngImage, kSheetPhases>> shots_;
    std::optional<server::TBaccaratServer::TRoundReport> settled_;
    std::map<std::int64_t, std::string> names_;
    std::ofstream log_;
    bool finished_{false};
    bool failed_{false};
    std::string error_;
    int roundsLogged_{0};
    int betsTried_{0};
    int betsAccepted_{0};
    int sheetsWritten_{0};
    int balanceMismatches_{0};
    std::int64_t worstStep_{0};
    std::int64_t worstFrame_{0};
    int usersEntered_{0};
    int usersLeft_{0};
    int chatLines_{0};
    int bankerChanges_{0};
    std::int64_t lastBanker_{0};
    std::int64_t lastCoffer_{-1};
    int cofferDeposits_{0};
    int cofferWithdrawals_{0};
    // The coffer dialog the player has filled in, to give up on it when it refuses the input.
    const TForm* cofferDialogTried_{nullptr};
    std::map<int, std::size_t> heapAfterRound_;
};

} // namespace morvane::tablesim
