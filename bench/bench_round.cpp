// One whole round of the real table against the simulated server in virtual time, with 200 bets from 20
// players: the CPU time of the round, and of the worst single step of virtual time (the table's timers
// due in 10 ms) and the worst single frame handed to the table, each of which must stay within 30 ms.
// The round's time runs from the table's first free phase to the end of the settlement; opening the table
// before it (creating the form and decoding every picture) is counted apart, as open_ms, and the whole
// run as total_ms.
#include "game/TwoEightClient.h"
#include "gui/Form.h"
#include "host/tablesim/TableSimulator.h"

#include <benchmark/benchmark.h>
#include <ctime>
#include <sstream>

namespace {

using morvane::tablesim::TSimOptions;
using morvane::tablesim::TStrategy;
using morvane::tablesim::TTableSimulator;

constexpr int kBets = 200;
constexpr int kBettors = 20;
constexpr std::int64_t kBankerId = 90000;
constexpr std::int64_t kFirstBettor = 90001;
constexpr double kTimerBudgetMs = 30.0;

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

const morvane::TForm* TableForm(const TTableSimulator& simulator) {
    const morvane::TTwoEightClient* client = simulator.Client();
    return client ? client->ParentForm() : nullptr;
}

void PlanBets(TTableSimulator& simulator) {
    auto& server = simulator.Server();
    const std::uint32_t start = server.PhaseStartedAt() + 200;
    const std::uint32_t spacing = (server.PhaseEndsAt() - start - 800) / kBets;
    for (int i = 0; i < kBets; ++i) {
        const std::int64_t bettor = kFirstBettor + i % kBettors;
        const std::uint8_t region = std::uint8_t(i % 3 == 0 ? 2 : i % 7 == 0 ? 4 : 0);
        server.Schedule(start + std::uint32_t(i) * spacing,
                        [&server, bettor, region] { server.PlaceBet(bettor, region, 1000); });
    }
}

void BM_WholeRoundWith200Bets(benchmark::State& state) {
    double worstStepMs = 0;
    double worstFrameMs = 0;
    double openMs = 0;
    double totalMs = 0;
    int accepted = 0;
    int paints = 0;
    long long paintedPixels = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TSimOptions options;
        options.Rounds = 1;
        options.Bots = 0;
        options.Strategy = TStrategy::None;
        options.Record = false;
        options.Quiet = true;
        options.TimeSliceMs = 10;
        std::ostringstream progress;
        auto simulator = std::make_unique<TTableSimulator>(options, progress);
        auto& server = simulator->Server();
        server.AddBot(kBankerId, "庄家", 900000000);
        server.ApplyBanker(kBankerId);
        for (int i = 0; i < kBettors; ++i)
            server.AddBot(kFirstBettor + i, "玩家" + std::to_string(i), 10000000);
        double roundStart = -1;
        int paintsBefore = 0;
        long long pixelsBefore = 0;
        simulator->OnPhase = [&](morvane::TGamePhase phase) {
            if (roundStart < 0) {
                if (const morvane::TForm* form = TableForm(*simulator)) {
                    paintsBefore = form->PaintCount();
                    pixelsBefore = form->PaintedPixels();
                }
                roundStart = ThreadCpuSeconds();
            }
            if (phase == morvane::TGamePhase::Betting) PlanBets(*simulator);
        };
        state.ResumeTiming();

        const double runStart = ThreadCpuSeconds();
        std::string error;
        if (!simulator->Run(error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        const double runEnd = ThreadCpuSeconds();

        state.PauseTiming();
        if (roundStart < 0) {
            state.SkipWithError("the table never reached its free phase");
            return;
        }
        state.SetIterationTime(runEnd - roundStart);
        openMs = std::max(openMs, (roundStart - runStart) * 1000);
        totalMs = std::max(totalMs, (runEnd - runStart) * 1000);
        accepted = 0;
        for (const auto& user : server.Users())
            for (std::int64_t stake : user->Stakes)
                accepted += int(stake / 1000);
        if (const morvane::TForm* form = TableForm(*simulator)) {
            paints = form->PaintCount() - paintsBefore;
            paintedPixels = form->PaintedPixels() - pixelsBefore;
        }
        worstStepMs = std::max(worstStepMs, simulator->WorstStepMicros() / 1000.0);
        worstFrameMs = std::max(worstFrameMs, simulator->WorstFrameMicros() / 1000.0);
        simulator.reset();
        state.ResumeTiming();
    }
    state.counters["bets"] = accepted;
    state.counters["worst_step_ms"] = worstStepMs;
    state.counters["worst_frame_ms"] = worstFrameMs;
    state.counters["open_ms"] = openMs;
    state.counters["total_ms"] = totalMs;
    // How much of the window the round repainted: rectangles painted and their pixels, in millions.
    state.counters["paints"] = paints;
    state.counters["painted_mpx"] = double(paintedPixels) / 1e6;
    if (accepted != kBets)
        state.SkipWithError(("only " + std::to_string(accepted) + " of the 200 bets were accepted").c_str());
    else if (worstStepMs > kTimerBudgetMs || worstFrameMs > kTimerBudgetMs)
        state.SkipWithError("a timer step or a frame took more than 30 ms of CPU");
}
// The reported time is the round's thread CPU time (manual time), not the wall clock.
BENCHMARK(BM_WholeRoundWith200Bets)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

} // namespace
