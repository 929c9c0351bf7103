#pragma once

#include "platform/headless/HeadlessPlatform.h"

#include <string>

namespace morvane::test {

// Compares a window's picture with tests/golden/<name>; with MORVANE_REFRESH_GOLDEN set it rewrites the
// golden picture instead and skips. The picture drawn is left under the build's screenshots/ to look at.
void ExpectGolden(const THeadlessPlatform& platform, TWindowId window, const std::string& name);

} // namespace morvane::test
