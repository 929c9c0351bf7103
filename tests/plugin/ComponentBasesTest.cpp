#include "gui/MenuItem.h"
#include "gui/PopupMenu.h"
#include "plugin/HubFixture.h"

#include <cstring>
#include <gmock/gmock.h>

namespace morvane::test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

TPluginSeatEntry Seat(std::int64_t id, const std::string& name, int rounds, std::uint8_t inactive = 0) {
    TPluginSeatEntry entry;
    entry.UserID = id;
    entry.Name = name;
    entry.RoundsPlayed = rounds;
    entry.Inactive = inactive;
    entry.Amount55 = -id;
    return entry;
}

class TableSettingsTest : public HubTest {
protected:
    void SetUp() override {
        Start();
        record.values[0] = 11;
        record.values[3] = -4;
        record.flag = 3;
        record.settings.RequiredRounds = 3;
        record.settings.MinPlayerCount = 3;
        record.settings.HideNames = 1;
        record.settings.ChatMode = 2;
        hostframes::SetShortString(record.settings.MoneyName, 42, "金币");
        hostframes::SetShortString(record.settings.BeanName, 21, "银豆");
        record.settings.ScoreName[0] = 200; // longer than its field: held to it
        std::memset(record.settings.ScoreName + 1, 'S', 19);
        record.seats = {Seat(kMe, "甲", 2), Seat(5, "乙", 0), Seat(6, "丙", 7, 1)};
        record.count = 3;
    }
    hostframes::TSettingsRecord record;
};

TEST_F(TableSettingsTest, SettingsReachTheClientTheComponentsAndTheHost) {
    ApplySettings(record);
    EXPECT_EQ(client->TableValue(0), 11);
    EXPECT_EQ(client->TableValue(3), -4);
    EXPECT_EQ(client->TableFlag(), 3);
    EXPECT_EQ(client->MoneyName(), "金币");
    EXPECT_EQ(hub->BeanName(), "银豆");
    EXPECT_EQ(hub->ScoreName(), std::string(19, 'S'));
    EXPECT_EQ(user->UserFlag(), 1);
    EXPECT_TRUE(hub->HideNames());
    EXPECT_EQ(chat->ChatMode(), 2);
    EXPECT_FALSE(hub->UserMenu()->Items().Items(1)->Visible());
    EXPECT_TRUE(hub->UserMenuOn());
    EXPECT_THAT(SentBytes(), ElementsAre(std::vector<std::uint8_t>{7, 0xE9, 0x03, 0, 0, 0, 0, 0, 0}));
    EXPECT_THAT(log, Contains("user.DoTableSettings 0"));
    ASSERT_EQ(client->Seats().size(), 3u);
    EXPECT_EQ(client->Seats()[2].Amount55, -6);
    EXPECT_EQ(client->SeatName(5), "乙");
    EXPECT_EQ(client->SeatName(404), "");
    EXPECT_EQ(client->ActivePlayerCount(), 2);
}

TEST_F(TableSettingsTest, MatchModeSwitchesTheMenuOffAndTheChatToOne) {
    record.settings.MatchMode = 1;
    record.settings.ChatMode = 0;
    ApplySettings(record);
    EXPECT_FALSE(hub->UserMenuOn());
    EXPECT_EQ(chat->ChatMode(), 1);
    EXPECT_TRUE(hub->UserMenu()->Items().Items(1)->Visible());
}

TEST_F(TableSettingsTest, ACountOutsideTheTableKeepsThePreviousSeats) {
    ApplySettings(record);
    for (std::int32_t count : {201, -1}) {
        hostframes::TSettingsRecord other = record;
        other.settings.RequiredRounds = 9;
        other.count = count;
        other.seats = {Seat(8, "戊", 1)};
        ApplySettings(other);
        EXPECT_EQ(client->RequiredRounds(), 9);
        ASSERT_EQ(client->Seats().size(), 3u) << count;
    }
}

TEST_F(TableSettingsTest, ACountBeyondTheEntriesTakesTheEntriesPresent) {
    record.count = 150;
    ApplySettings(record);
    EXPECT_EQ(client->Seats().size(), 3u);
}

TEST_F(TableSettingsTest, AShortRecordIsIgnored) {
    std::vector<std::uint8_t> bytes = hostframes::TableSettingsRecord(record);
    bytes.resize(147);
    Post(hostframes::TableData(0, bytes));
    EXPECT_EQ(client->RequiredRounds(), 0);
    EXPECT_TRUE(host.Sent().empty());
}

TEST_F(TableSettingsTest, CanLeaveSeatFollowsRoundsAndPlayers) {
    ApplySettings(record);
    EXPECT_TRUE(client->CanLeaveSeat(404)); // no entry
    EXPECT_TRUE(client->CanLeaveSeat(5));   // no round yet
    EXPECT_TRUE(client->CanLeaveSeat(6));   // inactive
    // 2 of 3 rounds played, 2 active players below the minimum of 3: free.
    EXPECT_TRUE(client->CanLeaveSeat(kMe));
    record.settings.MinPlayerCount = 2;
    ApplySettings(record);
    EXPECT_FALSE(client->CanLeaveSeat(kMe));
    record.seats[0].RoundsPlayed = 3;
    ApplySettings(record);
    EXPECT_TRUE(client->CanLeaveSeat(kMe));
    EXPECT_EQ(client->RoundsPlayed(kMe), 3);
}

