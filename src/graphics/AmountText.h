#pragma once

#include <cstdint>
#include <string>

namespace morvane {

// A large amount as the bars show it: the digits cut from the right into groups of four (at most four
// such groups), each group but the leading rest padded to four digits, every part followed by one space,
// and "-" in front of a negative amount. 123456789 reads "1 2345 6789 ".
std::string GroupedAmount(std::int64_t amount);

// The amount's plain decimal digits, as hints show it.
std::string PlainAmount(std::int64_t amount);

} // namespace morvane
