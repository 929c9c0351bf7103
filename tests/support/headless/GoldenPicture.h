#pragma once

#include "gui/PngImage.h"
#include "platform/headless/HeadlessPlatform.h"

#include <string>

namespace morvane::test {

// How a drawn picture differs from the one it should equal.
struct TPictureDifference {
    bool sameSize{true};
    long long pixels{0}; // pixels whose colour or alpha differ
    TRect bounds{};      // the smallest rectangle holding them
    // The expected picture washed out to a light grey, with every differing pixel in full red; empty when
    // the sizes differ.
    TPngImage picture;
};

// Compares two pictures pixel by pixel; a picture without alpha counts as opaque.
TPictureDifference ComparePictures(const TPngImage& actual, const TPngImage& expected);

// Fails, naming `name`, unless the PNG files `shot` and `golden` hold the same pixels; a difference of the
// same size is written to `diff` and counted in the failure. A `diff` of an earlier run is removed first.
void ExpectSamePicture(const std::string& name, const std::string& shot, const std::string& golden,
                       const std::string& diff);

// Compares a window's picture with tests/golden/<name>; with MORVANE_REFRESH_GOLDEN set it rewrites the
// golden picture instead and skips. The picture drawn is left under the build's screenshots/ to look at,
// and when it differs, the difference picture beside it (<name>-diff.png) and the count of differing
// pixels in the failure.
void ExpectGolden(const THeadlessPlatform& platform, TWindowId window, const std::string& name);

} // namespace morvane::test
