// The table's costs as a hall's process on Windows pays them, on the Windows platform (real windows,
// GDI text, real timers) with the test hall host in front: starting a table until its first frame, what
// one and ten tables hold in memory, a repaint of the whole window and of the table in settlement against
// a plain copy of a frame, one bet notice handled (with its sound played through MCI, and with the sound
// off), and the frames of one round with 200 bets. The names and counters are those of the native
// benchmarks, so that both builds' figures line up in one report.

#include "form/FormPluginClient.h"
#include "form/TableClasses.h"
#include "game/GameNotices.h"
#include "game/TableScene.h"
#include "game/TwoEightClient.h"
#include "graphics/EmbeddedResources.h"
#include "gui/Application.h"
#include "host/TestHallHost.h"
#include "platform/win32/Win32Platform.h"
#include "plugin/PluginCommandForm.h"
#include "plugin/PluginInterface50.h"
#include "plugin/PluginShare50.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>
#include <vector>

// The system headers come last: see WinApi.h.
#include "platform/win32/WinApi.h"

namespace {

using namespace morvane;

constexpr std::int64_t kMe = 1001;
constexpr std::int64_t kOther = 3003;

// Delivers everything the table has queued (posted tasks, paint, due timers) without waiting.
void RunUntilIdle(TWin32Platform& platform) {
    while (platform.ProcessOneMessage(false)) {
    }
}

// The platform and toolkit as the library makes them for its first table, with the pictures compiled
// into the program instead of the library's RCDATA.
struct TRuntime {
    TWin32Platform platform;
    TApplication app{platform};

