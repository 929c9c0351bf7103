#include "graphics/AmountText.h"

#include <array>
#include <cstdio>

namespace morvane {

namespace {

constexpr std::uint64_t kGroupBase = 10000;
constexpr int kMostGroups = 4;

} // namespace

std::string GroupedAmount(std::int64_t amount) {
    // Unsigned, so that the most negative amount has a magnitude too.
    std::uint64_t rest = amount < 0 ? 0 - std::uint64_t(amount) : std::uint64_t(amount);
    std::array<unsigned, kMostGroups> groups{};
    int groupCount = 0;
    while (groupCount < kMostGroups && rest >= kGroupBase) {
        groups[std::size_t(groupCount++)] = unsigned(rest % kGroupBase);
        rest /= kGroupBase;
    }
    std::string text = amount < 0 ? "-" : "";
    text += std::to_string(rest) + " ";
    for (int i = groupCount - 1; i >= 0; --i) {
        char group[8];
        std::snprintf(group, sizeof group, "%04u ", groups[std::size_t(i)]);
        text += group;
    }
    return text;
}

std::string PlainAmount(std::int64_t amount) {
    return std::to_string(amount);
}

} // namespace morvane
