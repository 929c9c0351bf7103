#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <type_traits>

// Arithmetic on amounts, counts and times that come from the server: any value of a field may arrive, so
// a sum, difference or product that leaves its type is held at the type's end instead of wrapping (or,
// for signed types, being undefined).
namespace morvane {

template <typename T>
constexpr T ClampedAdd(T a, T b) {
    static_assert(std::is_integral_v<T>);
    T result{};
    if (!__builtin_add_overflow(a, b, &result)) return result;
    return b > 0 ? std::numeric_limits<T>::max() : std::numeric_limits<T>::min();
}

template <typename T>
constexpr T ClampedSub(T a, T b) {
    static_assert(std::is_integral_v<T>);
    T result{};
    if (!__builtin_sub_overflow(a, b, &result)) return result;
    return b < 0 ? std::numeric_limits<T>::max() : std::numeric_limits<T>::min();
}

// The exact sum of weight × value over the terms, held to the 64-bit range only at the end, so that large
// terms of opposite signs cancel as they should. Each value is split into its signed upper and unsigned
// lower 32 bits; the weighted sums of the halves stay far inside 64 bits for weights of magnitude below
// 2^24 and up to 64 terms.
inline std::int64_t ClampedWeightedSum(std::span<const int> weights, std::span<const std::int64_t> values) {
    constexpr std::int64_t kHalf = std::int64_t(1) << 32;
    std::int64_t high = 0;
    std::int64_t low = 0;
    for (std::size_t i = 0; i < weights.size() && i < values.size(); ++i) {
        high += std::int64_t(weights[i]) * (values[i] >> 32);
        low += std::int64_t(weights[i]) * (values[i] & (kHalf - 1));
    }
    // The sum is high * 2^32 + low; with 0 <= low < 2^32 the upper part alone tells whether it fits.
    high += low >> 32;
    low &= kHalf - 1;
    if (high > (std::numeric_limits<std::int64_t>::max() >> 32))
        return std::numeric_limits<std::int64_t>::max();
    if (high < (std::numeric_limits<std::int64_t>::min() >> 32))
        return std::numeric_limits<std::int64_t>::min();
    return std::int64_t(std::uint64_t(high) << 32 | std::uint64_t(low));
}

// Whether a + b, computed exactly, is above `limit`. (Comparing a held sum would let a sum past the
// largest value pass a limit that is the largest value.)
inline bool SumAbove(std::int64_t a, std::int64_t b, std::int64_t limit) {
    const std::array<int, 3> weights{1, 1, -1};
    const std::array<std::int64_t, 3> values{a, b, limit};
    return ClampedWeightedSum(weights, values) > 0;
}

// Whether `value` is at least factor × amount, computed exactly.
inline bool AtLeastTimes(std::int64_t value, int factor, std::int64_t amount) {
    const std::array<int, 2> weights{1, -factor};
    const std::array<std::int64_t, 2> values{value, amount};
    return ClampedWeightedSum(weights, values) >= 0;
}

// What the player has on the table: the positive stakes added up, held at the largest amount. A negative
// stake from the server is no money on the table and cannot cancel one that is.
template <std::size_t N>
std::int64_t StakeSum(const std::array<std::int64_t, N>& stakes) {
    std::int64_t sum = 0;
    for (std::int64_t stake : stakes)
        if (stake > 0) sum = ClampedAdd(sum, stake);
    return sum;
}

} // namespace morvane
