#include "host/server/BaccaratShoe.h"

#include <utility>

namespace morvane::server {

TBaccaratShoe::TBaccaratShoe(std::uint32_t seed) : random_(seed) {
    cards_.reserve(kCards);
    for (int deck = 0; deck < kDecks; ++deck)
        for (int code = 0; code < 52; ++code)
            cards_.push_back(code);
    Shuffle();
}

void TBaccaratShoe::Shuffle() {
    // Fisher-Yates over the whole shoe.
    for (int i = kCards - 1; i > 0; --i)
        std::swap(cards_[std::size_t(i)], cards_[std::size_t(random_.Next(i + 1))]);
    next_ = 0;
    ++shoes_;
}

int TBaccaratShoe::Draw() {
    if (next_ >= kCards) Shuffle();
    return cards_[std::size_t(next_++)];
}

} // namespace morvane::server
