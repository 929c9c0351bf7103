// morvane-hall-ini FOLDER: writes the game's option file, as a hall ships it beside the library, into
// FOLDER (replacing one already there). The Windows package takes the file from here, so that the
// package and the simulators carry the same option file. Exit codes: 0 written, 1 not written, 2 usage.
#include "host/tablesim/HallGameIni.h"

#include <filesystem>
#include <iostream>
#include <system_error>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: morvane-hall-ini FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    // The simulators leave an option file that is there alone, as the table writes into it; a build
    // wants the file as shipped.
    std::filesystem::remove(folder / morvane::tablesim::HallGameIniName(), error);
    std::string failure;
    if (!morvane::tablesim::InstallHallGameIni(folder, failure)) {
        std::cerr << "morvane-hall-ini: " << failure << '\n';
        return 1;
    }
    return 0;
}
