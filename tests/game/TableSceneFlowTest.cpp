#include "game/TableFixture.h"
#include "graphics/BarLabel.h"
#include "graphics/BjlTopBar.h"
#include "graphics/ClockNumber.h"
#include "graphics/PngAction.h"
#include "graphics/PngCardGroupGraphic.h"
#include "gui/Image.h"
#include "gui/Label.h"
#include "ui/PluginPictureButton.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace morvane::test {
namespace {

using ::testing::ElementsAre;

class TableSceneFlowTest : public TableTest {};

// Joining a table late: the clock shows what is left of the phase, each phase plays its sound once.
TEST_F(TableSceneFlowTest, SceneJoinedLateInEachPhaseSetsTheClockFromTheElapsedTime) {
    Start();
    TTableScene scene = RoomScene(TGamePhase::Betting);
    scene.PhaseElapsed = 7;
    SendScene(scene);
    EXPECT_EQ(Table().Clock().Value(), 13);
    EXPECT_THAT(TakeSounds(), ElementsAre("开始.wav"));
    EXPECT_TRUE(Table().Clock().Visible());
    EXPECT_TRUE(Table().PhasePicture(TGamePhase::Betting).Visible());
    EXPECT_FALSE(Table().PhasePicture(TGamePhase::Free).Visible());

    scene.Phase = TGamePhase::Dealing;
    scene.PhaseElapsed = 4;
    scene.PlayerCards = "AB";
    scene.BankerCards = "CD";
    SendScene(scene);
    EXPECT_EQ(Table().Clock().Value(), 11);

    scene.Phase = TGamePhase::Settlement;
    scene.PhaseElapsed = 3;
    SendScene(scene);
    EXPECT_EQ(Table().Clock().Value(), 5);
    TakeSounds();
    // A second settlement scene is no new settlement: no second ending sound.
    SendScene(scene);
    EXPECT_TRUE(TakeSounds().empty());

    scene.Phase = TGamePhase::Free;
    scene.GameInProgress = true;
    scene.PhaseElapsed = 9;
    SendScene(scene);
    // More time elapsed than the phase has: the clock stops at 0, never below.
    EXPECT_EQ(Table().Clock().Value(), 0);
    EXPECT_TRUE(Table().PhasePicture(TGamePhase::Free).Visible());
}

TEST_F(TableSceneFlowTest, RoomSettingsArePrintedOnceAndLeaveOutRulesThatDoNotApply) {
    Start();
    TTableScene scene = RoomScene(TGamePhase::Betting);
    scene.GrabAllowed = true;
    scene.GrabPrice = 0;
    scene.MinBankerRounds = 1;
    SendScene(scene);
    EXPECT_THAT(TakeLines(),
                ElementsAre("kind=10 ======本房间游戏设置========", "kind=10 上庄所需游戏豆:1000000",
                            "kind=10 个人最大下注:100000", "kind=10 单区最大赔付:2000000",
                            "kind=10 ============================"));
    SendScene(scene);
    EXPECT_TRUE(TakeLines().empty());
}

TEST_F(TableSceneFlowTest, RoomSettingsShowTheGrabPriceAndTheLeastBankerRounds) {
    Start();
    TTableScene scene = RoomScene(TGamePhase::Free);
    scene.GrabAllowed = true;
    scene.GrabPrice = 300000;
    scene.MinBankerRounds = 5;
    SendScene(scene);
    const auto lines = TakeLines();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[4], "kind=10 抢庄所需游戏豆:300000");
    EXPECT_EQ(lines[5], "kind=10 最少坐庄局数:5");
}

