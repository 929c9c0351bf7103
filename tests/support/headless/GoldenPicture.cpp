#include "support/headless/GoldenPicture.h"

#include "support/headless/HeadlessApp.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace morvane::test {
namespace {

using TRgba = std::array<std::uint8_t, 4>;

TRgba PixelAt(const TPngImage& picture, int x, int y) {
    const std::uint8_t* p = picture.Scanline(y) + std::size_t(x) * std::size_t(picture.BytesPerPixel());
    return {p[0], p[1], p[2], picture.HasAlpha() ? p[3] : std::uint8_t(255)};
}

// A light grey of the pixel's brightness, so that the red marks stand out over a recognisable table.
void WashOut(std::uint8_t* out, const TRgba& pixel) {
    const int grey = (pixel[0] * 30 + pixel[1] * 59 + pixel[2] * 11) / 100;
    const auto light = std::uint8_t(160 + grey * 80 / 255);
    out[0] = out[1] = out[2] = light;
}

void Mark(std::uint8_t* out) {
    out[0] = 255;
    out[1] = 0;
    out[2] = 0;
}

std::string DiffPath(const std::string& shot) {
    std::filesystem::path path(shot);
    return (path.parent_path() / (path.stem().string() + "-diff.png")).string();
}

} // namespace

TPictureDifference ComparePictures(const TPngImage& actual, const TPngImage& expected) {
    TPictureDifference difference;
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height()) {
        difference.sameSize = false;
        return difference;
    }
    difference.picture.SetSize(expected.Width(), expected.Height(), false);
    int left = expected.Width(), top = expected.Height(), right = 0, bottom = 0;
    for (int y = 0; y < expected.Height(); ++y) {
        std::uint8_t* out = difference.picture.Scanline(y);
        for (int x = 0; x < expected.Width(); ++x, out += 3) {
            const TRgba want = PixelAt(expected, x, y);
            if (PixelAt(actual, x, y) == want) {
                WashOut(out, want);
                continue;
            }
            Mark(out);
            ++difference.pixels;
            left = std::min(left, x);
            top = std::min(top, y);
            right = std::max(right, x + 1);
            bottom = std::max(bottom, y + 1);
        }
    }
    if (difference.pixels > 0) difference.bounds = {left, top, right, bottom};
    return difference;
}

void ExpectSamePicture(const std::string& name, const std::string& shot, const std::string& golden,
                       const std::string& diff) {
    std::error_code ignored;
    std::filesystem::remove(diff, ignored); // a difference of an earlier run says nothing about this one
    TPngImage actual;
    TPngImage expected;
    ASSERT_TRUE(actual.LoadFromFile(shot)) << actual.Error();
    ASSERT_TRUE(expected.LoadFromFile(golden))
        << expected.Error() << "\nmake it with scripts/refresh-golden after checking " << shot;
    const TPictureDifference difference = ComparePictures(actual, expected);
    if (!difference.sameSize) {
        ADD_FAILURE() << name << " is drawn " << actual.Width() << " x " << actual.Height()
                      << " pixels, its golden picture is " << expected.Width() << " x " << expected.Height()
                      << "; look at " << shot;
        return;
    }
    if (difference.pixels == 0) return;
    const std::string where = difference.picture.SaveToFile(diff)
                                  ? "; the differences are red in " + diff
                                  : "; no difference picture, " + diff + " cannot be written";
    const TRect& b = difference.bounds;
    ADD_FAILURE() << name << " draws differently: " << difference.pixels << " of "
                  << (long long)expected.Width() * expected.Height() << " pixels differ, within (" << b.left
                  << ", " << b.top << ") to (" << b.right << ", " << b.bottom << "); look at " << shot
                  << where << "; if the change is meant, run scripts/refresh-golden";
}

void ExpectGolden(const THeadlessPlatform& platform, TWindowId window, const std::string& name) {
    const std::string golden =
        (std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "golden" / name)
            .string();
    const std::string shot = SaveScreenshot(platform, window, name);
    if (std::getenv("MORVANE_REFRESH_GOLDEN")) {
        std::filesystem::copy_file(shot, golden, std::filesystem::copy_options::overwrite_existing);
        GTEST_SKIP() << "golden picture rewritten: " << golden;
    }
    ExpectSamePicture(name, shot, golden, DiffPath(shot));
}

} // namespace morvane::test
