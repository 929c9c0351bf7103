#include "base/IniFile.h"
#include "host/server/BaccaratServer.h"
#include "host/tablesim/HallGameIni.h"
#include "host/tablesim/RoundLog.h"
#include "host/tablesim/RoundPlan.h"
#include "host/tablesim/SimOptions.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace morvane::tablesim {
namespace {

TEST(HallGameIni, IsInstalledOnceAndKeepsWhatThePlayerChanged) {
    test::TempDir folder;
    std::string error;
    ASSERT_TRUE(InstallHallGameIni(folder.Path(), error)) << error;
    const std::filesystem::path file = folder / HallGameIniName();
    EXPECT_EQ(HallGameIniName().front(), '{');
    TIniFile ini(file.string());
    EXPECT_EQ(ini.ReadInteger("Level", "LevelCount", 0), 6);
    EXPECT_EQ(ini.ReadString("Level", "Level3Name", ""), "富户");
    EXPECT_FALSE(ini.ReadBool("Level", "LevelRelateScore", true));

    // The table writes the player's switches into the file; a second start must not undo them.
    test::WriteFile(file, "[Option]\r\nHaveSound=0\r\n");
    ASSERT_TRUE(InstallHallGameIni(folder.Path(), error)) << error;
    EXPECT_EQ(test::ReadFile(file), "[Option]\r\nHaveSound=0\r\n");

    EXPECT_FALSE(InstallHallGameIni(folder / "missing" / "deeper", error));
    EXPECT_NE(error.find("cannot write"), std::string::npos);
}

TEST(SimOptions, TheWindowSimulatorPlaysOnForAPersonUnlessToldOtherwise) {
    std::string error;
    auto options = ParseSimOptions({}, error, TSimProgram::Window);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->Rounds, 0);
    EXPECT_FALSE(options->Record);
    EXPECT_EQ(options->Strategy, TStrategy::None);
    EXPECT_TRUE(options->LibraryPath.empty());

    options = ParseSimOptions({"--rounds", "0", "--out", "Z:/shots", "--strategy", "banker", "--dll",
                               "C:\\t\\M.dll", "--phase-seconds", "2,6,7,3"},
                              error, TSimProgram::Window);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->Rounds, 0);
    EXPECT_TRUE(options->Record);
    EXPECT_EQ(options->OutDir, "Z:/shots");
    EXPECT_EQ(options->Strategy, TStrategy::Banker);
    EXPECT_EQ(options->LibraryPath, "C:\\t\\M.dll");
    EXPECT_EQ(options->PhaseSeconds, (std::array<int, 4>{2, 6, 7, 3}));

    // Each simulator refuses what only the other one knows.
    EXPECT_FALSE(ParseSimOptions({"--every-phase"}, error, TSimProgram::Window));
    EXPECT_FALSE(ParseSimOptions({"--dll", "M.dll"}, error, TSimProgram::Headless));
    EXPECT_FALSE(ParseSimOptions({"--dll", ""}, error, TSimProgram::Window));
    EXPECT_NE(SimUsage(TSimProgram::Window).find("--dll"), std::string::npos);
    EXPECT_EQ(SimUsage(TSimProgram::Headless).find("--dll"), std::string::npos);
}