// The betting music runs through the betting phase and stops for the last five seconds and the deal.
TEST_F(TableSceneFlowTest, MusicPlaysWhileBettingAndStopsAtFiveSecondsLeft) {
    Start();
    TTableScene scene = RoomScene(TGamePhase::Betting);
    scene.PhaseElapsed = 13;
    SendScene(scene);
    const auto music = TakeMusic();
    ASSERT_EQ(music.size(), 3u);
    EXPECT_EQ(music[0], "CLOSE ZyBaijiale");
    EXPECT_EQ(music[1], "OPEN \"" + hub->SoundDir() + "\\下注背景.wav\" ALIAS ZyBaijiale");
    EXPECT_EQ(music[2], "PLAY ZyBaijiale");
    EXPECT_TRUE(Table().MusicPlaying());

    TakeSounds();
    // 7 seconds left: once the clock shows 5 the second timer warns and stops the music.
    Run(3000);
    EXPECT_EQ(Table().Clock().Value(), 4);
    EXPECT_FALSE(Table().MusicPlaying());
    EXPECT_TRUE(Table().ClockOrnament().Running());
    EXPECT_THAT(TakeSounds(), ::testing::Contains("clock.wav"));
    EXPECT_THAT(TakeMusic(), ElementsAre("CLOSE ZyBaijiale"));

    client->SetBackMusic(false);
    EXPECT_THAT(TakeMusic(), ElementsAre("CLOSE ZyBaijiale"));
}

TEST_F(TableSceneFlowTest, MusicSwitchedOffStaysSilentInTheBettingPhase) {
    Start();
    client->SetBackMusic(false);
    TakeMusic();
    SendScene(RoomScene(TGamePhase::Betting));
    EXPECT_TRUE(TakeMusic().empty());
    client->SetBackMusic(true);
    EXPECT_EQ(TakeMusic().size(), 3u);
}

TEST_F(TableSceneFlowTest, FreeTimeWithoutBankerShowsTheNoBankerPictureAndText) {
    Start();
    TTableScene scene = RoomScene(TGamePhase::Free);
    scene.BankerList[0] = {};
    scene.NoBankerText = "现在无人上庄，请玩家申请上庄，上庄后即可开始游戏，祝您游戏愉快";
    SendScene(scene);
    EXPECT_TRUE(Table().NoBankerPicture().Visible());
    EXPECT_FALSE(Table().Clock().Visible());
    // 62 bytes: two lines, the cut after 34 bytes because byte 35 starts a character.
    EXPECT_EQ(client->TopBar().Notice().Caption(),
              "现在无人上庄，请玩家申请上庄，上庄\n\r后即可开始游戏，祝您游戏愉快");

    // A banker sits down between rounds: the line no longer says there is none.
    scene.BankerList[0] = {kBanker, kBankerSeat};
    SendScene(scene);
    EXPECT_FALSE(Table().NoBankerPicture().Visible());
    EXPECT_TRUE(Table().Clock().Visible());
    EXPECT_EQ(client->TopBar().Notice().Caption(), "");
}

TEST_F(TableSceneFlowTest, GameStartResetsTheTableAndShowsTheStatusText) {
    Start();
    TTableScene scene = RoomScene(TGamePhase::Settlement);
    scene.PlayerCards = "AB";
    scene.BankerCards = "CD";
    scene.TotalStakes = {1000, 0, 500, 0, 0, 0, 0, 0};
    scene.OwnStakes = {1000, 0, 0, 0, 0, 0, 0, 0};
    SendScene(scene);
    Table().PlayerHand().SetCards("AB");
    SendFrame(hostframes::GameStart());
    EXPECT_EQ(client->Phase(), TGamePhase::Betting);
    EXPECT_EQ(Table().PlayerHand().Count(), 0);
    EXPECT_FALSE(Table().PlayerHand().Visible());
    EXPECT_FALSE(Table().CardTray().Visible());
    EXPECT_EQ(client->Scene().TotalStakes[0], 0);
    EXPECT_EQ(client->PlayerStake(), 0);
    EXPECT_TRUE(Table().PilesBuilt());
    EXPECT_EQ(client->TopBar().Notice().Caption(), "游戏开始，请下注...");

    SendFrame(hostframes::GameOver());
    EXPECT_EQ(client->Phase(), TGamePhase::Free);
    EXPECT_EQ(Table().BetNoticeCount(), 0);
    EXPECT_TRUE(client->ChipPile(0).Empty());
}

// The clock has nothing to count before a game is in progress: it is blank from its creation, also while
// the second timer runs over a table between games, until a scene of a running game sets it.
TEST_F(TableSceneFlowTest, TheClockIsBlankUntilAGameInProgressSetsIt) {
    Start();
    EXPECT_EQ(Table().Clock().Value(), -1);
    SendScene(RoomScene(TGamePhase::Free));
    Run(3000);
    EXPECT_EQ(Table().Clock().Value(), -1);
    SendScene(RoomScene(TGamePhase::Betting));
    EXPECT_EQ(Table().Clock().Value(), 20);
}

