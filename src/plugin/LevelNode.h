#pragma once

#include <cstdint>
#include <string>

namespace morvane {

// One level of the game's INI file: the name held from this score (or bean count) up.
struct TLevelNode {
    std::int64_t Score{0};
    std::string Name;
};

} // namespace morvane