TEST(SimOptions, PhaseSecondsAreFourWholeNumbersInRange) {
    std::string error;
    for (const char* refused :
         {"2,6,7", "2,6,7,3,1", "0,6,7,3", "2,6,7,601", "a,6,7,3", "2,,7,3", "2,6,7,3,", ""}) {
        error.clear();
        EXPECT_FALSE(ParseSimOptions({"--phase-seconds", refused}, error)) << refused;
        EXPECT_NE(error.find("--phase-seconds"), std::string::npos) << refused;
    }
    const auto options = ParseSimOptions({"--phase-seconds", "1,600,1,600"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->PhaseSeconds, (std::array<int, 4>{1, 600, 1, 600}));
}

TEST(RoundPlan, PhaseTimesRoundsAndShotNamesFollowTheServer) {
    TSimOptions options;
    options.PhaseSeconds = {2, 6, 0, 3};
    const server::TServerSettings settings = ServerSettingsFor(options);
    EXPECT_EQ(settings.FreeSeconds, 2);
    EXPECT_EQ(settings.BettingSeconds, 6);
    EXPECT_EQ(settings.DealingSeconds, server::TServerSettings{}.DealingSeconds)
        << "0 keeps the server's own";
    EXPECT_EQ(settings.SettlementSeconds, 3);

    server::TBaccaratServer server(settings, 5);
    std::vector<std::pair<TGamePhase, int>> phases;
    std::vector<std::uint32_t> shots;
    server.OnPhase = [&](TGamePhase phase) {
        phases.emplace_back(phase, RoundOfPhase(server, phase));
        shots.push_back(ShotTimeOfPhase(server));
    };
    server.Start(0);
    server.AdvanceTo(30000);
    ASSERT_GE(phases.size(), 5u);
    // The free time before the first round belongs to it, as does everything up to its settlement.
    const std::vector<std::pair<TGamePhase, int>> expected{{TGamePhase::Free, 1},
                                                           {TGamePhase::Betting, 1},
                                                           {TGamePhase::Dealing, 1},
                                                           {TGamePhase::Settlement, 1},
                                                           {TGamePhase::Free, 2}};
    EXPECT_EQ(std::vector(phases.begin(), phases.begin() + 5), expected);
    EXPECT_EQ(shots[0], 2000 - kShotLead);
    EXPECT_EQ(shots[1], 2000 + 6000 - kShotLead);

    EXPECT_EQ(PhaseShotName(7, TGamePhase::Dealing), "round-007-2-dealing.png");
    EXPECT_EQ(PhaseShotName(123, TGamePhase::Free), "round-123-0-free.png");
}

TEST(RoundPlan, OwnBetsFallInsideTheBettingTimeWithRoomForTheAnswer) {
    TSimOptions options;
    options.PhaseSeconds = {1, 4, 8, 6};
    server::TBaccaratServer server(ServerSettingsFor(options), 9);
    TRandom random(3);
    std::vector<std::uint32_t> times;
    server.OnPhase = [&](TGamePhase phase) {
        if (phase != TGamePhase::Betting) return;
        for (std::uint32_t at : PlanOwnBetTimes(server, random)) {
            EXPECT_GT(at, server.PhaseStartedAt());
            EXPECT_LT(at + 1000, server.PhaseEndsAt());
            times.push_back(at);
        }
    };
    server.Start(0);
    server.AdvanceTo(200000);
    // Four seconds of betting leave room for one chip at most (1.5 s in, one second before the end).
    EXPECT_FALSE(times.empty());
    for (std::size_t i = 1; i < times.size(); ++i)
        EXPECT_GT(times[i] - times[i - 1], 4000u) << "one chip per round";
}

TEST(RoundPlan, AStrategyPicksItsRegionAndRandomPicksOnlyBoardRegions) {
    TRandom random(11);
    EXPECT_EQ(ChooseRegion(TStrategy::Banker, random), brBanker);
    EXPECT_EQ(ChooseRegion(TStrategy::Player, random), brPlayer);
    EXPECT_EQ(ChooseRegion(TStrategy::Tie, random), brTie);
    std::array<int, kRegionCount> picked{};
    for (int i = 0; i < 2000; ++i) {
        const std::uint8_t region = ChooseRegion(TStrategy::Random, random);
        ASSERT_LT(region, kRegionCount);
        ++picked[region];
    }
    for (int region = 0; region < kRegionCount; ++region)
        EXPECT_GT(picked[std::size_t(region)], 0) << "region " << region;
    EXPECT_GT(picked[brBanker], picked[brBankerPair]);
}

TEST(RoundLog, TheProgressLineCountsRoundsOfAnOpenEndedRunWithoutATotal) {
    server::TBaccaratServer::TRoundReport report;
    report.Round = 3;
    report.Outcome = {brPlayer, 4, 8, false, false};
    report.Results = {{80001, "me", {0, 0, 1000, 0, 0, 0, 0, 500}, 1000, 5001000}, {7, "x", {100}, -100, 0}};
    EXPECT_EQ(StakeOf(report, 80001), 1500);
    EXPECT_EQ(StakeOf(report, 12345), 0);
    const std::string bounded = RoundProgressLine(report, 5, {80001, 1500, 5001000});
    EXPECT_EQ(bounded.rfind("round 3/5: ", 0), 0u) << bounded;
    EXPECT_NE(bounded.find("stake 1500  balance 5001000"), std::string::npos) << bounded;
    const std::string open = RoundProgressLine(report, 0, {80001, 0, 0});
    EXPECT_EQ(open.rfind("round 3: ", 0), 0u) << open;
}

} // namespace
} // namespace morvane::tablesim
