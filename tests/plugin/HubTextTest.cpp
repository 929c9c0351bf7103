#include "gui/MenuItem.h"
#include "gui/PopupMenu.h"
#include "plugin/HubFixture.h"
#include "support/SolidPicture.h"
#include "ui/LovelyMenu.h"

#include <algorithm>
#include <gmock/gmock.h>

namespace morvane::test {
namespace {

using hostframes::MakeUser;
using ::testing::Contains;
using ::testing::ElementsAre;

class CloseQueryTest : public HubTest {
protected:
    void SetUp() override {
        Start();
        record.settings.RequiredRounds = 3;
        record.settings.MinPlayerCount = 1;
        hostframes::SetShortString(record.settings.ScoreName, 20, "积分");
        hostframes::SetShortString(record.settings.BeanName, 21, "金豆");
        TPluginSeatEntry me;
        me.UserID = kMe;
        me.Name = "甲";
        me.RoundsPlayed = 2;
        record.seats = {me};
        record.count = 1;
    }
    bool Close() {
        bool canClose = true;
        form->OnCloseQuery(form, canClose);
        EXPECT_FALSE(canClose); // the form never closes by itself
        return hub->Finalized();
    }
    void SitDown() { Post(hostframes::FullUserList({MakeUser(kMe, 0, true, "甲")})); }

