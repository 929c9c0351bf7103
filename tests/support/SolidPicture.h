#pragma once

#include "base/Types.h"
#include "gui/PngImage.h"

namespace morvane::test {

// An opaque RGB picture of one colour, for skins and buttons whose pixels a test checks.
TPngImage SolidPicture(int width, int height, TColor colour);

} // namespace morvane::test
