// Costs of the table client as a round drives it: one bet notice handled from its bytes to the
// invalidated chip heap (state, chip composited, sound, limits), and one repaint of the whole table in
// the settlement phase, measured against a plain copy of a frame of the table's size in the same run.

#include "game/GameNotices.h"
#include "game/TableScene.h"
#include "game/TwoEightClient.h"
#include "graphics/TemplateOverlapPng.h"
#include "gui/Application.h"
#include "host/TestHallHost.h"
#include "platform/headless/HeadlessPlatform.h"
#include "plugin/PluginCommandForm.h"
#include "plugin/PluginShare50.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <vector>

namespace {

using namespace morvane;

constexpr std::int64_t kMe = 1001;
constexpr std::int64_t kOther = 3003;
constexpr int kNoticesBeforeReset = 200;

// A table on its form with a hub and a hall host, the player and one other user at it.
struct TBenchTable {
    THeadlessPlatform platform;
    TApplication app{platform};
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
        platform.RunUntilIdle();
    }
    ~TBenchTable() { form.reset(); }
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

void BM_OneBetNoticeHandled(benchmark::State& state) {
    TBenchTable table;
    table.client->DoGameData(WriteTableScene(TBenchTable::Scene(TGamePhase::Betting)));
    table.platform.RunUntilIdle();
    TBetNotice notice;
    notice.UserId = kOther;
    notice.Region = brTie;
    notice.PhaseElapsed = 1;
    const std::array<std::int64_t, 3> amounts{1000, 10000, 100};
    std::vector<std::vector<std::uint8_t>> records;
    for (int i = 0; i < kNoticesBeforeReset; ++i) {
        notice.Amount = amounts[std::size_t(i % 3)];
        notice.RegionTotal += notice.Amount;
        notice.UserStake = notice.Amount;
        records.push_back(notice.Write());
    }
    int handled = 0;
    for (auto _ : state) {
        table.client->DoTableData(records[std::size_t(handled)], 0);
        if (++handled == kNoticesBeforeReset) {
            // A heap holds a round's chips; clearing it (and the effect log) keeps the round a playing size.
            state.PauseTiming();
            table.client->ChipPile(brTie).Clear();
            table.platform.TakeEffects();
            handled = 0;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_OneBetNoticeHandled);

void BM_RepaintWholeTableInSettlement(benchmark::State& state) {
    TBenchTable table;
    table.client->DoGameData(WriteTableScene(TBenchTable::Scene(TGamePhase::Dealing)));
    TSettlementNotice settlement;
    settlement.ResultCode = rcBanker;
    settlement.PointsA = 9;
    settlement.PointsB = 7;
    table.client->DoTableData(settlement.Write(), 0);
    table.client->DoGameData(WriteTableScene(TBenchTable::Scene(TGamePhase::Settlement)));
    table.platform.RunUntilIdle();
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

} // namespace
