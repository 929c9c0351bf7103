#pragma once

#include "gui/Application.h"
#include "platform/headless/HeadlessPlatform.h"

#include <gtest/gtest.h>

namespace morvane::test {

// A fixture with the headless platform and the application running on it: virtual time, scripted input,
// screenshots. Everything the test creates is freed before the application goes.
class HeadlessTest : public ::testing::Test {
protected:
    THeadlessPlatform platform;
    TApplication app{platform};
};

// Writes a window's screenshot under the build folder's `screenshots/` and returns its path.
std::string SaveScreenshot(const THeadlessPlatform& platform, TWindowId window, const std::string& name);

} // namespace morvane::test
