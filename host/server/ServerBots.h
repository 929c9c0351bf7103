#pragma once

#include "game/GamePhase.h"

#include <cstdint>
#include <string>
#include <vector>

namespace morvane::server {

class TBaccaratServer;

// The computer's players at a simulated table. They enter and sit, bet with the table's chips within
// every limit while bets are taken, now and then chat, queue for the bank and step down again, and
// sometimes leave between rounds, when a newcomer takes their place. Everything they do is scheduled on
// the server's clock and drawn from its random generator, so a seed gives the same table every time.
class TServerBots {
public:
    TServerBots(TBaccaratServer& server, int count) : server_(server), count_(count) {}

    // Seats the bots at once.
    void Populate();
    // Plans what the bots do in the phase that just began.
    void PhaseStarted(TGamePhase phase);

    int Count() const { return count_; }

private:
    void AddOne();
    void PlanFreeTime();
    void OfferToBank();
    void PlanBets();
    void Bet(std::int64_t botId);
    void SayOneLine(std::int64_t botId);
    std::vector<std::int64_t> BotIds() const;
    // A moment inside the current phase, clear of its first and last half second.
    std::uint32_t SomeTimeInPhase();

    TBaccaratServer& server_;
    int count_{0};
    std::int64_t nextId_{100001};
    int nextName_{0};
};

} // namespace morvane::server
