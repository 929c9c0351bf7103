// The largest frame of each kind the hall can hand a table, handled by the whole table (the real window
// with its panels, sounds on) from PostCommand until everything it caused has run and been painted. None
// may hold the table up: each figure must stay far below 50 ms. Also the crowds that used to: ten
// thousand users coming in one after the other, and a 50 000-line option file read at the start and at
// each new banker.
//
// Run with the linux-release preset, for medians:
//   build/linux-release/bench/bench_frames --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "base/ByteWriter.h"
#include "base/Paths.h"
#include "form/FormPluginClient.h"
#include "form/TableClasses.h"
#include "game/GameNotices.h"
#include "game/TableScene.h"
#include "gui/Application.h"
#include "host/HostFrames.h"
#include "host/TestHallHost.h"
#include "platform/headless/HeadlessPlatform.h"
#include "plugin/PluginInterface50.h"
#include "plugin/PluginShare50.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace morvane {
namespace {

namespace hf = hostframes;
using TFrame = std::vector<std::uint8_t>;

constexpr std::int64_t kMe = 1001;
constexpr std::int64_t kBanker = 2002;
constexpr std::int64_t kFirstVisitor = 1000000;
constexpr std::size_t kLargeText = 1 << 20;
constexpr int kCrowd = 10000;
constexpr int kOptionLines = 50000;

std::int64_t NextCookie() {
    static std::int64_t counter = 0;
    return 440000000 + std::int64_t(::getpid()) * 100000 + ++counter;
}

// A folder of this run alone, removed at the end: the library folder, where the option file lies.
class TRunFolder {
public:
    TRunFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "morvane-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        path_ = pattern;
    }
    ~TRunFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A megabyte of what a hostile line may hold: Chinese text, face codes, links and line breaks.
std::string LargeText(std::size_t bytes) {
    const std::string piece = "大家好/012下注啦 http://example.com/a?b=c 庄家赢/089\r\n";
    std::string text;
    while (text.size() + piece.size() <= bytes)
        text += piece;
    return text;
}

STRU_PLUGIN_USERINFO Visitor(std::int64_t id) {
    return hf::MakeUser(id, std::uint8_t(10 + id % 150), false, "访客" + std::to_string(id % 1000));
}

// A level ladder, chat actions and many lines the table does not know, as a hall that never cleans its
// option file ends up with.
void WriteLongOptionFileTo(const std::filesystem::path& file) {
    std::ofstream out(file, std::ios::binary);
    out << "[Option]\r\nHaveSound=1\r\nHasBackMusic=1\r\n[Level]\r\nLevelCount=1000\r\nLevelRelateScore="
           "0\r\n";
    for (int i = 1; i <= 1000; ++i)
        out << "Level" << i << "Score=" << i * 1000 << "\r\nLevel" << i << "Name=L" << i << "\r\nLevel" << i
            << "Speak=hi\r\n";
    for (int i = 0; out && i < kOptionLines - 3006; ++i)
        out << (i % 500 == 0 ? "[Old" + std::to_string(i) + "]" : "Key" + std::to_string(i) + "=value")
            << "\r\n";
}

// One table as the hall opens it, with the settings, the user list and a betting scene in.
class TBenchTable {
public:
    // Opened at once, or, with `later`, when Open() is called (after the option file is in place).
    explicit TBenchTable(bool later = false) {
        platform_.SetLibraryFolder(paths::IncludeTrailingBackslash(paths::FromHost(folder_.Path().string())));
        host_.SetDirectory(paths::FromHost(folder_.Path().string()));
        RegisterTableClasses();
        table_ = TPluginInterface50::Create();
        if (!later) Open();
    }
    void WriteLongOptionFile() { WriteLongOptionFileTo(folder_.Path() / (table_->Hub()->GameID() + ".ini")); }
    void Open() {
        table_->SetRequestInterface(&host_);
        const std::int64_t me = kMe;
        table_->Initialize(NextCookie(), "百家乐", &me, "玩家甲", 0, 0, 0, 0);
        hf::TSettingsRecord settings;
        settings.settings.ScoreNotes = 1;
        settings.settings.BeanNotes = 1;
        Post(hf::TableData(0, hf::TableSettingsRecord(settings)));
        Post(
            hf::FullUserList({hf::MakeUser(kMe, 3, true, "玩家甲"), hf::MakeUser(kBanker, 5, true, "庄家")}));
        TTableScene scene;
        scene.GameInProgress = true;
        scene.Phase = TGamePhase::Betting;
        scene.BettingTime = 30;
        scene.BankerList[0] = {kBanker, 5};
        Post(hf::GameData(0, WriteTableScene(scene)));
        host_.ClearRecords();
    }
    ~TBenchTable() {
        table_->Release();
        platform_.RunUntilIdle();
    }
    TBenchTable(const TBenchTable&) = delete;
    TBenchTable& operator=(const TBenchTable&) = delete;

