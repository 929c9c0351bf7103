#pragma once

#include <array>
#include <cstdint>

namespace morvane {

// The ten chip values in ascending order, shared by the chip piles and the game records; chip picture
// i + 1 (MONEY01 … MONEY10) shows value i.
inline constexpr std::array<std::int64_t, 10> kChipValues{100,   500,    1000,   5000,    10000,
                                                          50000, 100000, 500000, 1000000, 5000000};

} // namespace morvane
