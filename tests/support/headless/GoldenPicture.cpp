#include "support/headless/GoldenPicture.h"

#include "gui/PngImage.h"
#include "support/headless/HeadlessApp.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace morvane::test {

void ExpectGolden(const THeadlessPlatform& platform, TWindowId window, const std::string& name) {
    const std::string golden =
        (std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "golden" / name)
            .string();
    const std::string shot = SaveScreenshot(platform, window, name);
    if (std::getenv("MORVANE_REFRESH_GOLDEN")) {
        std::filesystem::copy_file(shot, golden, std::filesystem::copy_options::overwrite_existing);
        GTEST_SKIP() << "golden picture rewritten: " << golden;
    }
    TPngImage actual;
    TPngImage expected;
    ASSERT_TRUE(actual.LoadFromFile(shot)) << actual.Error();
    ASSERT_TRUE(expected.LoadFromFile(golden))
        << expected.Error() << "\nmake it with scripts/refresh-golden after checking " << shot;
    EXPECT_TRUE(actual == expected) << name << " draws differently; look at " << shot
                                    << " and, if the change is meant, run scripts/refresh-golden";
}

} // namespace morvane::test
