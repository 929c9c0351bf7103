#pragma once

#include <cstdint>

namespace morvane {

// A small uniform generator with the classic linear congruential step, so that a fixed seed gives the
// same chip places and the same pictures on every platform.
class TRandom {
public:
    explicit TRandom(std::uint32_t seed = 0) : seed_(seed) {}

    void SetSeed(std::uint32_t seed) { seed_ = seed; }
    std::uint32_t Seed() const { return seed_; }

    // A whole number in 0 .. range - 1; 0 when range is not positive.
    std::int32_t Next(std::int32_t range);
    // A whole number in low .. high inclusive.
    std::int32_t Between(std::int32_t low, std::int32_t high);
    // A number in [0, 1).
    double NextDouble();

private:
    std::uint32_t Step() { return seed_ = seed_ * 134775813u + 1u; }

    std::uint32_t seed_;
};

} // namespace morvane
