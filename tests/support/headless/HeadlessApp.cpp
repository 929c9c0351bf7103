#include "support/headless/HeadlessApp.h"

#include <filesystem>

namespace morvane::test {

std::string SaveScreenshot(const THeadlessPlatform& platform, TWindowId window, const std::string& name) {
    std::filesystem::create_directories("screenshots");
    std::string path = (std::filesystem::current_path() / "screenshots" / name).string();
    EXPECT_TRUE(platform.WriteScreenshot(window, path)) << "could not write " << path;
    return path;
}

} // namespace morvane::test
