#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace morvane::tablesim {

// Where the local player lays its chips.
enum class TStrategy { Banker, Player, Tie, Random, None };

// The two simulators: headless in virtual time, or the real library's window in real time.
enum class TSimProgram { Headless, Window };

struct TSimOptions {
    // The window simulator plays until its window is closed when this is 0.
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
    // Seconds of the free, betting, dealing and settlement phases; 0 keeps the server's own.
    std::array<int, 4> PhaseSeconds{};
    // The window simulator's library; empty: Morvane.dll beside the program.
    std::string LibraryPath;
    // The local player now and then deposits into the coffer or draws from it through its dialogs.
    bool CofferUse{false};
    // Above 0: the heap in use is taken after this round and after the last one, the simulator's own
    // records drained first, so that the figures are the table's.
    int HeapFrom{0};
    // The factor the simulated screen asks the table's windows to be shown at (1 to 3); the screenshots
    // are as large as the screen shows them.
    int Scale{1};
};

inline constexpr int kMaxBots = 150;
inline constexpr int kMaxPhaseSeconds = 600;

// The command line after the program name. Nothing, and a message naming the fault, for an unknown flag,
// a flag without its value or a value out of range. The window simulator records nothing unless given
// --out, lets the person at the window bet unless given --strategy, and takes --rounds 0 (play on).
std::optional<TSimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error,
                                           TSimProgram program = TSimProgram::Headless);

std::string SimUsage(TSimProgram program = TSimProgram::Headless);

} // namespace morvane::tablesim