    hostframes::TSettingsRecord record;
};

TEST_F(CloseQueryTest, AWatcherLeavesWithoutBeingAsked) {
    ApplySettings(record);
    EXPECT_TRUE(Close());
    EXPECT_THAT(log, ::testing::Not(Contains(::testing::StartsWith("dialog "))));
}

TEST_F(CloseQueryTest, AMatchAsksAndOnlyYesLeaves) {
    record.settings.MatchMode = 1;
    ApplySettings(record);
    SitDown();
    dialog->answers = {2, 1};
    EXPECT_FALSE(Close());
    EXPECT_THAT(log, Contains("dialog 警告 | 正在比赛中，您确定要退出比赛吗？ | 退出 / 不退出 life=30"));
    EXPECT_FALSE(hub->CloseQuerying());
    EXPECT_TRUE(Close());
}

TEST_F(CloseQueryTest, LeavingDuringAGameWarnsOfThePenalty) {
    record.settings.PenaltySwitchA = 1;
    ApplySettings(record);
    SitDown();
    Post(hostframes::GameStart());
    dialog->answers = {2};
    EXPECT_FALSE(Close());
    EXPECT_THAT(
        log,
        Contains(
            "dialog 警告 | 正在游戏中,如果您现在退出,\r\n将会扣除您的积分或金豆!  | 退出 / 不退出 life=30"));
}

TEST_F(CloseQueryTest, LeavingBeforeTheRequiredRoundsSaysHowManyArePlayed) {
    record.settings.PenaltySwitchB = 1;
    ApplySettings(record);
    SitDown();
    dialog->answers = {6};
    EXPECT_TRUE(Close());
    EXPECT_THAT(
        log,
        Contains(
            "dialog 警告 | 您已经玩2局,未玩满3局,退出\r\n将会扣除您的积分或金豆!  | 退出 / 不退出 life=30"));
}

TEST_F(HubTest, TheUserMenuDescribesTheUserAndActsOnHim) {
    Start();
    user->SetUserFlag(0);
    STRU_PLUGIN_USERINFO other = MakeUser(5, 1, true, "乙", "zhang");
    other.Beans = 1200;
    other.Wins = 3;
    other.Losses = 1;
    other.Flees = 1;
    other.VipLevel = 2;
    other.Score = 40;
    Post(hostframes::FullUserList({MakeUser(kMe, 0, true, "甲"), other}));
    // Unit names come from the table settings once a client is plugged.
    hostframes::TSettingsRecord settings;
    hostframes::SetShortString(settings.settings.BeanName, 21, "金豆");
    hostframes::SetShortString(settings.settings.MoneyName, 42, "金币");
    ApplySettings(settings);
    host.TakeSent();

    hub->ShowUserMenu(5);
    EXPECT_EQ(hub->SelectedID(), 5);
    TMenuItem& items = hub->UserMenu()->Items();
    ASSERT_EQ(items.Count(), 13);
    EXPECT_EQ(items.Items(0)->Caption(), "zhang[5]，VIP(2)");
    EXPECT_EQ(items.Items(1)->Caption(), "昵称：乙");
    EXPECT_EQ(items.Items(2)->Caption(), "金豆：1200");
    EXPECT_EQ(items.Items(4)->Caption(), "胜：3  负：1  平：0  局数：4");
    EXPECT_EQ(items.Items(5)->Caption(), "胜率：75.00%  逃跑率：25.00%  断线率：0.00%");
    EXPECT_TRUE(items.Items(8)->Visible());
    EXPECT_TRUE(items.Items(12)->Visible());
    hub->UserMenu()->CloseMenu();

    items.Items(8)->Click();
    EXPECT_THAT(SentBytes(), ElementsAre(TableOut(kMe, 6, {5, 0, 0, 0, 0, 0, 0, 0})));
    EXPECT_EQ(host.Sent()[0].toId, kMe);

    items.Items(12)->Click();
    EXPECT_TRUE(hub->IsIgnored(5));
    EXPECT_EQ(items.Items(12)->Caption(), "◆屏蔽该玩家信息");
    EXPECT_THAT(chat->lines, Contains("kind=8 您已屏蔽玩家\"乙\"的信息"));
    Post(hostframes::Chat(5, "被屏蔽"));
    EXPECT_THAT(chat->lines, ::testing::Not(Contains("kind=5 被屏蔽")));
    items.Items(12)->Click();
    EXPECT_FALSE(hub->IsIgnored(5));

    hub->ShowUserMenu(kMe);
    EXPECT_FALSE(items.Items(8)->Visible());
    EXPECT_FALSE(items.Items(12)->Visible());
    EXPECT_EQ(items.Items(10)->Caption(), "进入我的空间");
    EXPECT_EQ(items.Items(2)->Caption(), "金豆：0  金币：0");
    hub->UserMenu()->CloseMenu();
}

TEST_F(HubTest, TheUserMenuStaysShutForHiddenNamesAndAbsentUsers) {
    Start();
    Post(hostframes::FullUserList({MakeUser(kMe, 0, true, "甲"), MakeUser(5, 1, true, "乙")}));
    user->SetUserFlag(1);
    hub->ShowUserMenu(5);
    EXPECT_EQ(hub->SelectedID(), 0);
    user->SetUserFlag(0);
    hub->ShowUserMenu(404);
    EXPECT_EQ(hub->SelectedID(), 0);
    EXPECT_FALSE(hub->UserMenu()->IsOpen());
}

class ActionTest : public HubTest {
protected:
    void SetUp() override {
        WriteIni("[Action]\n&hug=%1拥抱了%2\n&long=" + std::string(250, 'x') +
                 "%2\n[ActionSound]\n&hug=Hug.wav\n");
        Start();
        Post(hostframes::FullUserList({MakeUser(kMe, 0, true, "玩家甲"), MakeUser(5, 1, true, "乙"),
                                       MakeUser(6, 2, true, "<坏人>"), MakeUser(7, 3, true, "x%2y")}));
        host.TakeSent();
        TakeSounds();
    }
    // The chat text of every frame sent so far (the bytes after the table frame's header).
    std::vector<std::string> SentTexts() {
        std::vector<std::string> texts;
        for (const auto& frame : host.TakeSent())
            texts.emplace_back(frame.bytes.begin() + 10, frame.bytes.end());
        return texts;
    }
};

TEST_F(ActionTest, ATemplateNamesBothPlayersAndCarriesTheTypedTextBehind) {
    hub->SendChat("&hug 5");
    hub->SendChat("&hug <7>");
    hub->SendChat("&hug");
    hub->SendChat("&hug 404"); // nobody of that identity here: an empty name
    EXPECT_THAT(SentTexts(),
                ElementsAre("\a玩家甲拥抱了乙(玩家甲)&hug 5", "\a玩家甲拥抱了x%2y(玩家甲)&hug <7>",
                            "\a玩家甲拥抱了大家(玩家甲)&hug", "\a玩家甲拥抱了(玩家甲)&hug 404"));
    // The local echo loses the action key; only the bare key names a sound.
    EXPECT_THAT(chat->lines,
                ElementsAre("kind=1001 \a玩家甲拥抱了乙(玩家甲)", "kind=1001 \a玩家甲拥抱了x%2y(玩家甲)",
                            "kind=1001 \a玩家甲拥抱了大家(玩家甲)", "kind=1001 \a玩家甲拥抱了(玩家甲)"));
    EXPECT_THAT(TakeSounds(), ElementsAre("Hug.mp3"));
}

TEST_F(ActionTest, LinesWithoutATemplateOrWithATaggedNameGoOutAsTypedAndRepeatsAreSent) {
    hub->SendChat("&wave 5");
    hub->SendChat("&hug 6"); // the name looks like a tag
    hub->SendChat("你好");
    hub->SendChat("你好"); // the hub sends repeats; holding them back is the chat panel's business
    EXPECT_THAT(SentTexts(), ElementsAre("&wave 5", "&hug 6", "你好", "你好"));
}

TEST_F(ActionTest, TheFilledTemplateIsCutBeforeTheTypedTextIsAppended) {
    hub->SendChat("&long 5");
    const std::vector<std::string> texts = SentTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "\a" + std::string(199, 'x') + "&long 5");
}

TEST_F(ActionTest, ABroadcastUsesTheTemplateWithoutTheBellOrTheTypedText) {
    platform.AdvanceBy(5000);
    EXPECT_EQ(hub->SendBroadcast("&hug 5"), 0);
    EXPECT_THAT(SentTexts(), ElementsAre("[玩家甲]:玩家甲拥抱了乙(玩家甲)"));
}

TEST_F(HubTest, TheUserMenuOpensAtTheMouseInTheTablesSkin) {
    Start();
    Post(hostframes::FullUserList({MakeUser(kMe, 0, true, "甲"), MakeUser(5, 1, true, "乙", "zhang")}));
    constexpr TColor kSkin = 0x00E0F4FF;
    const TPngImage skin = SolidPicture(40, 40, kSkin);
    auto* menu = form->Own(std::make_unique<TLovelyMenu>(form));
    menu->SetPicture(&skin);
    menu->SpaceLeft = menu->SpaceRight = 4;
    menu->BackColor = clNone; // the skin shows through behind the captions
    menu->SelectColor = 0x00A05A28;
    hub->SetLovelyMenu(menu);
    form->Show();
    platform.RunUntilIdle();

    platform.MouseMove({150, 60});
    hub->ShowUserMenu(5);
    platform.RunUntilIdle();
    const std::vector<TForm*> windows = hub->UserMenu()->PopupForms();
    ASSERT_EQ(windows.size(), 1u);
    const TRect bounds = platform.WindowBounds(windows[0]->WindowId());
    EXPECT_EQ(bounds.left, 150);
    EXPECT_EQ(bounds.top, 60);
    // Ten captioned items of 20 pixels and three separators.
    const TLovelyMenu::TSubMenuState* state = menu->SubMenu(&hub->UserMenu()->Items());
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->totalHeight, 10 * 20 + 3 * 7);
    EXPECT_GE(bounds.Width(), state->widest);

