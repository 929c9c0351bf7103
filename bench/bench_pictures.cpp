// Costs of the picture operations the chip heaps use: composing one chip picture onto a heap picture and
// making a fresh transparent heap picture.

#include "graphics/PngImageProcessor.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

using morvane::TPngImage;

constexpr int kChipWidth = 49;
constexpr int kChipHeight = 47;
constexpr int kHeapWidth = 220;
constexpr int kHeapHeight = 170;

// A round chip: opaque inside, a soft one-pixel rim of partial alpha, transparent corners.
TPngImage MakeChip() {
    TPngImage chip(kChipWidth, kChipHeight, true);
    const double cx = (kChipWidth - 1) / 2.0, cy = (kChipHeight - 1) / 2.0, radius = 22.5;
    for (int y = 0; y < kChipHeight; ++y) {
        std::uint8_t* p = chip.Scanline(y);
        for (int x = 0; x < kChipWidth; ++x, p += 4) {
            const double distance = std::hypot(x - cx, y - cy);
            const double coverage = std::clamp(radius + 0.5 - distance, 0.0, 1.0);
            p[0] = std::uint8_t(180 + x);
            p[1] = std::uint8_t(40 + 3 * y);
            p[2] = std::uint8_t(60);
            p[3] = std::uint8_t(coverage * 255 + 0.5);
        }
    }
    return chip;
}

// The heap picture already holds a few half-transparent chips, as a heap in play does.
TPngImage MakeHeap(const TPngImage& chip) {
    TPngImage heap;
    morvane::MakeBlankPicture(kHeapWidth, kHeapHeight, heap);
    for (int i = 0; i < 12; ++i) {
        const int x = (i * 37) % (kHeapWidth - kChipWidth), y = (i * 53) % (kHeapHeight - kChipHeight);
        morvane::ComposeOver(heap, chip, morvane::Bounds(x, y, kChipWidth, kChipHeight), {0, 0});
    }
    return heap;
}

void BM_ComposeChipOntoHeap(benchmark::State& state) {
    const TPngImage chip = MakeChip();
    const TPngImage start = MakeHeap(chip);
    TPngImage heap = start;
    int step = 0;
    for (auto _ : state) {
        const int x = (step * 29) % (kHeapWidth - kChipWidth), y = (step * 31) % (kHeapHeight - kChipHeight);
        morvane::ComposeOver(heap, chip, morvane::Bounds(x, y, kChipWidth, kChipHeight), {0, 0});
        benchmark::DoNotOptimize(heap.Scanline(y));
        if (++step == 64) {
            // Keep the heap from filling up with opaque chips, which would only time the opaque path; the
            // copy adds about a 64th of a 150 KB memcpy to each step.
            heap = start;
            step = 0;
        }
    }
}
BENCHMARK(BM_ComposeChipOntoHeap)->Unit(benchmark::kMicrosecond);

void BM_MakeBlankHeapPicture(benchmark::State& state) {
    TPngImage picture;
    for (auto _ : state) {
        morvane::MakeBlankPicture(kHeapWidth, kHeapHeight, picture);
        benchmark::DoNotOptimize(picture.Scanline(0));
    }
}
BENCHMARK(BM_MakeBlankHeapPicture)->Unit(benchmark::kMicrosecond);

// The written form of the same picture and its decoding, for comparison.
void BM_WriteAndDecodeBlankStream(benchmark::State& state) {
    TPngImage picture;
    for (auto _ : state) {
        const std::vector<std::uint8_t> stream = morvane::WriteBlankPictureStream(kHeapWidth, kHeapHeight);
        picture.LoadFromBytes(stream);
        benchmark::DoNotOptimize(picture.Scanline(0));
    }
}
BENCHMARK(BM_WriteAndDecodeBlankStream)->Unit(benchmark::kMicrosecond);

} // namespace
