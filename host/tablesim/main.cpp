// morvane-tablesim: one table object with the test hall host and the simulated baccarat server, in
// virtual time on the headless platform. Writes a sheet per round (its four phases side by side), the
// round log and, with --every-phase, each phase's screenshot; with --scale N the screen asks for N times
// the size and the screenshots are as large. With --heap-from it reports what it saw at
// the table and the heap in use after that round and after the last (a soak). Exit codes: 0 done, 1 output
// could not be written, 2 bad command line.
#include "host/tablesim/SimOptions.h"
#include "host/tablesim/TableSimulator.h"

#include <iostream>

namespace {

// What a long run saw at the table and how the heap stood after the measured rounds.
void PrintSoakFigures(const morvane::tablesim::TTableSimulator& simulator) {
    std::cout << "table: " << simulator.RoundsPlayed() << " rounds, " << simulator.UsersEntered()
              << " users entered, " << simulator.UsersLeft() << " left, " << simulator.ChatLines()
              << " chat lines, " << simulator.BankerChanges() << " banker changes, "
              << simulator.CofferDeposits() << " coffer deposits, " << simulator.CofferWithdrawals()
              << " withdrawals, " << simulator.BalanceMismatches() << " balance mismatches\n";
    const auto& heap = simulator.HeapAfterRound();
    for (const auto& [round, bytes] : heap)
        std::cout << "heap after round " << round << ": " << bytes << " bytes\n";
    if (heap.size() == 2) {
        const long long growth =
            static_cast<long long>(heap.rbegin()->second) - static_cast<long long>(heap.begin()->second);
        std::cout << "heap growth from round " << heap.begin()->first << " to round " << heap.rbegin()->first
                  << ": " << growth << " bytes\n";
    }
}

} // namespace

int main(int argc, char** argv) {
    using namespace morvane::tablesim;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << SimUsage();
        return 0;
    }
    std::string error;
    const auto options = ParseSimOptions(args, error);
    if (!options) {
        std::cerr << "morvane-tablesim: " << error << '\n' << SimUsage();
        return 2;
    }
    TTableSimulator simulator(*options, std::cout);
    if (!simulator.Run(error)) {
        std::cerr << "morvane-tablesim: " << error << '\n';
        return 1;
    }
    if (options->HeapFrom > 0) PrintSoakFigures(simulator);
    if (!options->Quiet && options->Record)
        std::cout << "sheets: " << options->OutDir << "/round-001.png .. round-"
                  << (options->Rounds < 10    ? "00"
                      : options->Rounds < 100 ? "0"
                                              : "")
                  << options->Rounds << ".png\nlog: " << simulator.LogPath() << '\n';
    return 0;
}