    TRuntime() {
        platform.SetResourceProvider([](const std::string& name) { return FindEmbeddedResource(name); });
        RegisterTableClasses();
    }
};

struct TReleaseTable {
    void operator()(TPluginInterface50* table) const { table->Release(); }
};
using TTable = std::unique_ptr<TPluginInterface50, TReleaseTable>;

// Each table takes a cookie of its own: the duplicate-table guard's markers are system-wide.
std::int64_t NextCookie() {
    static std::int64_t counter = 0;
    return 670000000 + std::int64_t(GetCurrentProcessId()) * 100000 + ++counter;
}

TTable OpenTable(TWin32Platform& platform, TTestHallHost& host) {
    TTable table(TPluginInterface50::Create());
    table->SetRequestInterface(&host);
    const std::int64_t me = kMe;
    table->Initialize(NextCookie(), "百家乐", &me, "玩家甲", 0, 0, 0, 0);
    RunUntilIdle(platform);
    return table;
}

// The bytes in use in every heap of the process: the runtime's heap that operator new draws from, and
// the process heap where the system's libraries keep what they allocate for it. The pixels of a DIB
// section live outside every heap and are not counted.
std::size_t HeapInUse() {
    std::vector<HANDLE> heaps(64);
    DWORD count = GetProcessHeaps(DWORD(heaps.size()), heaps.data());
    if (count > heaps.size()) {
        heaps.resize(count);
        count = GetProcessHeaps(count, heaps.data());
    }
    std::size_t inUse = 0;
    for (DWORD i = 0; i < count && i < heaps.size(); ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) inUse += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return inUse;
}

// Opens and releases tables one after the other; the heap keeps what a released table freed, as in a
// hall that opens tables all day.
void BM_StartTableToFirstFrame(benchmark::State& state) {
    TRuntime runtime;
    TTestHallHost host;
    for (auto _ : state) {
        TTable table = OpenTable(runtime.platform, host);
        if (table->Form() == nullptr || table->Form()->PaintCount() == 0) {
            state.SkipWithError("the table painted no frame");
            return;
        }
        state.PauseTiming();
        table.reset();
        RunUntilIdle(runtime.platform);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartTableToFirstFrame)->Unit(benchmark::kMillisecond);

// The heap one table and ten tables hold once started, as counters (bytes).
void BM_TableMemory(benchmark::State& state) {
    TRuntime runtime;
    TTestHallHost host;
    const int tables = int(state.range(0));
    std::size_t held = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        std::vector<TTable> open;
        for (int i = 0; i < tables; ++i)
            open.push_back(OpenTable(runtime.platform, host));
        held = HeapInUse() - before;
        open.clear();
        RunUntilIdle(runtime.platform);
    }
    state.counters["heap_bytes"] = double(held);
    state.counters["heap_bytes_per_table"] = double(held) / tables;
}
BENCHMARK(BM_TableMemory)->Arg(1)->Arg(10)->Iterations(1)->Unit(benchmark::kMillisecond);

// Painting the whole window into its framebuffer and handing it to the platform, which keeps the copy
// it blits from when the system asks for paint.
void BM_RepaintWholeWindow(benchmark::State& state) {
    TRuntime runtime;
    TTestHallHost host;
    TTable table = OpenTable(runtime.platform, host);
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

// The table client alone on its form, with a hub, the hall host, the player and one other user.
struct TBenchTable {
    TRuntime runtime;
    TTestHallHost host;
    std::unique_ptr<TPluginCommandForm> form;
    TPluginShare50* hub{nullptr};
    TTwoEightClient* client{nullptr};

    TBenchTable() {
        form = std::make_unique<TPluginCommandForm>(nullptr);
        form->SetBounds(0, 0, TTwoEightClient::kTableWidth, TTwoEightClient::kTableHeight);
        hub = form->Own(std::make_unique<TPluginShare50>(form.get()));
        form->SetCommandHub(hub);
        client = form->Own(std::make_unique<TTwoEightClient>(form.get()));
        client->SetParent(form.get());
        hub->SetPluginClient(client);
        hub->SetHostInterface(&host);
        hub->Initialize("百家乐", "玩家甲", 424242, form->Handle(), kMe, 7);
        auto users = std::make_unique<TPluginUserSlots>();
        (*users)[0] = User(kMe, 3, 500000);
        (*users)[1] = User(kOther, 7, 5000000);
        hub->DoUserList(2, *users);
        form->Show();
        RunUntilIdle(runtime.platform);
    }
    ~TBenchTable() { form.reset(); }
    void Settle() { RunUntilIdle(runtime.platform); }

    static STRU_PLUGIN_USERINFO User(std::int64_t id, std::uint8_t seat, std::int64_t beans) {
        STRU_PLUGIN_USERINFO user{};
        user.UserID = id;
        user.Seat = seat;
        user.Seated = 1;
        user.Beans = beans;
        std::memcpy(user.NickName, "player", 6);
        return user;
    }
    static TTableScene Scene(TGamePhase phase) {
        TTableScene scene;
        scene.GameInProgress = true;
        scene.BankerList[0] = {kOther, 7};
        scene.BankerBeans = 5000000;
        scene.Phase = phase;
        scene.BettingTime = 20;
        scene.SettlementTime = 8;
        scene.ChipIndices = {0, 2, 3, 4, 5, 6};
        scene.BankerPayoutCap = 3000000;
        scene.RegionPayoutCap = 2000000;
        scene.PersonalStakeCap = 100000;
        scene.PlayerCards = "Dc";
        scene.BankerCards = "jPI";
        scene.TotalStakes = {150000, 1000, 21000, 1000, 5000, 100, 5000, 1000};
        scene.OwnStakes = {1000, 100, 11000, 100, 100, 100, 5000, 100};
        return scene;
    }
};

// Bet notices from one user on one field, as a round's betting phase brings them.
std::vector<std::vector<std::uint8_t>> BetNotices(int count) {
    TBetNotice notice;
    notice.UserId = kOther;
    notice.Region = brTie;
    notice.PhaseElapsed = 1;
    const std::array<std::int64_t, 3> amounts{1000, 10000, 100};
    std::vector<std::vector<std::uint8_t>> records;
    for (int i = 0; i < count; ++i) {
        notice.Amount = amounts[std::size_t(i % 3)];
        notice.RegionTotal += notice.Amount;
        notice.UserStake = notice.Amount;
        records.push_back(notice.Write());
    }
    return records;
}

void HandleBetNotices(benchmark::State& state, bool soundOn) {
    constexpr int kNoticesBeforeReset = 200;
    TBenchTable table;
    table.hub->SetSoundOn(soundOn);
    table.client->DoGameData(WriteTableScene(TBenchTable::Scene(TGamePhase::Betting)));
    table.Settle();
    const auto records = BetNotices(kNoticesBeforeReset);
    int handled = 0;
    for (auto _ : state) {
        table.client->DoTableData(records[std::size_t(handled)], 0);
        if (++handled == kNoticesBeforeReset) {
            // A heap holds a round's chips; clearing it keeps the round a playing size.
            state.PauseTiming();
            table.client->ChipPile(brTie).Clear();
            table.Settle();
            handled = 0;
            state.ResumeTiming();
        }
    }
}

void BM_OneBetNoticeHandled(benchmark::State& state) {
    HandleBetNotices(state, true);
}
BENCHMARK(BM_OneBetNoticeHandled);

// The same with the player's sound switched off: the table's own work without the sound's MCI commands.
void BM_OneBetNoticeHandledSoundOff(benchmark::State& state) {
    HandleBetNotices(state, false);
}
BENCHMARK(BM_OneBetNoticeHandledSoundOff);

TSettlementNotice BankerWins() {
    TSettlementNotice settlement;
    settlement.ResultCode = rcBanker;
    settlement.PointsA = 9;
    settlement.PointsB = 7;
    return settlement;
}

void BM_RepaintWholeTableInSettlement(benchmark::State& state) {
    TBenchTable table;
    table.client->DoGameData(WriteTableScene(TBenchTable::Scene(TGamePhase::Dealing)));
    table.client->DoTableData(BankerWins().Write(), 0);
    table.client->DoGameData(WriteTableScene(TBenchTable::Scene(TGamePhase::Settlement)));
    table.Settle();
    if (!table.client->SettlementShown()) state.SkipWithError("the settlement panel is not shown");
    for (auto _ : state) {
        table.form->Invalidate();
        table.form->Update();
    }
}
BENCHMARK(BM_RepaintWholeTableInSettlement);

// The yardstick: one copy of a 32-bit frame of the table's size.
void BM_CopyOneTableFrame(benchmark::State& state) {
    const std::size_t bytes = std::size_t(TTwoEightClient::kTableWidth) * TTwoEightClient::kTableHeight * 4;
    std::vector<std::uint8_t> from(bytes, 0x5A);
    std::vector<std::uint8_t> to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyOneTableFrame);

// The frames of one round handed to the table, each followed by the paint it queued: the free phase,
// the betting phase with 200 bet notices, dealing, the result and the settlement. The wall clock does not
// run the round's timers here (a real round lasts half a minute), so this is the frames' part of a
// round's CPU time, not the whole round of the native simulator.
void BM_RoundFramesWith200Bets(benchmark::State& state) {
    constexpr int kBets = 200;
    TBenchTable table;
    const auto notices = BetNotices(kBets);
    const auto freePhase = WriteTableScene(TBenchTable::Scene(TGamePhase::Free));
    const auto betting = WriteTableScene(TBenchTable::Scene(TGamePhase::Betting));
    const auto dealing = WriteTableScene(TBenchTable::Scene(TGamePhase::Dealing));
    const auto settlement = WriteTableScene(TBenchTable::Scene(TGamePhase::Settlement));
    const auto result = BankerWins().Write();
    for (auto _ : state) {
        table.client->DoGameData(freePhase);
        table.Settle();
        table.client->DoGameData(betting);
        table.Settle();
        for (const auto& notice : notices) {
            table.client->DoTableData(notice, 0);
            table.Settle();
        }
        table.client->DoGameData(dealing);
        table.Settle();
        table.client->DoTableData(result, 0);
        table.client->DoGameData(settlement);
        table.Settle();
        state.PauseTiming();
        table.client->ChipPile(brTie).Clear();
        table.Settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RoundFramesWith200Bets)->Unit(benchmark::kMillisecond);

} // namespace
