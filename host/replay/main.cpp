// morvane-replay SCRIPT: runs a table replay script and prints its transcript on standard output.
// Exit codes: 0 the script ran; 1 the script could not be read, a command failed while running, the
// table let an exception out, or it answered a host call with a failure (the transcript is printed all
// the same); 2 the script is malformed or uses a command out of order.
#include "host/replay/ReplayScript.h"
#include "host/replay/ReplaySession.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <system_error>

namespace {

int Replay(const std::filesystem::path& scriptPath) {
    using namespace morvane::replay;
    std::ifstream input(scriptPath);
    if (!input) {
        std::cerr << "morvane-replay: cannot read " << scriptPath.string() << '\n';
        return 1;
    }
    std::vector<TReplayCommand> commands;
    try {
        commands = ParseReplayScript(input);
    } catch (const TReplayScriptError& error) {
        std::cerr << scriptPath.string() << ": " << error.what() << '\n';
        return 2;
    } catch (const std::exception& error) {
        // An exception the table let out of a timer or a window message ends the replay, not the process.
        std::cerr << scriptPath.string() << ": the table failed: " << error.what() << '\n';
        return 1;
    }
    // The script's folder is the table's library folder (the game's INI file lies beside the script) and
    // the folder screenshots are written to. It is entered and named relatively, so that the paths in the
    // transcript do not depend on where the tree is checked out.
    std::error_code error;
    std::filesystem::current_path(std::filesystem::absolute(scriptPath).parent_path(), error);
    if (error) {
        std::cerr << "morvane-replay: cannot enter the folder of " << scriptPath.string() << ": "
                  << error.message() << '\n';
        return 1;
    }
    // Times the table writes (a screenshot's name) are read in UTC, the same on every machine.
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    TReplaySession session(std::cout, ".");
    try {
        session.Run(commands);
    } catch (const TReplayRunError& error) {
        std::cerr << scriptPath.string() << ": " << error.what() << '\n';
        return 1;
    } catch (const TReplayScriptError& error) {
        std::cerr << scriptPath.string() << ": " << error.what() << '\n';
        return 2;
    } catch (const std::exception& error) {
        // An exception the table let out of a timer or a window message ends the replay, not the process.
        std::cerr << scriptPath.string() << ": the table failed: " << error.what() << '\n';
        return 1;
    }
    // A host call the table answered with a failure is a fault of the table, not a transcript line.
    for (const std::string& refusal : session.Refusals())
        std::cerr << scriptPath.string() << ": " << refusal << '\n';
    return session.Refusals().empty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: morvane-replay SCRIPT\n";
        return 2;
    }
    return Replay(argv[1]);
}
