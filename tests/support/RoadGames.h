#pragma once

#include "graphics/GameResults.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

// Histories for the road tests, written as the results read: B, P, T and their King or same-point forms.
namespace morvane::test::roads {

inline constexpr std::uint8_t B = rcBanker, BK = rcBankerKing, P = rcPlayer, PK = rcPlayerKing, T = rcTie,
                              TS = rcSamePointTie;

inline TResultTableEntry Game(std::uint8_t code, bool bankerPair = false, bool playerPair = false) {
    return {code, std::uint8_t(bankerPair ? 1 : 0), std::uint8_t(playerPair ? 1 : 0)};
}

inline std::vector<TResultTableEntry> Games(std::initializer_list<std::uint8_t> codes) {
    std::vector<TResultTableEntry> games;
    for (std::uint8_t code : codes)
        games.push_back(Game(code));
    return games;
}

} // namespace morvane::test::roads
