#include "base/Random.h"

namespace morvane {

std::int32_t TRandom::Next(std::int32_t range) {
    std::uint32_t value = Step();
    if (range <= 0) return 0;
    return std::int32_t((std::uint64_t(value) * std::uint32_t(range)) >> 32);
}

std::int32_t TRandom::Between(std::int32_t low, std::int32_t high) {
    if (high < low) return low;
    return low + Next(high - low + 1);
}

double TRandom::NextDouble() {
    return double(Step()) / 4294967296.0;
}

} // namespace morvane
