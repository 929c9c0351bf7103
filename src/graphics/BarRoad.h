#pragma once

#include "graphics/GameResults.h"

#include <cstdint>

namespace morvane {

// Games a strip shows at a time.
inline constexpr int kBarStripColumns = 10;

// The bottom bar's arrows tell the top bar the strip's new first game with this message, so that both
// strips scroll together.
inline constexpr std::uint32_t kBarScrollMessage = 0x0400 + 101; // 1125

// The first game shown when `count` games are stored: the newest stays in the last column.
constexpr int NewestInView(int count) {
    return count > kBarStripColumns ? count - kBarStripColumns : 0;
}

} // namespace morvane
