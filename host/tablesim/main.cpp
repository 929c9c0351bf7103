// morvane-tablesim: one table object with the test hall host and the simulated baccarat server, in
// virtual time on the headless platform. Writes a sheet per round (its four phases side by side), the
// round log and, with --every-phase, each phase's screenshot. Exit codes: 0 done, 1 output could not be
// written, 2 bad command line.
#include "host/tablesim/SimOptions.h"
#include "host/tablesim/TableSimulator.h"

#include <iostream>

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
    if (!options->Quiet)
        std::cout << "sheets: " << options->OutDir << "/round-001.png .. round-"
                  << (options->Rounds < 10    ? "00"
                      : options->Rounds < 100 ? "0"
                                              : "")
                  << options->Rounds << ".png\nlog: " << simulator.LogPath() << '\n';
    return 0;
}
