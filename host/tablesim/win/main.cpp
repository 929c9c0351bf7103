// morvane-tablesim on Windows: the table library registered for the current user and created through
// COM, its real window open, the simulated game server behind a hall host object, the server's frames
// pushed from a second thread as a hall's network thread pushes them. A person plays at the window; with
// --strategy the simulator lays chips itself, and with --out it writes a screenshot of every phase read
// back from the screen and the round log. Exit codes: 0 done (or the table was left), 1 the library, its
// window or the output failed, 2 bad command line.
#include "host/tablesim/SimOptions.h"
#include "host/tablesim/win/TWindowSimulator.h"

#include <iostream>

int main(int argc, char** argv) {
    using namespace morvane::tablesim;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << SimUsage(TSimProgram::Window);
        return 0;
    }
    std::string error;
    const auto options = ParseSimOptions(args, error, TSimProgram::Window);
    if (!options) {
        std::cerr << "morvane-tablesim: " << error << '\n' << SimUsage(TSimProgram::Window);
        return 2;
    }
    TWindowSimulator simulator(*options, std::cout);
    const bool played = simulator.Run(error);
    if (!played) {
        std::cerr << "morvane-tablesim: " << error << '\n';
        return 1;
    }
    if (!options->Quiet) {
        std::cout << "rounds: " << simulator.RoundsPlayed()
                  << (simulator.LeftEarly() ? " (the table was left)" : "")
                  << "\nown bets: " << simulator.OwnBetsTried() << " laid, " << simulator.OwnBetsAccepted()
                  << " accepted\n";
        if (options->Record)
            std::cout << "screenshots: " << simulator.ShotsWritten() << " in " << options->OutDir << '\n';
    }
    return 0;
}