    // Hovering the last item paints it in the selection colour; the first stays on the skin.
    platform.MouseMove({bounds.left + 20, bounds.top + state->totalHeight - 10});
    platform.RunUntilIdle();
    const TBitmap* shown = platform.Screenshot(windows[0]->WindowId());
    ASSERT_NE(shown, nullptr);
    SaveScreenshot(platform, windows[0]->WindowId(), "user-menu.png");
    EXPECT_EQ(shown->Pixel(bounds.Width() / 2 + 60, 3), kSkin);
    EXPECT_EQ(shown->Pixel(bounds.Width() / 2 + 60, state->totalHeight - 3), 0x00A05A28);
    hub->UserMenu()->CloseMenu();
}

TEST_F(HubTest, ANoteFlashesTheTableOnlyWhenItDoesNotHaveTheFocus) {
    Start();
    form->Show();
    platform.RunUntilIdle();
    hub->ShowNote(true, "轮到你了");
    EXPECT_THAT(platform.TakeEffects(), ::testing::Not(Contains("flash")));

    TForm other(nullptr);
    other.SetBounds(500, 0, 100, 100);
    other.Show();
    platform.RunUntilIdle();
    hub->ShowNote(true, "");
    hub->ShowNote(false, "");
    EXPECT_EQ(std::count(platform.Effects().begin(), platform.Effects().end(), "flash"), 1);
    EXPECT_THAT(chat->lines, ElementsAre("kind=8 轮到你了"));
}

TEST_F(HubTest, SoundAliasesWrapAfterTwentyOne) {
    Start();
    for (int i = 0; i < 25; ++i)
        hub->PlaySound("Chip.wav");
    std::vector<std::string> mci;
    for (const std::string& effect : platform.TakeEffects())
        if (effect.starts_with("mci ")) mci.push_back(effect.substr(4));
    bool sawShortClose = false, sawFullClose = false;
    for (std::size_t i = 0; i < mci.size(); ++i) {
        if (mci[i] == "close 21") {
            sawShortClose = true;
            ASSERT_LT(i + 1, mci.size());
            EXPECT_TRUE(mci[i + 1].ends_with("alias 19")) << mci[i + 1];
        }
        if (mci[i] == "close 1") {
            sawFullClose = true;
            ASSERT_LT(i + 20, mci.size());
            EXPECT_EQ(mci[i + 19], "close 20");
            EXPECT_TRUE(mci[i + 20].ends_with("alias 1")) << mci[i + 20];
        }
        if (mci[i].starts_with("open ")) {
            EXPECT_TRUE(mci[i].find("Sound\\{") != std::string::npos) << mci[i];
            EXPECT_TRUE(mci[i].find("Chip.mp3\" alias ") != std::string::npos) << mci[i];
        }
    }
    EXPECT_TRUE(sawShortClose);
    EXPECT_TRUE(sawFullClose);
}

TEST_F(HubTest, AnExistingWaveIsPlayedAsIs) {
    std::filesystem::create_directories(dir / "Sound" / hub->GameID());
    WriteFile(dir / "Sound" / hub->GameID() / "Ready.wav", "RIFF");
    Start();
    hub->PlaySound("Ready.wav");
    EXPECT_THAT(TakeSounds(), ElementsAre("Ready.wav"));
}

} // namespace
} // namespace morvane::test
