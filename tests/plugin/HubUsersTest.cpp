#include "plugin/HubFixture.h"

#include <cstring>
#include <gmock/gmock.h>

namespace morvane::test {
namespace {

using hostframes::MakeUser;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(HeadlessTest, AHubWithoutFormOrHostDecodesFramesIntoItsRoster) {
    // The decoder needs neither a window nor a hall: the fuzz targets and tools drive it like this.
    TCustomPluginShare hub(nullptr);
    const std::vector<std::uint8_t> enter = hostframes::UserEnter(MakeUser(7, 2, true, "丁"));
    hub.ProcessFrame(enter);
    ASSERT_EQ(hub.Users().size(), 1u);
    EXPECT_EQ(+hub.Users()[0]->Seat, 2);
    const std::vector<std::uint8_t> leave = hostframes::UserLeave(7);
    hub.ProcessFrame(leave);
    EXPECT_TRUE(hub.Users().empty());
    ASSERT_EQ(hub.DepartedUsers().size(), 1u);
    const std::int64_t departedId = hub.DepartedUsers()[0]->UserID; // a packed field, copied out
    EXPECT_EQ(departedId, 7);
}

// A long session of comings and goings: only the latest departures are kept, a user who leaves again
// counts as departed anew, and the oldest go first.
TEST_F(HeadlessTest, AHubKeepsOnlyTheLatestDepartures) {
    TCustomPluginShare hub(nullptr);
    const std::int64_t kept = std::int64_t(TCustomPluginShare::kMaxDepartedUsers);
    auto comeAndGo = [&hub](std::int64_t id) {
        hub.ProcessFrame(hostframes::UserEnter(MakeUser(id, 0, false, "过客")));
        hub.ProcessFrame(hostframes::UserLeave(id));
    };
    for (std::int64_t id = 1; id <= kept; ++id)
        comeAndGo(id);
    ASSERT_EQ(hub.DepartedUsers().size(), std::size_t(kept));
    comeAndGo(1); // the oldest leaves again: now the newest
    comeAndGo(kept + 1);
    comeAndGo(kept + 2);
    EXPECT_EQ(hub.DepartedUsers().size(), std::size_t(kept));
    EXPECT_NE(hub.FindDepartedUser(1), nullptr);
    EXPECT_EQ(hub.FindDepartedUser(2), nullptr);
    EXPECT_EQ(hub.FindDepartedUser(3), nullptr);
    EXPECT_NE(hub.FindDepartedUser(4), nullptr);
    EXPECT_NE(hub.FindDepartedUser(kept + 2), nullptr);
    const std::int64_t newest = hub.DepartedUsers().back()->UserID; // a packed field, copied out
    EXPECT_EQ(newest, kept + 2);
}

class HubUsersTest : public HubTest {
protected:
    void SetUp() override {
        Start();
        // Names are shown only when the table settings say so.
        user->SetUserFlag(0);
    }
};

TEST_F(HubUsersTest, AListWithMeSeatedTakesMySeatAndAsksForNothing) {
    Post(hostframes::FullUserList({MakeUser(5, 1, true, "乙"), MakeUser(kMe, 3, true, "甲")}));
    EXPECT_TRUE(hub->Seated());
    EXPECT_EQ(hub->MySeat(), 3);
    ASSERT_NE(hub->MyRecord(), nullptr);
    EXPECT_EQ(+hub->MyRecord()->UserID, kMe);
    EXPECT_TRUE(host.Sent().empty());
    EXPECT_THAT(log, ElementsAre("client.DoPlayerSeated 乙 ext=0 seat=1 id=5",
                                 "client.DoPlayerSeated 甲 ext=0 seat=3 id=1001", "client.DoUserList 2",
                                 "user.DoUserList 2"));
    EXPECT_THAT(TakeSounds(), ElementsAre("Public_BeOn.mp3", "Public_BeOn.mp3"));
}

TEST_F(HubUsersTest, AListWithoutMeAsksForSeatZero) {
    Post(hostframes::FullUserList({MakeUser(5, 1, true, "乙")}));
    EXPECT_FALSE(hub->Seated());
    EXPECT_THAT(SentBytes(), ElementsAre(std::vector<std::uint8_t>{13, 0, 1}));
}

TEST_F(HubUsersTest, AShortListIsHandedOnAsTwoHundredSlotsPaddedWithZeros) {
    // The frame claims 150 users but carries two records.
    Post(hostframes::UserList(150, {MakeUser(5, 1, false, "乙"), MakeUser(6, 2, false, "丙")}));
    EXPECT_EQ(client->lastUserCount, 2);
    EXPECT_EQ(+client->lastUsers[1].UserID, 6);
    const STRU_PLUGIN_USERINFO zero{};
    for (std::size_t i = 2; i < client->lastUsers.size(); ++i)
        ASSERT_EQ(std::memcmp(&client->lastUsers[i], &zero, sizeof zero), 0) << "slot " << i;
    EXPECT_EQ(hub->Users().size(), 2u);
}

TEST_F(HubUsersTest, ANegativeCountOrTruncatedRecordAddsNobody) {
    Post(hostframes::UserList(-3, {MakeUser(5, 1, false, "乙")}));
    EXPECT_TRUE(hub->Users().empty());
    std::vector<std::uint8_t> cut = hostframes::UserList(1, {MakeUser(5, 1, false, "乙")});
    cut.resize(cut.size() - 1);
    Post(cut);
    EXPECT_TRUE(hub->Users().empty());
    EXPECT_EQ(client->lastUserCount, 0);
    Post({9, 1, 0}); // shorter than its count field
    EXPECT_THAT(log, Contains("client.DoUserList 0"));
}

TEST_F(HubUsersTest, ASeatedNewcomerEvictsTheSeatHolder) {
    Post(hostframes::FullUserList({MakeUser(kMe, 0, true, "甲"), MakeUser(5, 2, true, "乙")}));
    log.clear();
    chat->lines.clear();
    TakeSounds();

    Post(hostframes::UserEnter(MakeUser(6, 2, true, "丙")));
    EXPECT_THAT(log, ElementsAre("client.DoUserLeave 5", "user.DoUserLeave 5",
                                 "client.DoPlayerUnseated seat=2 id=5",
                                 "client.DoPlayerSeated 丙 ext=0 seat=2 id=6", "client.DoUserEnter 6"));
    EXPECT_THAT(chat->lines, ElementsAre("kind=8 \"乙\"离开房间", "kind=8 \"丙\"进入房间"));
    EXPECT_THAT(TakeSounds(), ElementsAre("Public_BeOff.mp3", "Public_BeOn.mp3"));
    ASSERT_EQ(hub->DepartedUsers().size(), 1u);
    EXPECT_EQ(+hub->DepartedUsers()[0]->UserID, 5);
    EXPECT_EQ(hub->FindUser(5), nullptr);
    EXPECT_NE(hub->FindUser(6), nullptr);
}

TEST_F(HubUsersTest, AWatcherEnteringIsAnnouncedWithThePlayerHeWatches) {
    Post(hostframes::FullUserList({MakeUser(kMe, 0, true, "甲"), MakeUser(5, 2, true, "乙")}));
    chat->lines.clear();
    Post(hostframes::UserEnter(MakeUser(6, 2, false, "丙")));
    EXPECT_THAT(chat->lines, ElementsAre("kind=8 \"丙\"进入房间", "kind=8 \"丙\"正在旁观\"乙\""));
    // Entering twice changes nothing.
    chat->lines.clear();
    Post(hostframes::UserEnter(MakeUser(6, 2, false, "丙")));
    EXPECT_THAT(chat->lines, IsEmpty());
}

TEST_F(HubUsersTest, HiddenNamesShowTheSeatInsteadExceptMine) {
    user->SetUserFlag(1);
    Post(hostframes::FullUserList({MakeUser(kMe, 0, true, "甲")}));
    chat->lines.clear();
    Post(hostframes::UserEnter(MakeUser(6, 4, false, "丙")));
    EXPECT_THAT(chat->lines, ElementsAre("kind=8 \"方位5用户\"进入房间"));
    EXPECT_EQ(hub->DisplayName(6), "方位5用户");
    EXPECT_EQ(hub->DisplayName(kMe), "甲");
    EXPECT_EQ(hub->DisplayName(404), "");
}

TEST_F(HubUsersTest, DisplayNameDropsControlBytes) {
    STRU_PLUGIN_USERINFO odd = MakeUser(6, 4, false,
                                        "a\x01"
                                        "b\tc");
    Post(hostframes::UserEnter(odd));
    EXPECT_EQ(hub->DisplayName(6), "abc");
}

TEST_F(HubUsersTest, SeatChangesFollowTheChangedFlag) {
    Post(hostframes::FullUserList({MakeUser(kMe, 0, false, "甲"), MakeUser(5, 2, false, "乙")}));
    log.clear();
    Post(hostframes::SeatChange(kMe, 7, true, 1));
    EXPECT_TRUE(hub->Seated());
    EXPECT_EQ(hub->MySeat(), 7);
    EXPECT_EQ(+hub->FindUser(kMe)->Seat, 7);
    Post(hostframes::SeatChange(5, 9, true, 0)); // unchanged: only told on
    EXPECT_EQ(+hub->FindUser(5)->Seat, 2);
    Post(hostframes::SeatChange(kMe, 7, false, 1));
    EXPECT_FALSE(hub->Seated());
    EXPECT_THAT(log, ElementsAre("client.DoPlayerSeated 甲 ext=0 seat=7 id=1001",
                                 "client.DoUserSeat 7 1 1 1001", "client.DoUserSeat 9 1 0 5",
                                 "client.DoPlayerUnseated seat=7 id=1001", "client.DoUserSeat 7 0 1 1001"));
}

TEST_F(HubUsersTest, ALeavingUserReplacesHisEarlierDepartedRecord) {
    STRU_PLUGIN_USERINFO first = MakeUser(5, 2, false, "乙");
    Post(hostframes::UserEnter(first));
    Post(hostframes::UserLeave(5));
    first.Score = 900;
    Post(hostframes::UserEnter(first));
    Post(hostframes::UserLeave(5));
    ASSERT_EQ(hub->DepartedUsers().size(), 1u);
    EXPECT_EQ(+hub->DepartedUsers()[0]->Score, 900);
    EXPECT_NE(hub->FindDepartedUser(5), nullptr);
}

TEST_F(HubUsersTest, UserStateAndValueReachTheRecordsAndComponents) {
    Post(hostframes::FullUserList({MakeUser(kMe, 0, true, "甲")}));
    Post(hostframes::UserState(kMe, 4));
    EXPECT_EQ(hub->MyState(), 4);
    Post(hostframes::UserValue(kMe, -12));
    EXPECT_EQ(+hub->FindUser(kMe)->UserValue, -12);
    EXPECT_THAT(log, Contains("client.DoUserValue -12 1001"));
}

TEST_F(HubUsersTest, AutoAttributeGoesToWhoeverComesToMySeat) {
    Post(hostframes::FullUserList({MakeUser(kMe, 3, true, "甲")}));
    host.TakeSent();
    user->SetAutoAttribute(2);
    Post(hostframes::UserEnter(MakeUser(6, 3, false, "丙")));
    Post(hostframes::UserEnter(MakeUser(7, 4, false, "丁")));
    std::vector<std::uint8_t> expected = TableOut(kMe, 33, {6, 0, 0, 0, 0, 0, 0, 0, 2});
    EXPECT_THAT(SentBytes(), ElementsAre(expected));
}

} // namespace
} // namespace morvane::test
