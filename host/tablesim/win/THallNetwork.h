#pragma once

#include "base/Random.h"
#include "host/server/BaccaratServer.h"
#include "host/tablesim/RoundPlan.h"
#include "host/tablesim/SimOptions.h"
#include "plugin/QXOpenInterface_TLB.h"

#include <atomic>
// <condition_variable> brings the clocks; the whole <chrono> has literals that GBK cannot carry.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace morvane::tablesim {

// What the network thread asks of the table's thread. Each request is called on the network thread and
// must only pass the work on, never wait for it.
struct TWindowRequests {
    // Read the table's window from the screen into this PNG file.
    std::function<void(std::string path)> TakeShot;
    // Click chip button 0..5, then the middle of the bet region.
    std::function<void(int chipButton, std::uint8_t region)> PlaceBet;
    // The rounds asked for are played: close the table.
    std::function<void()> Finish;
};

// The hall's network thread with the game server at its other end: it runs the simulated server on the
// wall clock, hands every frame the server sends the table to the table's PostCommand from this thread
// (which waits until the table's own thread has taken it), and feeds the server what the table sent.
// Around the server's phases it asks the table's thread for screenshots and, with a strategy, for the
// local player's chips, and writes the round log.
class THallNetwork {
public:
    static constexpr std::int64_t kOwnId = kOwnPlayerId;

    THallNetwork(const TSimOptions& options, IQXOpenInterface& table, TWindowRequests requests,
                 std::ostream& progress);
    ~THallNetwork();
    THallNetwork(const THallNetwork&) = delete;
    THallNetwork& operator=(const THallNetwork&) = delete;

    // Opens the round log when the run records; false, with `error` set, when it cannot be written.
    bool OpenLog(std::string& error);
    // Seats the local player and starts the thread.
    void Start();
    // Asks the thread to end after the frame it is handing over.
    void RequestStop();
    // The thread has left its loop, or never ran: it will call the table no more.
    bool Stopped() const { return !thread_.joinable() || stopped_; }
    void Join();

    // A frame the table sent through the host's SendData; from any thread.
    void FromTable(std::vector<std::uint8_t> frame);

    // [What happened] (read after Join)
    int RoundsPlayed() const { return roundsPlayed_; }
    int ShotsRequested() const { return shotsRequested_; }
    int OwnBetsTried() const { return betsTried_; }
    int OwnBetsAccepted() const { return betsAccepted_; }
    // PostCommand calls the table failed.
    int RefusedFrames() const { return refusedFrames_; }
    std::string LogPath() const;

private:
    using TClock = std::chrono::steady_clock;

    void Run();
    std::uint32_t Now() const;
    void ReceiveFromTable();
    void DeliverToTable();
    void RunDueActions();
    void WaitForWork();
    void At(std::uint32_t time, std::function<void()> action);

    void PhaseBegan(TGamePhase phase);
    void PlaceOwnBet();
    void RoundSettled(const server::TBaccaratServer::TRoundReport& report);
    std::string NameOf(std::int64_t userId) const;

    TSimOptions options_;
    IQXOpenInterface& table_;
    TWindowRequests requests_;
    std::ostream& progress_;
    server::TBaccaratServer server_;
    TRandom random_;
    TClock::time_point start_{TClock::now()};
    std::ofstream log_;

    // Shared with the table's thread.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::vector<std::uint8_t>> fromTable_;
    bool stopRequested_{false};
    std::atomic<bool> stopped_{false};

    // The network thread's own.
    std::deque<std::vector<std::uint8_t>> toTable_;
    std::multimap<std::uint32_t, std::function<void()>> actions_;
    bool finishing_{false};
    int roundsPlayed_{0};
    int shotsRequested_{0};
    int betsTried_{0};
    int betsAccepted_{0};
    int refusedFrames_{0};

    std::thread thread_;
};

} // namespace morvane::tablesim