TEST_F(TableSceneFlowTest, FreeTimeClockStartsOverWhenItRunsOut) {
    Start();
    TTableScene scene = RoomScene(TGamePhase::Free);
    scene.GameInProgress = true;
    scene.PhaseElapsed = 4;
    SendScene(scene);
    EXPECT_EQ(Table().Clock().Value(), 1);
    Run(2000);
    EXPECT_GE(Table().Clock().Value(), 4);
}

TEST_F(TableSceneFlowTest, ATableClosedDuringBettingStopsItsMusic) {
    Start();
    SendScene(RoomScene(TGamePhase::Betting));
    TakeMusic();
    formOwner.reset();
    EXPECT_THAT(TakeMusic(), ElementsAre("CLOSE ZyBaijiale"));
}

TEST_F(TableSceneFlowTest, ShortSceneAppliesWhatItHolds) {
    Start();
    std::vector<std::uint8_t> bytes = WriteTableScene(RoomScene(TGamePhase::Betting));
    bytes.resize(710);
    EXPECT_THROW(SendFrame(hostframes::GameData(0, bytes)), ERangeCheckError);
    // The phase came before the cut; the texts and everything after them did not arrive.
    EXPECT_EQ(client->Phase(), TGamePhase::Betting);
    EXPECT_EQ(client->Scene().PersonalStakeCap, 0);
}

// A phase byte the table does not know comes from a broken or newer server. The table shows no phase
// for it: no picture, no clock change, no sound, no betting; cards stay visible as they are from dealing
// on, and the music of the betting phase before it is not stopped.
TEST_F(TableSceneFlowTest, ASceneInAnUnknownPhaseShowsNoPhaseAndTakesNoBets) {
    Start();
    SendScene(RoomScene(TGamePhase::Betting));
    Table().ChipButtonClick(0);
    TakeSounds();
    TakeLines();
    std::vector<std::uint8_t> bytes = WriteTableScene(RoomScene(TGamePhase::Betting));
    bytes[706] = 9;
    SendFrame(hostframes::GameData(0, bytes));

    EXPECT_EQ(client->Phase(), TGamePhase::Unknown);
    for (TGamePhase phase : kGamePhases)
        EXPECT_FALSE(Table().PhasePicture(phase).Visible()) << int(GamePhaseByte(phase));
    EXPECT_EQ(Table().Clock().Value(), 20) << "the betting clock goes on";
    EXPECT_TRUE(TakeSounds().empty());
    EXPECT_TRUE(Table().MusicPlaying());
    EXPECT_TRUE(Table().CardTray().Visible());
    EXPECT_TRUE(Table().PlayerLabel().Visible());
    EXPECT_TRUE(Table().PlayerHand().Visible());
    EXPECT_EQ(client->TableCursor(), 0);
    for (int button = 0; button < kChipButtonCount; ++button)
        EXPECT_FALSE(client->ChipButton(button).Enabled()) << button;
    Table().ChipButtonClick(0);
    ClickTable(100, 300);
    EXPECT_THAT(TakeLines(), ElementsAre("kind=7 现在不是下注时间，请稍后下注 "));
    EXPECT_TRUE(TakeRequests().empty());

    // Settlement after it is a new settlement: its sound plays.
    SendScene(RoomScene(TGamePhase::Settlement));
    EXPECT_THAT(TakeSounds(), ElementsAre("结束.wav"));
}

TEST_F(TableSceneFlowTest, SeatsAreRememberedAndForgotten) {
    Start();
    EXPECT_EQ(Table().ChairUser(kBankerSeat), kBanker);
    EXPECT_EQ(Table().ChairName(kBankerSeat), "庄家大老板");
    client->DoPlayerUnseated(kBankerSeat, kOther);
    EXPECT_EQ(Table().ChairUser(kBankerSeat), kBanker);
    client->DoPlayerUnseated(kBankerSeat, kBanker);
    EXPECT_EQ(Table().ChairUser(kBankerSeat), 0);
}

} // namespace
} // namespace morvane::test
