// How fast the table reads what the server sends: a full scene (every field, both texts) and the notices
// that arrive many times a round.
#include "game/GameNotices.h"
#include "game/TableScene.h"

#include <benchmark/benchmark.h>

namespace morvane {
namespace {

TTableScene FullScene() {
    TTableScene s;
    s.GameInProgress = true;
    s.BankerList = {{{1001, 12}, {1002, 47}, {1003, 199}, {1004, 0}, {-1, kNoChair}}};
    for (int r = 0; r < kRegionCount; ++r) {
        s.OwnStakes[r] = 100 * (r + 1);
        s.TotalStakes[r] = 100000 * (r + 1);
        s.AcceptableAmounts[r] = 3000000000LL + r;
    }
    for (int g = 0; g < kRoadLength; ++g) {
        auto code = std::uint8_t(g % kResultCodeCount);
        s.BarRoad[g] = {std::uint8_t(g % 10), std::uint8_t((g + 3) % 10), code};
        s.ResultRoad[g] = {code, std::uint8_t(g % 3 == 0), std::uint8_t(g % 4 == 0)};
    }
    s.ResultRoadCount = kRoadLength;
    s.PlayerCards = "Aax";
    s.BankerCards = "M1";
    s.LastResultCode = rcPlayerKing;
    s.Phase = TGamePhase::Betting;
    s.StatusText = "请下注，庄家坐庄第11局";
    s.NoBankerText = "暂时无人坐庄";
    s.ChipIndices = {0, 2, 4, 6, 8, 9};
    s.GrabAllowed = true;
    s.GrabPrice = 3000000;
    return s;
}

void BM_ReadFullScene(benchmark::State& state) {
    const auto bytes = WriteTableScene(FullScene());
    TTableScene scene;
    for (auto _ : state) {
        ReadTableScene(bytes, scene);
        benchmark::DoNotOptimize(scene);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * std::int64_t(bytes.size()));
}
BENCHMARK(BM_ReadFullScene);

void BM_ReadCutScene(benchmark::State& state) {
    auto bytes = WriteTableScene(FullScene());
    bytes.resize(bytes.size() / 2);
    TTableScene scene;
    for (auto _ : state) {
        try {
            ReadTableScene(bytes, scene);
        } catch (const ERangeCheckError&) {
        }
        benchmark::DoNotOptimize(scene);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadCutScene);

void BM_ReadBetNotice(benchmark::State& state) {
    const auto bytes = TBetNotice{1002, 50000, brTie, 150000, 910000, 8}.Write();
    for (auto _ : state)
        benchmark::DoNotOptimize(TBetNotice::Read(bytes));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadBetNotice);

} // namespace
} // namespace morvane
