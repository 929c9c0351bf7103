#include "game/Form1.h"
#include "game/TableFixture.h"
#include "gui/Button.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace morvane::test {
namespace {

using ::testing::ElementsAre;

class TableStatisticsTest : public TableTest {
protected:
    TTableScene Allowed(TGamePhase phase) {
        TTableScene scene = RoomScene(phase);
        scene.StatisticsAllowed = true;
        return scene;
    }
    TComputerBetNotice ComputerBets() {
        TComputerBetNotice notice;
        notice.BankerKind = 1;
        notice.Amounts = {1000, 0, 2000, 0, 0, 0, 0, 0};
        return notice;
    }
};

TEST_F(TableStatisticsTest, TheWindowOpensOnlyWithCtrlAndTheRightButtonWhenTheRoomAllowsIt) {
    Start();
    SendScene(RoomScene(TGamePhase::Betting));
    EXPECT_EQ(Table().StatisticsButton(), nullptr);
    SendScene(Allowed(TGamePhase::Betting));
    ASSERT_NE(Table().StatisticsButton(), nullptr);
    EXPECT_EQ(Table().StatisticsButton()->BoundsRect(), (TRect{0, 0, 15, 15}));
    ClickTable(5, 5, TMouseButton::mbRight);
    EXPECT_EQ(Table().StatisticsWindow(), nullptr);
    ClickTable(5, 5, TMouseButton::mbLeft, ssCtrl);
    EXPECT_EQ(Table().StatisticsWindow(), nullptr);
    ClickTable(5, 5, TMouseButton::mbRight, ssCtrl);
    ASSERT_NE(Table().StatisticsWindow(), nullptr);
    EXPECT_TRUE(Table().StatisticsWindow()->Showing());
}

TEST_F(TableStatisticsTest, ComputerBetsReachTheWindowAndItsRequestsGoOutOnlyWhileBetting) {
    Start();
    SendScene(Allowed(TGamePhase::Betting));
    Table().StatisticsButtonMouseDown(TMouseButton::mbRight, ssCtrl);
    TForm1& window = *Table().StatisticsWindow();
    SendNotice(ComputerBets().Write());
    EXPECT_EQ(window.Caption(), "电脑当庄");
    TakeFrames();
    Run(1000);
    EXPECT_THAT(TakeRequests(),
                ::testing::Contains(std::vector<std::uint8_t>{34, 1, 0xFF, 0xFF, 0xFF, 0xFF}));
    window.CommandButton(brPlayer)->Click();
    EXPECT_THAT(TakeRequests(), ElementsAre(std::vector<std::uint8_t>{34, 0, 2, 0, 0, 0}));

    SendScene(Allowed(TGamePhase::Dealing));
    TComputerBetNotice players = ComputerBets();
    players.BankerKind = 0;
    SendNotice(players.Write());
    EXPECT_EQ(window.Caption(), "电脑当庄");
    TakeFrames();
    Run(3000);
    window.CommandButton(brPlayer)->Click();
    EXPECT_TRUE(TakeRequests().empty());
}

TEST_F(TableStatisticsTest, NoticesWithoutTheWindowAreIgnoredAndAClosedTableFreesIt) {
    Start();
    SendScene(Allowed(TGamePhase::Betting));
    SendNotice(ComputerBets().Write());
    EXPECT_EQ(Table().StatisticsWindow(), nullptr);
    Table().StatisticsButtonMouseDown(TMouseButton::mbRight, ssCtrl);
    EXPECT_TRUE(Table().StatisticsWindow()->Showing());
    // The table goes while the window shows: it is closed and freed first, with nothing left behind.
    formOwner.reset();
    platform.RunUntilIdle();
    EXPECT_TRUE(platform.ShownWindows().empty());
}

} // namespace
} // namespace morvane::test