TEST_F(TableSettingsTest, NoticeRecordShowsTheNoteDialogAndOtherRecordsAreLeftAlone) {
    Post(hostframes::TableData(0, hostframes::NoticeRecord("今晚维护")));
    EXPECT_THAT(log, Contains("dialog 提示 | 今晚维护 | 确定 life=3"));
    log.clear();
    Post(hostframes::TableData(0, std::vector<std::uint8_t>{12, 1, 2}));
    Post(hostframes::TableData(0, std::vector<std::uint8_t>{254}));
    EXPECT_THAT(log, ElementsAre("client.DoTableData len=3 from=0", "client.DoTableData len=1 from=0",
                                 "dialog 提示 |  | 确定 life=3"));
    EXPECT_TRUE(host.Sent().empty());
}

TEST_F(HubTest, ClientInitialisationResetsTheTableValues) {
    Start();
    EXPECT_EQ(client->TableValue(0), 1);
    EXPECT_EQ(client->TableValue(1), 0);
    EXPECT_EQ(client->TableValue(2), 1);
    EXPECT_EQ(client->TableFlag(), 0);
    EXPECT_TRUE(client->IsPlaying() == false);
    EXPECT_EQ(client->GetMyID(), kMe);
}

class TBareClient : public TCustomPluginClient {
public:
    using TCustomPluginClient::TCustomPluginClient;
    void GetFacePath(std::string& path) override { path = "faces"; }
};

TEST_F(HeadlessTest, AClientWithoutHubAsksForNothing) {
    TBareClient bare(nullptr);
    EXPECT_EQ(bare.GetMyID(), 0);
    EXPECT_FALSE(bare.IsPlaying());
    bare.SendReady();
    bare.SendChat("x");
    bare.DoInitialize();
    std::string text = "keep";
    EXPECT_TRUE(bare.QueryQuit(text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(bare.CanQuitFreely());
    EXPECT_TRUE(bare.CanLeaveSeat(1));
}

TEST_F(HeadlessTest, AClientPutsBackTheDesktopModeItFound) {
    const TDisplayMode before = platform.DisplayMode();
    {
        TBareClient bare(nullptr);
        EXPECT_EQ(bare.DesktopMode(), before);
        ASSERT_TRUE(platform.ChangeDisplayMode({800, 600, 16}));
    }
    EXPECT_EQ(platform.DisplayMode(), before);
}

TEST_F(HeadlessTest, ADialogWithoutParentFormAnswersYesAtOnce) {
    TCustomPluginDialog bare(nullptr);
    EXPECT_EQ(bare.OkCaption(), "确定");
    EXPECT_EQ(bare.CancelCaption(), "取消");
    EXPECT_FALSE(bare.Visible());
    EXPECT_EQ(bare.Execute(), 1);
    EXPECT_EQ(bare.GetItemIndex(), -1);
    EXPECT_EQ(bare.Perform(TCustomPluginDialog::WM_GETDLGCODE), 1);
}

TEST_F(HeadlessTest, ADialogRunsModallyOnItsFormAndAnswersKeys) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* dialog = form.Own(std::make_unique<TCustomPluginDialog>(&form));
    dialog->SetParent(&form);
    dialog->SetBounds(10, 10, 200, 100);
    dialog->SetMessage("确定吗");
    int step = 0;
    app.OnModalIdle = [&] {
        if (step++ > 0) return false;
        TKey enter = VK_RETURN;
        dialog->KeyDown(enter, 0);
        return true;
    };
    EXPECT_EQ(dialog->Execute(), 1);
    EXPECT_TRUE(form.Showing());
    EXPECT_EQ(dialog->Message(), "");
    EXPECT_FALSE(dialog->Visible());

    step = 0;
    app.OnModalIdle = [&] {
        if (step++ > 0) return false;
        dialog->DoFinalize();
        return true;
    };
    EXPECT_EQ(dialog->Execute(), 3);
    app.OnModalIdle = nullptr;
}

} // namespace
} // namespace morvane::test

namespace morvane::test {
namespace {

TEST_F(HeadlessTest, AHubWithoutComponentsUsesTheFixedUnitNamesAndHidesNames) {
    TPluginShare50 hub(nullptr);
    EXPECT_EQ(hub.ScoreName(), "积分");
    EXPECT_EQ(hub.BeanName(), "游戏豆");
    EXPECT_EQ(hub.MoneyName(), "星币");
    EXPECT_TRUE(hub.HideNames());
    EXPECT_EQ(hub.UserMenu()->Items().Count(), 13);
    EXPECT_EQ(hub.UserMenu()->Items().Items(12)->Caption(), "屏蔽该玩家信息");
    EXPECT_EQ(hub.GameID(), "{0001035D-3551-4ACD-8F99-65E0404FFF8D}");
}

} // namespace
} // namespace morvane::test
