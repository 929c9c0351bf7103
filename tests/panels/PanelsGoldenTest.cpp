#include "graphics/PictureResources.h"
#include "gui/Edit.h"
#include "gui/ImageList.h"
#include "gui/ValueListEditor.h"
#include "panels/FaceNames.h"
#include "panels/HallSkin.h"
#include "panels/PanelsFixture.h"
#include "panels/PictureView.h"
#include "panels/PluginAction50.h"
#include "panels/PluginChat50.h"
#include "panels/PluginComboBox.h"
#include "panels/PluginDialog50.h"
#include "panels/PluginUser50.h"
#include "panels/PopupBox.h"
#include "support/headless/GoldenPicture.h"

namespace morvane::test {
namespace {

// The hall panels dressed as the table dresses them, with the generated pictures.
class PanelsGoldenTest : public PanelsTest {
protected:
    void SetUp() override {
        WriteIni("[Level]\nLevelCount=4\nLevel1Name=新手\nLevel2Score=100\nLevel2Name=熟手\n"
                 "Level3Score=1000\nLevel3Name=高手\nLevel4Score=10000\nLevel4Name=大师\n");
        form->SetColor(0x3C6E1E);
        // Only the panels under test show.
        for (TControl* stand : std::initializer_list<TControl*>{user, chat, client, score, dialog})
            stand->Hide();
    }
    TPluginUser50* MakeUserList(int left) {
        auto* list = form->Own(std::make_unique<TPluginUser50>(form));
        list->SetParent(form);
        list->SetBounds(left, 10, 198, 165);
        // The columns fit beside the vertical scroll bar.
        const int widths[] = {76, 48, 36, 52, 44, 76};
        const char* captions[] = {"ID", "昵称", "等级", "游戏豆", "积分", "星币"};
        list->HideColumn(TPluginUser50::ctUserId);
        list->HideColumn(TPluginUser50::ctGold);
        for (int tag = 0; tag < TPluginUser50::kColumnCount; ++tag) {
            list->SetColumnCaption(tag, captions[tag]);
            list->SetColumnWidth(tag, widths[tag]);
        }
        const TColor back = 866683;
        for (auto setter : {&TPluginUser50::SetSelfInfoBackColor, &TPluginUser50::SetListItemBackColor,
                            &TPluginUser50::SetUserListColor})
            (list->*setter)(back);
        list->SetSelfSelectBackColor(5138617);
        list->SetSelectBackColor(5138617);
        list->SetListItemFontColor(clWhite);
        list->SetSelectFontColor(clWhite);
        list->SetSelfSelectFontColor(clWhite);
        // The own row in gold, so that it stands out among the others.
        list->SetSelfInfoFontColor(0x3CD2FF);
        return list;
    }
    TImageList* Faces() {
        TImageList* faces = MakeFaceList(*form);
        EXPECT_EQ(faces->Count(), kFaceCount);
        return faces;
    }
    // The chat dressed in its skin: view, input strip and the buttons at its foot.
    TPluginChat50* MakeChat() {
        auto* chat = form->Own(std::make_unique<TPluginChat50>(form));
        chat->SetParent(form);
        chat->SetBounds(420, 10, 191, 292);
        chat->SetViewSpaces(6, 6, 6, 54);
        chat->SetViewColor(0xF0FAFF);
        chat->SetInputSpaces(7, 7, 30);
        chat->SetInputColor(clWhite);
        const std::pair<TPluginChat50::TChatButton, const char*> buttons[] = {
            {TPluginChat50::cbEmotion, "CHATFACE"},
            {TPluginChat50::cbAction, "CHATACTION"},
            {TPluginChat50::cbShout, "CHATSHOUT"},
            {TPluginChat50::cbSay, "CHATSAY"}};
        const int rights[] = {165, 143, 121, 6};
        for (int i = 0; i < 4; ++i) {
            chat->SetButtonImages(buttons[i].first, MakeButtonList(*form, buttons[i].second));
            chat->SetButtonRightSpace(buttons[i].first, rights[i]);
            chat->SetButtonBottomSpace(buttons[i].first, i == 3 ? 4 : 6);
        }
        const auto skin = LoadPictureByName("TWOEIGHT_BTIMAPBUSERCHAT");
        chat->SetPicture(skin.get());
        chat->SetTransparentColor(clNone);
        chat->SetEmotionImages(Faces());
        chat->SetComboxImage(LoadPictureByName("CHATHISTORY").get());
        return chat;
    }
    void EnterTwelveUsers() {
        const char* names[] = {"庄家乙", "闲家丙", "Alice",  "小明同学", "老王",  "bob",
                               "幸运星", "赌神",   "路过的", "Carl",     "一二三"};
        for (int i = 0; i < 11; ++i) {
            STRU_PLUGIN_USERINFO user = hostframes::MakeUser(2000 + i, std::uint8_t(i + 1), true, names[i]);
            user.Beans = 5000 + 7919 * i % 90000;
            user.Score = (i * 373) % 20000;
            Post(hostframes::UserEnter(user));
        }
        STRU_PLUGIN_USERINFO me = hostframes::MakeUser(kMe, 0, true, "玩家甲");
        me.Beans = 123456;
        me.Score = 2500;
        Post(hostframes::UserEnter(me));
    }
};

TEST_F(PanelsGoldenTest, GoldenUserListsWithNamesShownAndHidden) {
    TPluginUser50* shown = MakeUserList(10);
    TPluginUser50* hidden = MakeUserList(220);
    hub->SetPluginUser(shown);
    Start();
    EnterTwelveUsers();
    // The second panel gets the same rows through the same calls.
    for (const auto& record : hub->Users()) {
        hidden->DoInitialize();
        hidden->SetShare(hub);
        hidden->DoUserEnter(*record);
    }
    hidden->SetShare(nullptr);
    shown->SetUserFlag(0);
    hidden->SetUserFlag(1);
    shown->SelectUser(2003);
    hidden->SelectUser(2003);
    ShowForm();
    ExpectGolden(platform, form->WindowId(), "panels-userlist.png");
}

TEST_F(PanelsGoldenTest, GoldenChatWithEveryKindOfLineAndFaces) {
    TPluginChat50* chat = MakeChat();
    hub->SetPluginChat(chat);
    Start();
    Post(hostframes::UserEnter(hostframes::MakeUser(2002, 3, false, "庄家乙")));
    chat->AddLine("服务器将于今晚维护", lines::kSystem);
    chat->AddLine("本局积分: 庄家乙 +20", lines::kScoreNote);
    chat->AddLine("下注失败,余额不足", lines::kPrompt);
    chat->AddLine("大家好/000今天手气不错/013/066", 2002);
    chat->AddLine("\a庄家乙愉快地微笑着！(庄家乙)", 2002);
    chat->AddLine("[庄家乙]:谁来上庄/076", lines::kBroadcast);
    chat->AddLine("活动详情请看 http://example.com/news", lines::kNotice);
    chat->Input().SetText("我也来/063");
    ShowForm();
    ExpectGolden(platform, form->WindowId(), "panels-chat.png");
}

TEST_F(PanelsGoldenTest, GoldenFaceGridWithAHoveredFace) {
    TPluginChat50* chat = MakeChat();
    chat->SetBounds(440, 180, 191, 292);
    hub->SetPluginChat(chat);
    Start();
    ShowForm();
    chat->ShowFaces();
    TPictureView& grid = *chat->PictureView();
    platform.MouseMove(grid.ClientToScreen({6 * 24 + 10, 2 * 24 + 10}));
    platform.RunUntilIdle();
    ASSERT_EQ(grid.Preview().Name(), FaceNames()[36]);
    ExpectGolden(platform, form->WindowId(), "panels-facegrid.png");
}

TEST_F(PanelsGoldenTest, GoldenActionPanel) {
    auto* panel = form->Own(std::make_unique<TPluginAction50>(form));
    panel->SetParent(form);
    panel->SetBounds(150, 50, panel->Width(), panel->Height());
    DressFloatingPanel(*panel);
    panel->SetButtonImages(MakeButtonList(*form, "HALLBTN"));
    panel->SetCloseImages(MakeButtonList(*form, "CLOSE"));
    hub->SetPluginAction(panel);
    Start();
    ShowForm();
    hub->ShowActionPanel();
    panel->Grid().SetRow(4);
    platform.RunUntilIdle();
    ExpectGolden(platform, form->WindowId(), "panels-action.png");
}

TEST_F(PanelsGoldenTest, GoldenDialogCountingDown) {
    auto* dialog = form->Own(std::make_unique<TPluginDialog50>(form));
    dialog->SetParent(form);
    dialog->SetBounds(170, 160, 300, 150);
    DressFloatingPanel(*dialog);
    dialog->SetButtonImages(MakeButtonList(*form, "HALLBTN"));
    dialog->SetCloseImages(MakeButtonList(*form, "CLOSE"));
    ShowForm();
    dialog->SetCaption("警告");
    dialog->SetMessage("正在游戏中,如果您现在退出,\r\n将会扣除您的积分或游戏豆! ");
    dialog->SetButtons(1);
    dialog->SetOkCaption("退出");
    dialog->SetCancelCaption("不退出");
    dialog->SetLifeCount(30);
    bool shot = false;
    dialog->OnLifeChange = [&](TControl*) {
        if (dialog->Remaining() != 27) return;
        platform.RunUntilIdle();
        ExpectGolden(platform, form->WindowId(), "panels-dialog.png");
        shot = true;
        dialog->SetModalResult(2);
    };
    EXPECT_EQ(dialog->Execute(), 2);
    EXPECT_TRUE(shot);
}

} // namespace
} // namespace morvane::test
