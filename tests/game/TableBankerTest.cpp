#include "base/ByteWriter.h"
#include "game/TableFixture.h"
#include "gui/Form.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace morvane::test {
namespace {

using ::testing::ElementsAre;

constexpr std::int64_t kApplicant1 = 4004;
constexpr std::int64_t kApplicant2 = 5005;
constexpr std::int64_t kApplicant3 = 6006;

class TableBankerTest : public TableTest {
protected:
    // A free-time scene with the banker and `queue` behind him.
    TTableScene FreeTime(std::vector<std::int64_t> queue) {
        TTableScene scene = RoomScene(TGamePhase::Free);
        for (std::size_t i = 0; i < queue.size(); ++i)
            scene.BankerList[i + 1] = {queue[i], std::int32_t(20 + i)};
        return scene;
    }
    std::vector<std::uint8_t> BankerListNotice(std::int64_t banker, std::uint8_t state = 1) {
        TBankerListNotice notice;
        notice.BankerState = state;
        notice.BankerWinnings = 12000;
        notice.BankerRounds = 1;
        notice.BankerList[0] = {banker, kBankerSeat};
        return notice.Write();
    }
    void SeatTable(int activePlayers) {
        hostframes::TSettingsRecord settings;
        hostframes::SetShortString(settings.settings.BeanName, sizeof settings.settings.BeanName, "游戏豆");
        for (int i = 0; i < activePlayers; ++i) {
            TPluginSeatEntry seat;
            seat.UserID = i == 0 ? kMe : kOther + i;
            settings.seats.push_back(seat);
        }
        settings.count = activePlayers;
        SendFrame(hostframes::TableData(0, hostframes::TableSettingsRecord(settings)));
        TakeFrames();
    }
    TPictureButton& Button(int index) { return client->TopBar().Button(index); }
};

TEST_F(TableBankerTest, WithFourInTheListTwiceTheEntryIsNotEnoughToApply) {
    Start(2000000);
    SendScene(FreeTime({kApplicant1, kApplicant2, kApplicant3}));
    EXPECT_TRUE(Button(0).Visible());
    EXPECT_FALSE(Button(0).Enabled());
    SendScene(FreeTime({kApplicant1, kApplicant2}));
    EXPECT_TRUE(Button(0).Enabled());
    TakeFrames();
    Table().BankerButtonClick(0);
    ByteWriter apply;
    apply.WriteU8(24);
    apply.WriteU8(0);
    apply.WriteI64(kMe);
    apply.WriteU8(kMySeat);
    EXPECT_THAT(TakeRequests(), ElementsAre(apply.Take()));
}

TEST_F(TableBankerTest, AnApplicantSeesWithdrawInsteadOfApplyAndTheBankerStepDown) {
    Start(2000000);
    SendScene(FreeTime({kApplicant1, kMe}));
    EXPECT_FALSE(Button(0).Visible());
    EXPECT_TRUE(Button(1).Visible());
    EXPECT_TRUE(Button(1).Enabled());
    EXPECT_FALSE(Button(2).Visible());
    TakeFrames();
    Table().BankerButtonClick(1);
    EXPECT_EQ(HexOf(TakeRequests().at(0)), "1801e90300000000000003");

    TTableScene scene = FreeTime({});
    scene.BankerList[0] = {kMe, kMySeat};
    SendScene(scene);
    EXPECT_FALSE(Button(0).Visible());
    EXPECT_FALSE(Button(1).Visible());
    EXPECT_TRUE(Button(2).Visible());
}

TEST_F(TableBankerTest, EveryBankerButtonIsDisabledWhileAGameIsInProgress) {
    Start(5000000);
    TTableScene scene = FreeTime({kApplicant1});
    scene.GrabAllowed = true;
    scene.GrabAfterRounds = 1;
    SendScene(scene);
    EXPECT_TRUE(Button(0).Enabled());
    EXPECT_TRUE(Button(3).Visible());
    EXPECT_TRUE(Button(3).Enabled());
    scene.GameInProgress = true;
    scene.Phase = TGamePhase::Betting;
    SendScene(scene);
    EXPECT_FALSE(Button(0).Enabled());
    EXPECT_FALSE(Button(3).Enabled());
    const auto flags = Table().BankerButtonFlags();
    EXPECT_FALSE(flags[3] || flags[4] || flags[5]);
}

TEST_F(TableBankerTest, GrabIsOfferedOnlyWhenAllowedAndAnswersAreExplained) {
    Start();
    TTableScene scene = FreeTime({});
    SendScene(scene);
    EXPECT_FALSE(Button(3).Visible());
    scene.GrabAllowed = true;
    scene.GrabAfterRounds = 3;
    scene.GrabPrice = 300000;
    SendScene(scene);
    EXPECT_TRUE(Button(3).Visible());
    EXPECT_FALSE(Button(3).Enabled());
    TakeFrames();
    Table().BankerButtonClick(3);
    EXPECT_EQ(HexOf(TakeRequests().at(0)), "20e903000000000000");
    TakeLines();
    for (std::int32_t outcome : {-1, 1, 2, 7}) {
        TGrabBankerReply reply;
        reply.Outcome = outcome;
        SendNotice(reply.Write());
    }
    EXPECT_THAT(TakeLines(), ElementsAre("kind=7 抢庄失败", "kind=7 现在不能抢庄",
                                         "kind=7 您的游戏豆不足500000，不能抢庄"));
}

TEST_F(TableBankerTest, ANewBankerIsAnnouncedWithHisLevelOnce) {
    Start();
    WriteIni(
        "[Level]\nLevelCount=3\nLevel1Score=99\nLevel1Name=[新手]\nLevel1Speak=请多关照\n"
        "Level2Score=1000\nLevel2Name=[富豪]\nLevel2Speak=大家发财\nLevel3Score=9000\nLevel3Name=[大亨]\n");
    SendScene(FreeTime({}));
    TakeLines();
    SendNotice(BankerListNotice(kBanker));
    EXPECT_THAT(TakeLines(), ElementsAre("kind=7 [富豪]庄家大老板上庄啦,大家发财"));
    EXPECT_EQ(Table().LastAnnouncedBanker(), kBanker);
    SendNotice(BankerListNotice(kBanker));
    EXPECT_TRUE(TakeLines().empty());
    // A banker whose score lies below every level but the first is still the first level's.
    SendNotice(BankerListNotice(kMe));
    EXPECT_THAT(TakeLines(), ElementsAre("kind=7 [新手]玩家甲上庄啦,请多关照"));
}

TEST_F(TableBankerTest, LevelsMayFollowTheBeansInsteadOfTheScore) {
    Start();
    WriteIni("[Level]\nLevelCount=2\nLevelRelateScore=0\nLevel1Name=[小庄]\nLevel2Score=4000000\nLevel2Name=["
             "大庄]\n");
    SendScene(FreeTime({}));
    TakeLines();
    SendNotice(BankerListNotice(kBanker));
    EXPECT_THAT(TakeLines(), ElementsAre("kind=7 [大庄]庄家大老板上庄啦,"));
}

TEST_F(TableBankerTest, WithoutLevelsANewBankerIsNotAnnounced) {
    Start();
    TTableScene scene = FreeTime({});
    scene.NoBanker = true;
    SendScene(scene);
    TakeLines();
    SendNotice(BankerListNotice(kBanker, 0));
    EXPECT_TRUE(TakeLines().empty());
    EXPECT_FALSE(client->Scene().NoBanker);
    EXPECT_EQ(client->Scene().BankerWinnings, 12000);
}

TEST_F(TableBankerTest, ABankerLeavingBeforeTheLeastRoundsIsWarnedOfThePenalty) {
    Start();
    SeatTable(2);
    TTableScene scene = FreeTime({});
    scene.BankerList[0] = {kMe, kMySeat};
    scene.MinBankerRounds = 5;
    scene.BankerRounds = 2;
    scene.EarlyLeavePenalty = 1000;
    SendScene(scene);
    std::string message;
    EXPECT_FALSE(client->QueryQuit(message));
    EXPECT_EQ(message, "您最少要当庄5局，\r\n否则会扣除您1000游戏豆");
    EXPECT_FALSE(client->CanQuitFreely());

    scene.EarlyLeavePenalty = 0;
    SendScene(scene);
    EXPECT_TRUE(client->QueryQuit(message));
    EXPECT_TRUE(message.empty());
    EXPECT_TRUE(client->CanQuitFreely());

    scene.EarlyLeavePenalty = 1000;
    scene.BankerRounds = 5;
    SendScene(scene);
    EXPECT_TRUE(client->QueryQuit(message));
    EXPECT_TRUE(client->CanQuitFreely());
}

TEST_F(TableBankerTest, AloneAtTheTableTheBankerLeavesWithoutWarningButAStakeKeepsAPlayer) {
    Start();
    SeatTable(1);
    TTableScene scene = FreeTime({});
    scene.BankerList[0] = {kMe, kMySeat};
    scene.MinBankerRounds = 5;
    scene.BankerRounds = 2;
    scene.EarlyLeavePenalty = 1000;
    SendScene(scene);
    std::string message;
    EXPECT_TRUE(client->QueryQuit(message));
    EXPECT_FALSE(client->CanQuitFreely());

    TTableScene betting = RoomScene(TGamePhase::Betting);
    betting.OwnStakes[brTie] = 500;
    SendScene(betting);
    EXPECT_FALSE(client->CanQuitFreely());
    EXPECT_FALSE(client->ShowScoreNotes());
    EXPECT_FALSE(client->CanAskToLeave());
}

} // namespace
} // namespace morvane::test
