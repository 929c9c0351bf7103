// Costs of the table's main window: starting one table as the hall does (object, host, Initialize, until
// the first frame is painted), what one table and ten tables in one process hold in memory, and one
// repaint of the whole window next to a plain copy of its frame.

#include "form/FormPluginClient.h"
#include "form/TableClasses.h"
#include "gui/Application.h"
#include "host/TestHallHost.h"
#include "platform/headless/HeadlessPlatform.h"
#include "plugin/PluginInterface50.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <malloc.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

using namespace morvane;

// Table markers are shared by every table of the process; each table of the benchmark takes a cookie of
// its own.
std::int64_t NextCookie() {
    static std::int64_t counter = 0;
    return 660000000 + std::int64_t(::getpid()) * 100000 + ++counter;
}

struct TReleaseTable {
    void operator()(TPluginInterface50* table) const { table->Release(); }
};
using TTable = std::unique_ptr<TPluginInterface50, TReleaseTable>;

TTable OpenTable(THeadlessPlatform& platform, TTestHallHost& host) {
    TTable table(TPluginInterface50::Create());
    table->SetRequestInterface(&host);
    const std::int64_t me = 1001;
    table->Initialize(NextCookie(), "百家乐", &me, "玩家甲", 0, 0, 0, 0);
    platform.RunUntilIdle();
    return table;
}

// Blocks in the heap and blocks the allocator maps on their own (the large ones, above its mmap
// threshold): counting only the first missed a fresh process's pixel buffers.
std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Opens and releases tables one after the other. Whether the next table's megabytes come from memory the
// process already holds or fresh from the system is the allocator's choice (glibc gives the top of its
// heap back when a table leaves enough free there), and on this kind of machine a page fault is dear:
// each variant fixes that choice so that one run is comparable with the next.
//   held:  what one table frees stays in the process for the next one (a hall that opens tables all
//          day), so the figure is the table's own start-up work;
//   fresh: the process gives all free memory back before every start, so every page the table touches
//          is a page fault, as for the first table of a process.
void StartTablesOneAfterAnother(benchmark::State& state, bool freshMemory) {
    THeadlessPlatform platform;
    TApplication app{platform};
    TTestHallHost host;
    RegisterTableClasses();
    for (auto _ : state) {
        TTable table = OpenTable(platform, host);
        benchmark::DoNotOptimize(table->Form()->PaintCount());
        state.PauseTiming();
        table.reset();
        platform.RunUntilIdle();
        if (freshMemory) malloc_trim(0);
        state.ResumeTiming();
    }
}

void BM_StartTableToFirstFrame(benchmark::State& state) {
    // Large blocks from the heap, and the heap's top kept: freed tables leave their pages in the process.
    // The setting stays for the rest of the run; the memory counters count blocks of either kind.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    StartTablesOneAfterAnother(state, false);
}
BENCHMARK(BM_StartTableToFirstFrame)->Unit(benchmark::kMillisecond);

void BM_StartTableToFirstFrameFreshMemory(benchmark::State& state) {
    StartTablesOneAfterAnother(state, true);
}
BENCHMARK(BM_StartTableToFirstFrameFreshMemory)->Unit(benchmark::kMillisecond);

// The heap one table and ten tables hold once started, as counters (bytes). What the first table holds
// includes the pictures every table of the process shares; each further table adds only its own.
void BM_TableMemory(benchmark::State& state) {
    THeadlessPlatform platform;
    TApplication app{platform};
    TTestHallHost host;
    RegisterTableClasses();
    const int tables = int(state.range(0));
    std::size_t held = 0;
    std::size_t first = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        std::vector<TTable> open;
        for (int i = 0; i < tables; ++i) {
            open.push_back(OpenTable(platform, host));
            if (i == 0) first = HeapInUse() - before;
        }
        held = HeapInUse() - before;
        open.clear();
        platform.RunUntilIdle();
    }
    state.counters["heap_bytes"] = double(held);
    state.counters["heap_bytes_per_table"] = double(held) / tables;
    state.counters["heap_bytes_first_table"] = double(first);
    if (tables > 1) state.counters["heap_bytes_per_further_table"] = double(held - first) / (tables - 1);
}
BENCHMARK(BM_TableMemory)->Arg(1)->Arg(10)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_RepaintWholeWindow(benchmark::State& state) {
    THeadlessPlatform platform;
    TApplication app{platform};
    TTestHallHost host;
    RegisterTableClasses();
    TTable table = OpenTable(platform, host);
    TForm& form = *table->Form();
    for (auto _ : state) {
        form.InvalidateFormRect(form.ClientRect());
        form.PaintPending();
    }
}
BENCHMARK(BM_RepaintWholeWindow)->Unit(benchmark::kMillisecond);

// The yardstick of the repaint: copying the window's frame once.
void BM_MemcpyWholeFrame(benchmark::State& state) {
    const std::size_t bytes = std::size_t(1024) * 734 * 4;
    std::vector<std::uint8_t> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyWholeFrame)->Unit(benchmark::kMillisecond);

} // namespace
