// Costs of the table graphics as the game drives them: one chip dropped on a region's heap (random place,
// composition, invalidation) and one paint of the road window holding a full history.

#include "graphics/ResultTable.h"
#include "graphics/TemplateOverlapPng.h"
#include "gui/Application.h"
#include "gui/Bitmap.h"
#include "gui/Canvas.h"
#include "gui/Form.h"
#include "platform/headless/HeadlessPlatform.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

using namespace morvane;

// The Player field, the largest region.
constexpr int kRegionWidth = 243;
constexpr int kRegionHeight = 177;
constexpr int kChipsBeforeReset = 200;

void BM_AddOneChipToAPile(benchmark::State& state) {
    THeadlessPlatform platform;
    TApplication app{platform};
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* heap = form.Own(std::make_unique<TTemplateOverlapPng>(&form));
    heap->SetParent(&form);
    heap->SetBounds(10, 10, kRegionWidth, kRegionHeight);
    heap->SetCanvasSize(kRegionWidth, kRegionHeight);
    form.Show();
    platform.RunUntilIdle();
    const TChipPictures chips = LoadChipPictures();
    TRandom random(1);
    int placed = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlaceChip(*heap, chips, placed % 10, random));
        if (++placed == kChipsBeforeReset) {
            // A heap the client rebuilds holds at most 200 chips; clearing keeps the pile a playing size.
            state.PauseTiming();
            heap->Clear();
            placed = 0;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_AddOneChipToAPile);

// Paints the road window with 64 games (a streaky history that stays within the column road) into a
// framebuffer of its own size.
void BM_PaintRoadTableWith64Games(benchmark::State& state) {
    THeadlessPlatform platform;
    TApplication app{platform};
    TForm form(nullptr);
    form.SetBounds(0, 0, 501, 390);
    auto* table = form.Own(std::make_unique<TBJLResultTable>(&form));
    table->SetParent(&form);
    std::vector<TResultTableEntry> games;
    for (int game = 0; game < kRoadLength; ++game)
        games.push_back({std::uint8_t((game / 3) % 2 == 0 ? rcBanker : rcPlayer + game % 2),
                         std::uint8_t(game % 5 == 0), std::uint8_t(game % 7 == 0)});
    table->SetResults(games, int(games.size()));
    if (table->Count() != kRoadLength) state.SkipWithError("history did not fit the road");
    form.Show();
    platform.RunUntilIdle();
    TBitmap target;
    target.SetSize(table->Width(), table->Height());
    for (auto _ : state) {
        TCanvas canvas(target);
        table->PaintControl(canvas);
        benchmark::DoNotOptimize(target.Pixel(20, 200));
    }
}
BENCHMARK(BM_PaintRoadTableWith64Games);

} // namespace
