// Arbitrary bytes as a PNG picture and as a .bmp file: decoding must either fail cleanly or give a picture
// that can be composed and drawn without touching memory outside any buffer.

#include "graphics/PngImageProcessor.h"
#include "gui/BmpFile.h"
#include "gui/Canvas.h"
#include "gui/PngImage.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace {

// A refused file leaves the bitmap as it was and says why; a read one is drawn.
void CheckBmp(std::span<const std::uint8_t> bytes) {
    morvane::TBitmap bitmap(1, 1);
    std::string error;
    if (!morvane::LoadBmp(bytes, bitmap, error)) {
        if (error.empty() || bitmap.Width() != 1 || bitmap.PixelFormat() != morvane::TPixelFormat::pf32bit)
            __builtin_trap();
        return;
    }
    if (bitmap.Empty() || !error.empty()) __builtin_trap();
    morvane::TBitmap frame(16, 12);
    morvane::TCanvas canvas(frame);
    canvas.Draw(-3, -2, bitmap);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckBmp(std::span<const std::uint8_t>(data, size));

    // The program's own pictures are decoded without their checksums; damaged data must be as safe then.
    morvane::TPngImage unchecked;
    if (unchecked.LoadFromBytes(std::span<const std::uint8_t>(data, size),
                                morvane::TPngImage::TChecksums::Skip)) {
        morvane::TBitmap frame(16, 12);
        morvane::TCanvas canvas(frame);
        canvas.Draw(-3, -2, unchecked);
    } else if (!unchecked.Empty() || unchecked.Error().empty()) {
        __builtin_trap();
    }

    morvane::TPngImage picture;
    if (!picture.LoadFromBytes(std::span<const std::uint8_t>(data, size))) {
        if (!picture.Empty() || picture.Error().empty()) __builtin_trap();
        return 0;
    }
    if (picture.Empty() || !picture.Error().empty()) __builtin_trap();

    // The picture on both sides of a composition, at an offset and from an inner origin.
    morvane::TPngImage heap;
    morvane::MakeBlankPicture(24, 20, heap);
    morvane::ComposeOver(heap, picture, {3, 2, 24, 20}, {0, 0});
    morvane::ComposeOver(heap, picture, {0, 0, 24, 20}, {picture.Width() / 2, picture.Height() / 3});
    morvane::ComposeOver(picture, heap, {picture.Width() / 2, 1, picture.Width(), picture.Height()}, {1, 1});

    morvane::TBitmap frame(16, 12);
    morvane::TCanvas canvas(frame);
    canvas.Draw(-3, -2, picture);
    canvas.StretchDraw({2, 1, 15, 11}, picture);
    return 0;
}