    // The frame and all it causes: posted work, timers due now, the repaint.
    void Post(const TFrame& frame) {
        table_->PostCommand(std::int32_t(frame.size()), reinterpret_cast<const char*>(frame.data()));
        platform_.RunUntilIdle();
    }
    void ShowSystemText(const std::string& text) {
        table_->ShowSystemText(std::int32_t(text.size()), text.c_str());
        platform_.RunUntilIdle();
    }
    void Forget() { host_.ClearRecords(); }
    TCustomPluginShare& Hub() const { return *table_->Hub(); }

private:
    TRunFolder folder_;
    THeadlessPlatform platform_;
    TApplication app_{platform_};
    TTestHallHost host_;
    TPluginInterface50* table_{nullptr};
};

void PostEachTime(benchmark::State& state, TBenchTable& table, const TFrame& frame) {
    for (auto _ : state) {
        table.Post(frame);
        state.PauseTiming();
        table.Forget();
        state.ResumeTiming();
    }
}

// [SECTION] Texts

void BM_TextCommand(benchmark::State& state) {
    TBenchTable table;
    const auto cmd = std::uint8_t(state.range(0));
    const std::string text = cmd == 73 ? "7@" + LargeText(kLargeText) : LargeText(kLargeText);
    PostEachTime(state, table, hf::TableFrame(kBanker, cmd, hf::Bytes(text)));
}
// 65 text line, 66 broadcast, 67 chat, 73 numbered text
BENCHMARK(BM_TextCommand)->Arg(65)->Arg(66)->Arg(67)->Arg(73)->Unit(benchmark::kMillisecond);

void BM_EventText(benchmark::State& state) {
    TBenchTable table;
    const std::string field = LargeText(kLargeText / 4);
    PostEachTime(
        state, table,
        hf::TextLine(0, "@$" + field + "@$" + field + "@$" + field + "@$http://example.com/" + field));
}
BENCHMARK(BM_EventText)->Unit(benchmark::kMillisecond);

void BM_SystemText(benchmark::State& state) {
    TBenchTable table;
    const std::string text = LargeText(kLargeText);
    for (auto _ : state)
        table.ShowSystemText(text);
}
BENCHMARK(BM_SystemText)->Unit(benchmark::kMillisecond);

void BM_NoticeText(benchmark::State& state) {
    TBenchTable table;
    PostEachTime(state, table, hf::NoticeTextDeclaring(0xFFFF, LargeText(0xFFFF)));
}
BENCHMARK(BM_NoticeText)->Unit(benchmark::kMillisecond);

void BM_SystemLine(benchmark::State& state) {
    TBenchTable table;
    PostEachTime(state, table, hf::SystemLine(kBanker, LargeText(200)));
}
BENCHMARK(BM_SystemLine)->Unit(benchmark::kMillisecond);

// [SECTION] Records

void BM_SceneWithLongTexts(benchmark::State& state) {
    TBenchTable table;
    TTableScene scene;
    scene.GameInProgress = true;
    scene.Phase = TGamePhase::Betting;
    scene.BankerList[0] = {kBanker, 5};
    scene.StatusText = LargeText(kLargeText);
    scene.NoBankerText = LargeText(kLargeText);
    PostEachTime(state, table, hf::GameData(0, WriteTableScene(scene)));
}
BENCHMARK(BM_SceneWithLongTexts)->Unit(benchmark::kMillisecond);

void BM_TableSettingsWith200Seats(benchmark::State& state) {
    TBenchTable table;
    hf::TSettingsRecord record;
    record.count = 200;
    for (int i = 0; i < 200; ++i)
        record.seats.push_back({.UserID = kFirstVisitor + i, .Name = "座位" + std::to_string(i)});
    PostEachTime(state, table, hf::TableData(0, hf::TableSettingsRecord(record)));
}
BENCHMARK(BM_TableSettingsWith200Seats)->Unit(benchmark::kMillisecond);

void BM_UnknownTableData(benchmark::State& state) {
    TBenchTable table;
    TFrame record(kLargeText, 0x55);
    PostEachTime(state, table, hf::TableData(0, record));
}
BENCHMARK(BM_UnknownTableData)->Unit(benchmark::kMillisecond);

void BM_BetNotice(benchmark::State& state) {
    TBenchTable table;
    TBetNotice bet{kBanker, 5000000, brBanker, 5000000, 5000000, 1};
    PostEachTime(state, table, hf::TableData(0, bet.Write()));
}
BENCHMARK(BM_BetNotice)->Unit(benchmark::kMillisecond);

void BM_SeatData(benchmark::State& state) {
    TBenchTable table;
    PostEachTime(state, table, hf::SeatFrame(2, kBanker, 5, TFrame(65519, 0x33)));
}
BENCHMARK(BM_SeatData)->Unit(benchmark::kMillisecond);

void BM_RawNotice(benchmark::State& state) {
    TBenchTable table;
    PostEachTime(state, table, hf::RawNotice(TFrame(kLargeText, 0x44)));
}
BENCHMARK(BM_RawNotice)->Unit(benchmark::kMillisecond);

void BM_ScoreBlockOf200(benchmark::State& state) {
    TBenchTable table;
    std::vector<STRU_PLUGIN_USERINFO> users{hf::MakeUser(kMe, 3, true, "玩家甲")};
    std::vector<hf::TScoreLine> lines;
    for (int i = 1; i < 200; ++i) {
        users.push_back(hf::MakeUser(kFirstVisitor + i, std::uint8_t(i), true, "玩家" + std::to_string(i)));
        lines.push_back({kFirstVisitor + i, 10, 1000, -10, 5000});
    }
    lines.push_back({kMe, 10, 1000, -10, 5000});
    table.Post(hf::FullUserList(users));
    PostEachTime(state, table, hf::ScoreBlock(1, 200, lines));
}
BENCHMARK(BM_ScoreBlockOf200)->Unit(benchmark::kMillisecond);

// [SECTION] Crowds

// Ten thousand visitors come in one after the other: the whole run, as a counter of milliseconds, and the
// frame of the last one.
void FillCrowd(TBenchTable& table, int count) {
    for (int i = 0; i < count; ++i)
        table.Post(hf::UserEnter(Visitor(kFirstVisitor + i)));
}

void BM_TenThousandUsersEnter(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<TBenchTable>();
        state.ResumeTiming();
        FillCrowd(*table, kCrowd);
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TenThousandUsersEnter)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_UserEntersAmongTenThousand(benchmark::State& state) {
    TBenchTable table;
    FillCrowd(table, kCrowd);
    std::int64_t next = kFirstVisitor + kCrowd;
    for (auto _ : state) {
        table.Post(hf::UserEnter(Visitor(next)));
        state.PauseTiming();
        table.Post(hf::UserLeave(next++));
        table.Forget();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UserEntersAmongTenThousand)->Unit(benchmark::kMillisecond);

void BM_UserLeavesAmongTenThousand(benchmark::State& state) {
    TBenchTable table;
    FillCrowd(table, kCrowd);
    std::int64_t next = kFirstVisitor + kCrowd;
    for (auto _ : state) {
        state.PauseTiming();
        table.Post(hf::UserEnter(Visitor(next)));
        state.ResumeTiming();
        table.Post(hf::UserLeave(next++));
        state.PauseTiming();
        table.Forget();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UserLeavesAmongTenThousand)->Unit(benchmark::kMillisecond);

void BM_UserListOf200AmongTenThousand(benchmark::State& state) {
    TBenchTable table;
    FillCrowd(table, kCrowd);
    std::vector<STRU_PLUGIN_USERINFO> users;
    for (int i = 0; i < 200; ++i)
        users.push_back(Visitor(kFirstVisitor + kCrowd + i));
    const TFrame list = hf::FullUserList(users);
    for (auto _ : state) {
        table.Post(list);
        state.PauseTiming();
        for (const STRU_PLUGIN_USERINFO& user : users)
            table.Post(hf::UserLeave(user.UserID));
        table.Forget();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UserListOf200AmongTenThousand)->Unit(benchmark::kMillisecond);

// [SECTION] A long option file

void BM_StartWithLongOptionFile(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<TBenchTable>(true);
        table->WriteLongOptionFile();
        state.ResumeTiming();
        table->Open();
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartWithLongOptionFile)->Unit(benchmark::kMillisecond);

// Every new banker is announced with the level the option file gives him.
void BM_NewBankerWithLongOptionFile(benchmark::State& state) {
    TBenchTable table(true);
    table.WriteLongOptionFile();
    table.Open();
    std::int64_t banker = kFirstVisitor;
    for (auto _ : state) {
        state.PauseTiming();
        STRU_PLUGIN_USERINFO user = Visitor(banker);
        user.Beans = 500000;
        table.Post(hf::UserEnter(user));
        TBankerListNotice notice;
        notice.BankerList[0] = {banker++, 9};
        const TFrame frame = hf::TableData(0, notice.Write());
        state.ResumeTiming();
        table.Post(frame);
    }
}
BENCHMARK(BM_NewBankerWithLongOptionFile)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace morvane
