#pragma once

#include "base/Random.h"

#include <cstdint>
#include <vector>

namespace morvane::server {

// Eight decks shuffled together (416 cards) with a cut card near the end: the shoe is dealt to the cut
// card, and the round that reaches it is the last one before a fresh shuffle.
class TBaccaratShoe {
public:
    static constexpr int kDecks = 8;
    static constexpr int kCards = kDecks * 52;
    // How many cards lie behind the cut card.
    static constexpr int kBehindCut = 16;

    explicit TBaccaratShoe(std::uint32_t seed);

    // The next card code 0..51. A shoe dealt out to its last card is shuffled anew first, so a draw
    // always succeeds.
    int Draw();
    // True once the cut card has come out; the table shuffles before the next round.
    bool CutCardReached() const { return next_ >= kCards - kBehindCut; }
    void Shuffle();

    int CardsLeft() const { return kCards - next_; }
    int ShoeNumber() const { return shoes_; }

private:
    TRandom random_;
    std::vector<int> cards_;
    int next_{0};
    int shoes_{0};
};

} // namespace morvane::server
