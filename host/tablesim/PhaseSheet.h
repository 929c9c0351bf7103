#pragma once

#include "gui/PngImage.h"

#include <array>
#include <string>

namespace morvane::tablesim {

// One round on one picture: the screenshots of its four phases (free, betting, dealing, settlement) side
// by side at half size, each under its caption, with a title line across the top. A phase without a
// screenshot leaves its place grey.
inline constexpr int kSheetPhases = 4;
TPngImage ComposeRoundSheet(const std::array<TPngImage, kSheetPhases>& shots, const std::string& gbkTitle);

} // namespace morvane::tablesim
