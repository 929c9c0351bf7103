#include "host/server/BankerQueue.h"

#include <algorithm>

namespace morvane::server {

bool TBankerQueue::IsWaiting(std::int64_t userId) const {
    return std::any_of(waiting_.begin(), waiting_.end(),
                       [userId](const TSeat& seat) { return seat.UserId == userId; });
}

TBankerList TBankerQueue::List() const {
    TBankerList list{};
    if (HasBanker()) list[0] = {banker_.UserId, banker_.Chair};
    for (std::size_t i = 0; i < waiting_.size() && i + 1 < list.size(); ++i)
        list[i + 1] = {waiting_[i].UserId, waiting_[i].Chair};
    return list;
}

void TBankerQueue::CountRound(std::int64_t bankerNet) {
    if (!HasBanker()) return;
    ++rounds_;
    winnings_ += bankerNet;
}

TBankerQueue::TVerdict TBankerQueue::Apply(std::int64_t userId, std::int32_t chair, std::int64_t beans) {
    if (Contains(userId)) return TVerdict::AlreadyListed;
    const int length = Length();
    if (length >= kBankerListLength || waiting_.size() >= std::size_t(kBankerListLength - 1))
        return TVerdict::QueueFull;
    const std::int64_t needed = length == kBankerListLength - 1 ? 3 * rules_.ApplyBeans : rules_.ApplyBeans;
    if (beans < needed) return TVerdict::NotEnoughBeans;
    waiting_.push_back({userId, chair});
    return TVerdict::Accepted;
}

TBankerQueue::TVerdict TBankerQueue::Withdraw(std::int64_t userId) {
    if (IsBanker(userId)) {
        stepDown_ = true;
        return TVerdict::Accepted;
    }
    const auto found = std::find_if(waiting_.begin(), waiting_.end(),
                                    [userId](const TSeat& seat) { return seat.UserId == userId; });
    if (found == waiting_.end()) return TVerdict::NotListed;
    waiting_.erase(found);
    return TVerdict::Accepted;
}

TBankerQueue::TVerdict TBankerQueue::CheckGrab(std::int64_t userId, std::int64_t beans,
                                               bool gameInProgress) const {
    if (!rules_.GrabAllowed || !HasBanker() || IsBanker(userId) || gameInProgress ||
        rounds_ < rules_.GrabAfterRounds)
        return TVerdict::NotNow;
    if (beans < rules_.KeepBeans + rules_.GrabPrice) return TVerdict::NotEnoughBeans;
    return TVerdict::Accepted;
}

TBankerQueue::TSeat TBankerQueue::Grab(std::int64_t userId, std::int32_t chair) {
    const TSeat previous = banker_;
    std::erase_if(waiting_, [userId](const TSeat& seat) { return seat.UserId == userId; });
    SeatBanker({userId, chair});
    return previous;
}

void TBankerQueue::ClearBanker() {
    banker_ = {-1, kNoChair};
    rounds_ = 0;
    winnings_ = 0;
    stepDown_ = false;
}

bool TBankerQueue::Remove(std::int64_t userId) {
    if (IsBanker(userId)) {
        ClearBanker();
        return true;
    }
    std::erase_if(waiting_, [userId](const TSeat& seat) { return seat.UserId == userId; });
    return false;
}

void TBankerQueue::SeatBanker(TSeat seat) {
    banker_ = seat;
    rounds_ = 0;
    winnings_ = 0;
    stepDown_ = false;
}

} // namespace morvane::server
