#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace morvane::tablesim {

// Where the local player lays its chips.
enum class TStrategy { Banker, Player, Tie, Random, None };

struct TSimOptions {
    int Rounds{5};
    std::uint32_t Seed{1};
    int Bots{8};
    std::string OutDir{"tablesim-out"};
    // Keep every phase's screenshot as a file of its own besides the round sheets.
    bool EveryPhase{false};
    bool Quiet{false};
    TStrategy Strategy{TStrategy::Random};
    // Off: no screenshots, sheets or log (measurements of the table and the server alone).
    bool Record{true};
    // Above 0: virtual time moves at most this many milliseconds at a step, so that the CPU time of each
    // step is that of the few timers due in it.
    std::uint32_t TimeSliceMs{0};
};

inline constexpr int kMaxBots = 150;

// The command line after the program name. Nothing, and a message naming the fault, for an unknown flag,
// a flag without its value or a value out of range.
std::optional<TSimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error);

std::string SimUsage();

} // namespace morvane::tablesim
