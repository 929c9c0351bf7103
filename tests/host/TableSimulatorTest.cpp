#include "host/tablesim/TableSimulator.h"

#include "base/Gbk.h"
#include "game/TwoEightClient.h"
#include "gui/PngImage.h"
#include "host/tablesim/PhaseSheet.h"
#include "host/tablesim/RoundLog.h"
#include "host/tablesim/RoundPlan.h"
#include "host/tablesim/SimOptions.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace morvane::tablesim {
namespace {

TEST(SimOptions, FlagsAndTheirRefusals) {
    std::string error;
    auto options = ParseSimOptions({}, error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->Rounds, 5);
    EXPECT_FALSE(options->EveryPhase);

    options = ParseSimOptions({"--rounds", "12", "--seed", "4000000000", "--bots", "0", "--out", "x/y",
                               "--every-phase", "--quiet", "--strategy", "tie"},
                              error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->Rounds, 12);
    EXPECT_EQ(options->Seed, 4000000000u);
    EXPECT_EQ(options->Bots, 0);
    EXPECT_EQ(options->OutDir, "x/y");
    EXPECT_TRUE(options->EveryPhase);
    EXPECT_TRUE(options->Quiet);
    EXPECT_EQ(options->Strategy, TStrategy::Tie);
    EXPECT_TRUE(options->Record);
    EXPECT_FALSE(options->CofferUse);
    EXPECT_EQ(options->HeapFrom, 0);

    // A soak: no pictures or log, the coffer in use, the heap taken after round 100 and the last.
    options = ParseSimOptions(
        {"--no-record", "--rounds", "1000", "--coffer", "--heap-from", "100", "--out", "x"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_FALSE(options->Record) << "a folder for the option file does not turn recording back on";
    EXPECT_TRUE(options->CofferUse);
    EXPECT_EQ(options->HeapFrom, 100);
    EXPECT_FALSE(ParseSimOptions({"--coffer"}, error, TSimProgram::Window)) << "the headless simulator's own";
    EXPECT_EQ(options->Scale, 1);
    options = ParseSimOptions({"--scale", "3"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->Scale, 3);
    EXPECT_FALSE(ParseSimOptions({"--scale", "2"}, error, TSimProgram::Window))
        << "the headless simulator's own";

    // Round 6 of --heap-from lies after the five rounds played by default.
    const std::vector<std::vector<std::string>> refused{
        {"--rounds"},         {"--rounds", "0"},     {"--rounds", "5x"}, {"--seed", "-1"},
        {"--bots", "151"},    {"--strategy", "all"}, {"--fast"},         {"--out", ""},
        {"--heap-from", "0"}, {"--heap-from", "6"},  {"--scale", "0"},   {"--scale", "4"},
        {"--scale", "2x"},
    };
    for (const auto& args : refused) {
        error.clear();
        EXPECT_FALSE(ParseSimOptions(args, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}

TEST(RoundLog, AnEntryNamesCardsPointsResultBetsAndTheBank) {
    server::TBaccaratServer::TRoundReport report;
    report.Round = 7;
    report.Shoe = 2;
    report.Cards.Player = {0, 13 + 9};       // spade ace, heart ten
    report.Cards.Banker = {26 + 6, 39 + 12}; // club seven, diamond king
    report.Outcome = {brBanker, 7, 1, false, false};
    report.Bets = {{100001, brPlayer, 5000}};
    report.Results = {{100001, "小飞侠", {}, -5000, 995000}};
    report.BankerId = 100002;
    report.BankerName = "老张";
    report.BankerNet = 5000;
    report.BankerBeans = 2005000;
    const std::string entry =
        RoundLogEntry(report, [](std::int64_t) { return std::string("小飞侠"); }, {80001, 0, 5000000});
    // The log is UTF-8; the literals here are the program's GBK.
    for (const char* piece :
         {"第 7 局 (第 2 靴)", "= 1 点", "= 7 点", "结果: 庄家赢", "坐庄: 老张  +5000, 余额 2005000",
          "小飞侠  闲 5000", "小飞侠  -5000, 余额 995000", "本方: 下注 0, 余额 5000000"})
        EXPECT_NE(entry.find(gbk::ToUtf8(piece)), std::string::npos) << gbk::ToUtf8(piece) << "\n" << entry;
    // The suit signs, written in their UTF-8 bytes: spade ace and heart ten, club seven and diamond king.
    EXPECT_NE(entry.find("\xE2\x99\xA0"
                         "A \xE2\x99\xA5"
                         "10"),
              std::string::npos)
        << entry;
    EXPECT_NE(entry.find("\xE2\x99\xA3"
                         "7 \xE2\x99\xA6"
                         "K"),
              std::string::npos)
        << entry;
}

TEST(PhaseSheet, FourPhasesSideBySideAndAGreyPlaceForAMissingOne) {
    TPngImage red(1024, 734, false);
    for (int y = 0; y < red.Height(); ++y)
        for (int x = 0; x < red.Width(); ++x) {
            std::uint8_t* pixel = red.Scanline(y) + 3 * x;
            pixel[0] = 200;
            pixel[1] = 0;
            pixel[2] = 0;
        }
    const TPngImage sheet = ComposeRoundSheet({red, red, TPngImage{}, red}, "第 1 局");
    ASSERT_FALSE(sheet.Empty());
    EXPECT_GT(sheet.Width(), 4 * 512);
    const int y = sheet.Height() - 100;
    auto rgb = [&](int x) {
        const std::uint8_t* p = sheet.Scanline(y) + std::size_t(sheet.BytesPerPixel()) * std::size_t(x);
        return std::array<int, 3>{p[0], p[1], p[2]};
    };
    const int column = sheet.Width() / 4;
    EXPECT_EQ(rgb(column / 2), (std::array<int, 3>{200, 0, 0}));
    EXPECT_EQ(rgb(2 * column + column / 2), (std::array<int, 3>{128, 128, 128}));
    EXPECT_EQ(rgb(3 * column + column / 2), (std::array<int, 3>{200, 0, 0}));
}

// Two whole rounds of the real table with a few bots: the table and the server agree on every balance,
// the local player's clicks turn into accepted bets, and the sheets and the log are written.
TEST(TableSimulator, TwoRoundsOfTheRealTableAgreeWithTheServer) {
    test::TempDir folder;
    TSimOptions options;
    options.Rounds = 2;
    options.Bots = 4;
    options.Seed = 11;
    options.OutDir = folder.Path().string();
    options.Strategy = TStrategy::Banker;
    std::ostringstream progress;
    TTableSimulator simulator(options, progress);
    std::string error;
    ASSERT_TRUE(simulator.Run(error)) << error;

    EXPECT_EQ(simulator.RoundsPlayed(), 2);
    EXPECT_EQ(simulator.SheetsWritten(), 2);
    EXPECT_GT(simulator.OwnBetsTried(), 0);
    EXPECT_EQ(simulator.OwnBetsAccepted(), simulator.OwnBetsTried());
    EXPECT_EQ(simulator.BalanceMismatches(), 0);
    // Every bet of the local player went on the Banker field, as its strategy says.
    const auto* own = simulator.Server().FindUser(TTableSimulator::kOwnId);
    ASSERT_NE(own, nullptr);
    const TTwoEightClient* client = simulator.Client();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->MyBeans(), std::int64_t(own->Info.Beans));
    EXPECT_EQ(client->Scene().ResultRoadCount, 2);
    EXPECT_TRUE(client->Scene().BankerList[0].Occupied());

    TPngImage sheet;
    ASSERT_TRUE(sheet.LoadFromFile(simulator.SheetPath(2))) << sheet.Error();
    EXPECT_GT(sheet.Width(), 2000);
    const std::string log = test::ReadFile(simulator.LogPath());
    EXPECT_NE(log.find(gbk::ToUtf8("第 1 局")), std::string::npos);
    EXPECT_NE(log.find(gbk::ToUtf8("第 2 局")), std::string::npos);
    EXPECT_NE(log.find(gbk::ToUtf8("本机玩家  庄 ")), std::string::npos);
    EXPECT_EQ(log.find(gbk::ToUtf8("本机玩家  闲 ")), std::string::npos);
    const std::string lines = progress.str();
    EXPECT_NE(lines.find("round 1/2: "), std::string::npos);
    EXPECT_NE(lines.find("round 2/2: "), std::string::npos);
}

// A short soak of the real table: bots come and go, chat and take the bank in turn, the local player bets
// and goes to the coffer through its dialogs, both ways. Table and server agree on every balance, and
// once the table has warmed up its heap stays where it was: a round that kept anything would show here
// (the long soak is morvane-tablesim --rounds 1000 --coffer --heap-from 100).
TEST(TableSimulator, AShortSoakKeepsEveryBalanceAndTheHeapInPlace) {
    test::TempDir folder;
    TSimOptions options;
    options.Rounds = 40;
    options.Bots = 12;
    options.Seed = 7;
    options.OutDir = folder.Path().string();
    options.Record = false;
    options.Quiet = true;
    options.CofferUse = true;
    options.HeapFrom = 10;
    options.PhaseSeconds = {2, 5, 5, 2};
    std::ostringstream progress;
    TTableSimulator simulator(options, progress);
    std::string error;
    ASSERT_TRUE(simulator.Run(error)) << error;

    EXPECT_EQ(simulator.RoundsPlayed(), 40);
    EXPECT_EQ(simulator.BalanceMismatches(), 0);
    EXPECT_GT(simulator.OwnBetsAccepted(), 0);
    EXPECT_GT(simulator.UsersEntered(), 0);
    EXPECT_GT(simulator.UsersLeft(), 0);
    EXPECT_GT(simulator.ChatLines(), 0);
    EXPECT_GT(simulator.BankerChanges(), 1);
    EXPECT_GT(simulator.CofferDeposits(), 0);
    EXPECT_GT(simulator.CofferWithdrawals(), 0);
    // The coffer the table last showed is the server's.
    const auto* own = simulator.Server().FindUser(TTableSimulator::kOwnId);
    ASSERT_NE(own, nullptr);
    EXPECT_NE(own->Coffer, kOwnStartCoffer);

    const auto& heap = simulator.HeapAfterRound();
    ASSERT_EQ(heap.size(), 2u);
    ASSERT_TRUE(heap.contains(10) && heap.contains(40));
    constexpr long long kMegabyte = 1 << 20;
    EXPECT_LT(static_cast<long long>(heap.at(40)) - static_cast<long long>(heap.at(10)), kMegabyte);
    EXPECT_FALSE(std::filesystem::exists(simulator.LogPath())) << "nothing recorded";
}

TEST(TableSimulator, AnOutputFolderThatCannotBeMadeIsReported) {
    test::TempDir folder;
    test::WriteFile(folder / "taken", "a file, not a folder");
    TSimOptions options;
    options.Rounds = 1;
    options.OutDir = (folder / "taken" / "out").string();
    std::ostringstream progress;
    TTableSimulator simulator(options, progress);
    std::string error;
    EXPECT_FALSE(simulator.Run(error));
    EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
}

} // namespace
} // namespace morvane::tablesim
