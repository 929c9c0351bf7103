#include "plugin/HubFixture.h"

#include <gmock/gmock.h>

namespace morvane::test {
namespace {

using hostframes::MakeUser;
using hostframes::TScoreLine;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ScoreBlockTest : public HubTest {
protected:
    void SetUp() override {
        Start();
        user->SetUserFlag(0);
        Post(hostframes::FullUserList({MakeUser(kMe, 0, true, "甲"), MakeUser(5, 1, true, "乙")}));
        // A departed player still gets his line.
        Post(hostframes::UserEnter(MakeUser(6, 2, true, "丙")));
        Post(hostframes::UserLeave(6));
        settings.settings.ScoreNotes = 1;
        settings.settings.BeanNotes = 1;
        hostframes::SetShortString(settings.settings.ScoreName, 20, "积分");
        hostframes::SetShortString(settings.settings.BeanName, 21, "金豆");
        settings.count = 2;
        settings.seats.resize(2);
        settings.seats[0].UserID = kMe;
        settings.seats[0].Name = "甲";
        settings.seats[1].UserID = 5;
        settings.seats[1].Name = "乙";
        ApplySettings(settings);
        log.clear();
        chat->lines.clear();
    }

    hostframes::TSettingsRecord settings;
};

TEST_F(ScoreBlockTest, FlagOnePrintsNoteBlocksAndCountsResults) {
    Post(hostframes::ScoreBlock(
        1, 4, {{kMe, 10, 110, -200, 800}, {5, -10, 90, 0, 1000}, {6, 0, 50, 0, 7}, {404, 1, 1, 1, 1}}));
    EXPECT_THAT(chat->lines, ElementsAre("kind=6 本局积分:\r甲      : +10\r乙      : -10\r丙      : 0",
                                         "kind=6 本局金豆:\r甲      : -200\r乙      : 0\r丙      : 0"));
    const STRU_PLUGIN_USERINFO* me = hub->FindUser(kMe);
    EXPECT_EQ(+me->Score, 110);
    EXPECT_EQ(+me->Beans, 800);
    EXPECT_EQ(+me->Losses, 1);
    EXPECT_EQ(+hub->FindUser(5)->Losses, 1);
    EXPECT_THAT(log, Contains("client.DoScoreBlock 1 4"));
    EXPECT_THAT(log, Contains("score.DoScoreBlock 1 4"));
}

TEST_F(ScoreBlockTest, HiddenNamesShowSeatsInTheNotes) {
    user->SetUserFlag(1);
    Post(hostframes::ScoreBlock(1, 2, {{kMe, 10, 110, 0, 0}, {5, 0, 0, 3, 3}}));
    ASSERT_EQ(chat->lines.size(), 2u);
    EXPECT_EQ(chat->lines[0], "kind=6 本局积分:\r甲      : +10\r方位2用户: 0");
}

TEST_F(ScoreBlockTest, OnlySwitchedOnBlocksArePrintedAndBothOffSkipsTheFrame) {
    settings.settings.BeanNotes = 0;
    ApplySettings(settings);
    chat->lines.clear();
    Post(hostframes::ScoreBlock(1, 1, {{kMe, 3, 3, 3, 3}}));
    EXPECT_THAT(chat->lines, ElementsAre("kind=6 本局积分:\r甲      : +3"));
    // A single entry is not counted as a result.
    EXPECT_EQ(+hub->FindUser(kMe)->Wins, 0);

    settings.settings.ScoreNotes = 0;
    ApplySettings(settings);
    chat->lines.clear();
    log.clear();
    Post(hostframes::ScoreBlock(1, 1, {{kMe, 3, 999, 3, 3}}));
    EXPECT_THAT(chat->lines, IsEmpty());
    EXPECT_THAT(log, IsEmpty());
    EXPECT_EQ(+hub->FindUser(kMe)->Score, 3);
}

TEST_F(ScoreBlockTest, FlagTwoUpdatesSilently) {
    Post(hostframes::ScoreBlock(2, 2, {{kMe, 10, 500, 5, 600}, {5, -10, 90, -5, 10}}));
    EXPECT_THAT(chat->lines, IsEmpty());
    EXPECT_EQ(+hub->FindUser(kMe)->Score, 500);
    EXPECT_EQ(+hub->FindUser(kMe)->Wins, 0);
    EXPECT_THAT(log, Contains("client.DoScoreBlock 2 2"));
}

TEST_F(ScoreBlockTest, TheClientCanSilenceTheNotes) {
    client->showScoreNotes = false;
    Post(hostframes::ScoreBlock(1, 2, {{kMe, 10, 110, 0, 0}, {5, -10, 0, 0, 0}}));
    EXPECT_THAT(chat->lines, IsEmpty());
    EXPECT_EQ(+hub->FindUser(kMe)->Wins, 1);
}

TEST_F(ScoreBlockTest, CountsAreHeldToTheEntriesTheFrameCarries) {
    Post(hostframes::ScoreBlock(2, 150, {{kMe, 1, 42, 0, 0}}, false));
    EXPECT_THAT(log, Contains("client.DoScoreBlock 2 1"));
    EXPECT_EQ(+hub->FindUser(kMe)->Score, 42);
    log.clear();
    Post(hostframes::ScoreBlock(2, -1, {{kMe, 1, 42, 0, 0}}));
    Post(hostframes::ScoreBlock(0, 1, {{kMe, 1, 43, 0, 0}}));
    Post({16, 1, 1, 0});
    EXPECT_THAT(log, IsEmpty());
}

TEST_F(ScoreBlockTest, ExtremeDeltasCountWithoutOverflow) {
    const std::int64_t big = INT64_MAX;
    Post(hostframes::ScoreBlock(1, 2, {{kMe, big, 0, big, 0}, {5, INT64_MIN, 0, -1, 0}}));
    EXPECT_EQ(+hub->FindUser(kMe)->Wins, 1);
    EXPECT_EQ(+hub->FindUser(5)->Losses, 1);
}

} // namespace
} // namespace morvane::test
