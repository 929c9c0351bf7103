#pragma once

#include "game/TwoEightPublic.h"

#include <cstdint>
#include <vector>

namespace morvane::server {

// The banker seat and the players waiting for it, in queue order: at most one banker and four waiting,
// as the banker list carries them. The queue only keeps order and checks the rules of joining, leaving
// and grabbing; the server moves beans and decides when a round ends.
class TBankerQueue {
public:
    enum class TVerdict {
        Accepted,
        AlreadyListed,
        QueueFull,
        NotEnoughBeans,
        NotListed,
        NotNow,
    };
    struct TSeat {
        std::int64_t UserId{0};
        std::int32_t Chair{kNoChair};
    };
    // What joining and grabbing cost.
    struct TRules {
        std::int64_t ApplyBeans{0};
        bool GrabAllowed{false};
        std::int64_t GrabPrice{0};
        std::int64_t KeepBeans{0};
        int GrabAfterRounds{0};
    };

    TBankerQueue() = default;
    explicit TBankerQueue(TRules rules) : rules_(rules) {}
    void SetRules(TRules rules) { rules_ = rules; }
    const TRules& Rules() const { return rules_; }

    bool HasBanker() const { return banker_.UserId > 0; }
    const TSeat& Banker() const { return banker_; }
    const std::vector<TSeat>& Waiting() const { return waiting_; }
    bool IsBanker(std::int64_t userId) const { return HasBanker() && banker_.UserId == userId; }
    bool IsWaiting(std::int64_t userId) const;
    bool Contains(std::int64_t userId) const { return IsBanker(userId) || IsWaiting(userId); }
    // The banker and the waiting players: 0..5.
    int Length() const { return int(waiting_.size()) + (HasBanker() ? 1 : 0); }
    // Entry 0 the banker (empty when there is none), then the waiting players; empty slots after them.
    TBankerList List() const;

    // Rounds the present banker has played and what the bank has won since the banker sat down.
    int Rounds() const { return rounds_; }
    std::int64_t Winnings() const { return winnings_; }
    void CountRound(std::int64_t bankerNet);
    bool StepDownPending() const { return stepDown_; }

    // Joins the end of the queue. With four already listed the beans must cover three times the price
    // of applying, the same test the table makes before it offers the button.
    TVerdict Apply(std::int64_t userId, std::int32_t chair, std::int64_t beans);
    // A waiting player leaves the queue at once; the banker is marked to step down when the round allows.
    TVerdict Withdraw(std::int64_t userId);
    // Whether `userId` may seize the bank now: grabbing allowed, a banker there who has played the rounds
    // after which grabbing is possible, not the grabber, no round running; beans for the price and what
    // the bank must keep.
    TVerdict CheckGrab(std::int64_t userId, std::int64_t beans, bool gameInProgress) const;
    // The grabber takes the seat (leaving the queue if waiting); the old banker leaves the list.
    TSeat Grab(std::int64_t userId, std::int32_t chair);

    // The banker leaves the seat (stepped down, broke or gone); nobody takes it yet.
    void ClearBanker();
    // With the seat empty, the first waiting player whom `canBank` accepts becomes banker; those it
    // refuses leave the queue. True when a new banker sat down.
    template <typename F>
    bool Promote(F canBank) {
        if (HasBanker()) return false;
        while (!waiting_.empty()) {
            TSeat next = waiting_.front();
            waiting_.erase(waiting_.begin());
            if (canBank(next.UserId)) {
                SeatBanker(next);
                return true;
            }
        }
        return false;
    }
    // A user who left the table leaves the queue; true when it was the banker.
    bool Remove(std::int64_t userId);

private:
    void SeatBanker(TSeat seat);

    TRules rules_;
    TSeat banker_{-1, kNoChair};
    std::vector<TSeat> waiting_;
    int rounds_{0};
    std::int64_t winnings_{0};
    bool stepDown_{false};
};

} // namespace morvane::server
