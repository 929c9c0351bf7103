#pragma once

#include <array>
#include <cstdint>

// Where a round stands, as the table and the game server both speak of it. The server decides the phase
// and sends it as one byte of every scene; the host's game start and game over move the table to betting
// and back to free time between two scenes.
namespace morvane {

enum class TGamePhase : std::uint8_t {
    Free = 0, // between rounds: the banker queue moves, nobody bets
    Betting = 1,
    Dealing = 2,
    Settlement = 3, // the cards are shown and the round is paid
    // A scene's byte that names none of the four. The table shows no phase for it: no phase picture, no
    // new clock time or sound, no betting and no dealing, while the cards stay on the felt as they do from
    // dealing on.
    Unknown = 0xFF,
};

inline constexpr std::array<TGamePhase, 4> kGamePhases{TGamePhase::Free, TGamePhase::Betting,
                                                       TGamePhase::Dealing, TGamePhase::Settlement};

// The phase a scene's byte names; every byte past the four phases reads as Unknown.
constexpr TGamePhase GamePhaseFromByte(std::uint8_t byte) {
    return byte < kGamePhases.size() ? TGamePhase(byte) : TGamePhase::Unknown;
}

// The byte a scene carries for the phase (also the number of its "Time" picture).
constexpr std::uint8_t GamePhaseByte(TGamePhase phase) {
    return std::uint8_t(phase);
}

// The cards are dealt or shown: every phase but free time and betting.
constexpr bool CardsOnTable(TGamePhase phase) {
    return phase != TGamePhase::Free && phase != TGamePhase::Betting;
}

} // namespace morvane
