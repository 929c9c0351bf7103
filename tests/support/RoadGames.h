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

// Fourteen games as the bars show them (player points, banker points, result code), for the pictures of
// bars that look like a table that has been open a while.
inline std::vector<TBarRoadEntry> SampleBarGames() {
    return {{7, 3, 0}, {2, 8, 2}, {6, 6, 4}, {9, 1, 1}, {4, 5, 3}, {8, 0, 0}, {3, 7, 2},
            {5, 5, 5}, {1, 9, 2}, {7, 6, 0}, {0, 8, 3}, {9, 2, 0}, {6, 7, 2}, {8, 4, 1}};
}

} // namespace morvane::test::roads
