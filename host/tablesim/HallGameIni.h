#pragma once

#include <filesystem>
#include <string>

namespace morvane::tablesim {

// The game's option file as a hall installs it beside the library: the level ladder by beans (shown in
// the user list, on the selected user's card and announced when a banker sits down), the chat actions,
// the user list's columns (the simulator's scores say little, its beans run to eight digits) and the
// title strip's links. An option file already there is left as it is: the table writes the
// player's own switches into it.
// False, with the reason in `error`, when the file cannot be written.
bool InstallHallGameIni(const std::filesystem::path& libraryFolder, std::string& error);

// "{0001035D-…}.ini": the table looks for its option file under its game identity.
std::string HallGameIniName();

} // namespace morvane::tablesim
