#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace morvane::hub {

// Text pieces several parts of the hub put into lines, names and markers.
std::string HexUpper(std::uint64_t value);
// "+5", "0", "-3".
std::string SignedText(std::int64_t value);
// "方位N用户", the name shown for a seat's user while names are hidden.
std::string SeatUserName(int seat);
std::string PadRight(std::string text, std::size_t width);

} // namespace morvane::hub
