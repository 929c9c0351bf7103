#include "plugin/HubFormat.h"

#include <cstdio>

namespace morvane::hub {

std::string HexUpper(std::uint64_t value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(value));
    return buffer;
}

std::string SignedText(std::int64_t value) {
    return value > 0 ? "+" + std::to_string(value) : std::to_string(value);
}

std::string SeatUserName(int seat) {
    return "方位" + std::to_string(seat + 1) + "用户";
}

std::string PadRight(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

} // namespace morvane::hub
