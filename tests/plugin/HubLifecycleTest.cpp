#include "base/FileVersionInfomation.h"
#include "plugin/HubFixture.h"
#include "support/BmpBuilder.h"

#include <gmock/gmock.h>

namespace morvane::test {
namespace {

using hostframes::MakeUser;
using ::testing::Contains;
using ::testing::ElementsAre;

TEST_F(HubTest, StartUpAsksTheHostThenInitialisesInFixedOrderAndAnnouncesReadiness) {
    WriteIni("[Option]\nHaveSound=1\n");
    hub->OnInitialize = [this](TCustomPluginShare*) { log.push_back("OnInitialize"); };
    Start(true);

    EXPECT_THAT(host.Calls(), ElementsAre("GetHostTag", "GetHostDirectory", "GetFaceImageList", "SendData"));
    EXPECT_THAT(log, ElementsAre("user.DoOptionsLoaded", "chat.DoOptionsLoaded", "client.DoOptionsLoaded",
                                 "user.DoInitialize", "chat.DoInitialize", "client.DoInitialize",
                                 "client.DoChatLine 当前客户端版本为:" + LibraryVersion().FileVersion,
                                 "score.DoInitialize", "dialog.DoInitialize", "OnInitialize"));
    EXPECT_THAT(chat->lines, ElementsAre("kind=7 当前客户端版本为:" + LibraryVersion().FileVersion));
    // The only frame of a start-up is the ready request.
    EXPECT_THAT(SentBytes(), ElementsAre(TableOut(kMe, 2)));
    EXPECT_EQ(host.Sent()[0].cookie, cookie);
    EXPECT_EQ(host.Sent()[0].toId, 0);
    EXPECT_EQ(hub->HostDir(), "C:\\Hall\\");
    EXPECT_EQ(hub->FaceSmallDir(), "C:\\Hall\\\\Face\\Small\\");
    EXPECT_EQ(hub->Cookie(), cookie);
    EXPECT_EQ(hub->Extra(), 7);
    EXPECT_FALSE(hub->Duplicate());
    EXPECT_EQ(
        hub->MarkerName(), hub->GameID() + "-" + [this] {
            char text[32];
            std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(cookie));
            return std::string(text);
        }());
}

TEST_F(HubTest, WithoutHostInterfaceNothingIsAskedOrSent) {
    hub->Initialize("桌", "甲", cookie, form->Handle(), kMe, 0);
    EXPECT_TRUE(host.Calls().empty());
    EXPECT_TRUE(hub->HostDir().empty());
    hub->SendStart();
    hub->Finalize();
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(HubTest, FinaliseSendsLeaveFramesOnceAndClosesLast) {
    Start();
    Post(hostframes::FullUserList({MakeUser(kMe, 4, true, "甲")}));
    host.TakeSent();
    log.clear();
    platform.TakeEffects();
    hub->OnFinialize = [this](TCustomPluginShare*) { log.push_back("OnFinialize"); };

    hub->Finalize();
    std::vector<std::uint8_t> leave{11, 0xE9, 0x03, 0, 0, 0, 0, 0, 0};
    EXPECT_THAT(SentBytes(), ElementsAre(TableOut(kMe, 96, {4}), leave));
    EXPECT_THAT(log, ElementsAre("user.DoOptionsSaved", "chat.DoOptionsSaved", "client.DoOptionsSaved",
                                 "user.DoFinalize", "chat.DoFinalize", "client.DoFinalize",
                                 "score.DoFinalize", "dialog.DoFinalize", "OnFinialize"));
    EXPECT_EQ(host.Calls().back(), "PluginClosed");
    EXPECT_THAT(host.Closed(), ElementsAre(cookie));
    EXPECT_THAT(TakeSounds(), ElementsAre("Public_Exit.mp3"));

    hub->Finalize();
    EXPECT_EQ(host.Sent().size(), 2u);
    EXPECT_EQ(host.Closed().size(), 1u);
}

TEST_F(HubTest, AWatcherLeavesWithoutTheSeatFrame) {
    Start();
    Post(hostframes::FullUserList({MakeUser(kMe, 2, false, "甲")}));
    host.TakeSent();
    hub->Finalize();
    ASSERT_EQ(host.Sent().size(), 1u);
    EXPECT_EQ(host.Sent()[0].bytes[0], 11);
}

TEST_F(HubTest, OwnLeaveFrameFinalisesTheTable) {
    Start();
    Post(hostframes::FullUserList({MakeUser(kMe, 0, true, "甲")}));
    Post(hostframes::UserLeave(kMe));
    EXPECT_TRUE(hub->Finalized());
    EXPECT_THAT(host.Closed(), ElementsAre(cookie));
    // Frames after the end are still decoded, but the table has said goodbye once only.
    Post(hostframes::UserLeave(kMe));
    EXPECT_EQ(host.Closed().size(), 1u);
}

TEST_F(HubTest, FailingHostCallEndsTheOperation) {
    Start();
    host.FailNext("SendData");
    EXPECT_THROW(hub->SendStart(), THostError);
    hub->SendStart();
    EXPECT_EQ(host.Sent().size(), 1u);
}

TEST_F(HubTest, LevelsAndOptionsComeFromTheGameIniFile) {
    WriteIni("[Option]\nHaveSound=0\nNeedShout=0\n"
             "[Level]\nLevelCount=3\nLevelRelateScore=0\nLevel1Score=500\nLevel1Name=新手\n"
             "Level2Score=abc\nLevel2Name=坏数\nLevel3Score=1000\nLevel3Name=高手\n");
    Start();
    EXPECT_FALSE(hub->HaveSound());
    EXPECT_FALSE(hub->NeedShout());
    ASSERT_EQ(hub->Levels().size(), 3u);
    EXPECT_EQ(+hub->Levels()[0].Score, -2147483647);
    EXPECT_EQ(+hub->Levels()[1].Score, 0); // unparsable
    EXPECT_FALSE(hub->LevelRelateScore());
    // Levels by beans: the last level (in table order) whose bound is reached.
    EXPECT_EQ(hub->LevelName(999999, 5), "坏数");
    EXPECT_EQ(hub->LevelName(0, 1000), "高手");
    EXPECT_EQ(hub->LevelName(0, -5), "新手");
    // Without sound nothing reaches MCI.
    hub->PlaySound("Start.wav");
    EXPECT_TRUE(TakeSounds().empty());
}

// [Option] Scale: 0 (or nothing) follows the screen, 1 to 3 fix the factor the windows are shown at; a
// value the table cannot use follows the screen. Reloading the options applies a changed value.
TEST_F(HubTest, TheScaleOptionFixesTheWindowsFactorOrFollowsTheScreen) {
    platform.SetScreenFactor(2);
    Start();
    EXPECT_EQ(hub->Scale(), 0);
    EXPECT_EQ(platform.Scale(), 2);
    const std::vector<std::pair<std::string, int>> cases{{"0", 0},  {"1", 1},  {"2", 2}, {"3", 3},  {"4", 0},
                                                         {"-1", 0}, {"2x", 0}, {"", 0},  {"big", 0}};
    for (const auto& [written, read] : cases) {
        SCOPED_TRACE(written);
        hub->IniFile()->WriteString("Option", "Scale", "3");
        hub->LoadOptions();
        ASSERT_EQ(platform.Scale(), 3);
        hub->IniFile()->WriteString("Option", "Scale", written);
        hub->LoadOptions();
        EXPECT_EQ(hub->Scale(), read);
        EXPECT_EQ(platform.Scale(), read == 0 ? 2 : read);
    }
}

TEST_F(HubTest, TheSkinsIconBitmapBecomesTheWindowIconWithItsCornerColourKeyedOut) {
    // 32 × 32: magenta with a green square in the middle (rows stored bottom-up).
    TBmpBuilder bmp;
    bmp.width = bmp.height = 32;
    for (int y = 0; y < 32; ++y) {
        TBmpBuilder::Bytes row;
        for (int x = 0; x < 32; ++x) {
            const bool square = x >= 8 && x < 24 && y >= 8 && y < 24;
            row.insert(row.end(), {0, std::uint8_t(square ? 160 : 0), 0});
            if (!square) row[row.size() - 3] = row[row.size() - 1] = 255;
        }
        bmp.rows.push_back(row);
    }
    const std::filesystem::path folder = dir / "Image" / hub->GameID();
    std::filesystem::create_directories(folder);
    const TBmpBuilder::Bytes bytes = bmp.Build();
    WriteFile(folder / (hub->IconName() + ".bmp"), std::string(bytes.begin(), bytes.end()));
    Start(true);

    EXPECT_THAT(platform.Effects(), Contains("icon 32x32"));
    ASSERT_NE(platform.WindowIcon(form->WindowId()), nullptr);
    EXPECT_EQ(platform.WindowIcon(form->WindowId())->Pixel(16, 16), TColor(0x00A000));
    EXPECT_EQ(form->Icon().Pixel(16, 16), TColor(0x00A000));
    EXPECT_EQ(form->IconMask().Pixel(16, 16), clBlack);
    EXPECT_EQ(form->Icon().Pixel(0, 0), clBlack); // keyed out: the screen shows through the mask
    EXPECT_EQ(form->IconMask().Pixel(0, 0), clWhite);
}

TEST_F(HubTest, AMissingOrDamagedIconFileLeavesTheWindowIconAlone) {
    Start(true);
    std::filesystem::create_directories(dir / "Image" / hub->GameID());
    WriteFile(dir / "Image" / hub->GameID() / (hub->IconName() + ".bmp"), "BM not really");
    hub->Initialize("百家乐一号桌", "玩家甲", cookie, form->Handle(), kMe, 7);
    for (const std::string& effect : platform.Effects())
        EXPECT_FALSE(effect.starts_with("icon")) << effect;
    EXPECT_TRUE(form->Icon().Empty());
}

TEST_F(HeadlessTest, AFormWhoseHubWentFirstIgnoresTheCommandMessage) {
    TPluginCommandForm form(nullptr);
    auto hub = std::make_unique<TPluginShare50>(nullptr);
    form.SetCommandHub(hub.get());
    hub.reset();
    EXPECT_EQ(form.CommandHub(), nullptr);
    form.Perform(WM_PLUGIN_COMMAND);
}

TEST_F(HubTest, AnAbsurdLevelCountIsHeldToAThousand) {
    WriteIni("[Level]\nLevelCount=2000000000\n");
    Start();
    EXPECT_EQ(hub->Levels().size(), 1000u);
}

TEST_F(HubTest, ClosingWithoutDialogFinalisesAtOnce) {
    Start();
    hub->SetPluginDialog(nullptr);
    bool canClose = true;
    form->OnCloseQuery(form, canClose);
    EXPECT_FALSE(canClose);
    EXPECT_TRUE(hub->Finalized());
}

TEST_F(HubTest, AFreedComponentLeavesItsSlot) {
    Start();
    form->FreeComponent(score);
    EXPECT_EQ(hub->PluginScore(), nullptr);
    Post(hostframes::GameStart()); // would hide the score panel
    form->FreeComponent(client);
    EXPECT_EQ(hub->PluginClient(), nullptr);
    Post(hostframes::GameData(0, hostframes::Bytes("x")));
}

// [Duplicate-table guard]

class DuplicateTableTest : public HubTest {
protected:
    // A first table with the same cookie already open in this process.
    void OpenFirstTable() {
        first = std::make_unique<TPluginShare50>(nullptr);
        first->SetHostInterface(&firstHost);
        first->Initialize("桌", "甲", cookie, 0, 2002, 0);
        ASSERT_FALSE(first->Duplicate());
    }
    ~DuplicateTableTest() override { first.reset(); }

    TTestHallHost firstHost;
    std::unique_ptr<TPluginShare50> first;
};

TEST_F(DuplicateTableTest, SecondTableOfTheSameCookieTellsThePlayerAndLeaves) {
    OpenFirstTable();
    Start(true);
    EXPECT_TRUE(hub->Duplicate());
    EXPECT_TRUE(hub->Finalized());
    EXPECT_THAT(
        log, ::testing::Contains("dialog 作弊嫌疑 | 同一桌不可启动两个号,您不能坐在这里！ | 退出 life=10"));
    EXPECT_THAT(host.Closed(), ElementsAre(cookie));
    // No ready request: only the leave frame went out.
    ASSERT_EQ(host.Sent().size(), 1u);
    EXPECT_EQ(host.Sent()[0].bytes[0], 11);
    std::vector<std::string> sounds = TakeSounds();
    EXPECT_THAT(sounds, ElementsAre("Public_Error.mp3", "Public_Exit.mp3"));
}

TEST_F(DuplicateTableTest, EveryGuardedRequestIsSuppressed) {
    OpenFirstTable();
    Start();
    hub->SendReady();
    hub->SendStart();
    const std::uint8_t data[] = {1, 2, 3};
    hub->SendTableData(data, 0);
    hub->SendChat("你好");
    EXPECT_EQ(hub->SendBroadcast("大家好"), 1);
    hub->RequestSeat(3, true);
    hub->SetUserAttribute(1, 55);
    hub->RequestUserList();
    Post(hostframes::TableData(0, data));
    EXPECT_TRUE(host.Sent().empty());
    EXPECT_THAT(log, ::testing::Not(::testing::Contains(::testing::StartsWith("client.DoTableData"))));
    // The table-settings record cannot ask for the user list either: it never reaches the client.
    Post(hostframes::TableData(0, hostframes::TableSettingsRecord({})));
    EXPECT_TRUE(host.Sent().empty());
}

TEST_F(DuplicateTableTest, TheFirstTableReleasesItsMarkerWhenItGoes) {
    OpenFirstTable();
    first.reset();
    Start();
    EXPECT_FALSE(hub->Duplicate());
}

TEST_F(HubTest, AReadyFrameFinalisesWhenTheMarkerWasTakenAway) {
    Start();
    Post(hostframes::UserReady(0, 77, 1));
    EXPECT_FALSE(hub->Finalized());
    platform.ReleaseMarker(hub->MarkerName());
    Post(hostframes::UserReady(0, 77, 0));
    EXPECT_TRUE(hub->Finalized());
}

} // namespace
} // namespace morvane::test
