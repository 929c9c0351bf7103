#pragma once

#include <cstdint>
#include <span>

namespace morvane {

// A read-only view of bytes: a frame, a record or a part of one.
using TBytes = std::span<const std::uint8_t>;

} // namespace morvane
