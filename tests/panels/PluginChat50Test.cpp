#include "panels/PluginChat50.h"

#include "base/Gbk.h"
#include "gui/Edit.h"
#include "gui/Image.h"
#include "gui/ImageList.h"
#include "gui/RichView.h"
#include "gui/SystemColors.h"
#include "panels/FaceNames.h"
#include "panels/PanelsFixture.h"
#include "panels/PictureView.h"
#include "panels/PluginComboBox.h"
#include "panels/PopupBox.h"
#include "support/SolidPicture.h"
#include "ui/LovelyButton.h"

#include <gmock/gmock.h>

namespace morvane::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PluginChat50Test : public PanelsTest {
protected:
    void SetUp() override {
        faces = form->Own(std::make_unique<TImageList>(form, 24, 24));
        for (int i = 0; i < 20; ++i)
            faces->Add(SolidPicture(24, 24, TColor(0x101010 * (i % 15) + 0x0F)));
        panel = form->Own(std::make_unique<TPluginChat50>(form));
        panel->SetParent(form);
        panel->SetBounds(200, 0, 300, 350);
        panel->SetEmotionImages(faces);
        // The view above the input line, the buttons in a row under it.
        panel->SetViewSpaces(0, 0, 0, 45);
        panel->SetInputSpaces(0, 0, 22);
        panel->SetButtonRightSpace(TPluginChat50::cbEmotion, 80);
        panel->SetButtonRightSpace(TPluginChat50::cbAction, 60);
        panel->SetButtonRightSpace(TPluginChat50::cbShout, 40);
        hub->SetPluginChat(panel);
        Start();
        Post(hostframes::UserEnter(hostframes::MakeUser(2002, 3, false, "乙")));
        platform.TakeEffects();
        panel->View().Clear();
    }
    std::string LastLine() const { return panel->View().LineText(panel->View().LineCount() - 1); }
    const std::vector<TRichRun>& LastRuns() const {
        return panel->View().Line(panel->View().LineCount() - 1);
    }
    // Types into the input and presses Enter, `after` ms after the previous step.
    void SayByEnter(const std::string& text, std::uint32_t after) {
        platform.AdvanceBy(after);
        panel->Input().Edit().SetFocus();
        panel->Input().SetText("");
        platform.Type(text);
        platform.PressKey(VK_RETURN);
    }
    std::vector<std::string> SentChats() {
        std::vector<std::string> texts;
        for (const auto& frame : host.TakeSent())
            if (frame.bytes.size() > 10 && frame.bytes[9] == frames::cmdChat)
                texts.emplace_back(frame.bytes.begin() + 10, frame.bytes.end());
        return texts;
    }

    TImageList* faces{nullptr};
    TPluginChat50* panel{nullptr};
};

TEST_F(PluginChat50Test, EveryKindOfLineHasItsTextAndColourInBothSchemes) {
    struct TCase {
        std::int64_t kind;
        std::string text;
        std::string shown;
        TColor normal;
        TColor light;
    };
    const TColor text = ColorToRGB(clWindowText);
    const std::vector<TCase> cases{
        {0, "维护通知", "[系统消息]: 维护通知", 0xFF0000, 0xFF0000},
        {6, "本局积分", "本局积分", 0xFF0000, 0x4080FF},
        {7, "余额不足", "[提示]：余额不足", 0x000080, 0x000080},
        {8, "乙进入房间", "乙进入房间", 0x808080, 0xA8A8A8},
        {10, "[乙]:喊话", "[乙]:喊话", 0xF000F0, 0xF000F0},
        {2002, "你好", "乙：你好", text, 0xE8E8E8},
        {2002, "\a甲对着乙微笑(甲)", "甲对着乙微笑(甲)", 0x000080, 0x000080},
        // Only the low 32 bits choose the kind: this identity shows as a refusal.
        {(std::int64_t(1) << 32) + 7, "高位", "[提示]：高位", 0x000080, 0x000080},
    };
    for (int scheme : {0, 1}) {
        panel->SetFontColorType(scheme);
        for (const TCase& c : cases) {
            SCOPED_TRACE(std::to_string(scheme) + " " + std::to_string(c.kind) + " " + gbk::ToUtf8(c.text));
            panel->AddLine(c.text, c.kind);
            EXPECT_EQ(LastLine(), c.shown);
            ASSERT_FALSE(LastRuns().empty());
            EXPECT_EQ(LastRuns()[0].color, scheme == 1 ? c.light : c.normal);
        }
    }
}

TEST_F(PluginChat50Test, LinesFromTheHubArriveWithTheirKinds) {
    std::vector<std::string> seen;
    panel->OnLineAdded = [&](const std::string& t, std::int64_t k) {
        seen.push_back(std::to_string(k) + " " + t);
    };
    Post(hostframes::Chat(2002, "大家好"));
    Post(hostframes::TextLine(0, "欢迎"));
    Post(hostframes::Broadcast(2002, "[乙]:喊话"));
    EXPECT_THAT(seen, ElementsAre("2002 大家好", "7 欢迎", "10 [乙]:喊话"));
    EXPECT_EQ(panel->View().LineText(0), "乙：大家好");
    EXPECT_EQ(panel->View().LineText(1), "[提示]：欢迎");
}

TEST_F(PluginChat50Test, AnActionMarkInsideALineGoesWithoutCuttingACharacter) {
    // Dropping the first byte instead would leave half of "甲" behind.
    panel->AddLine("甲乙\a丙", 2002);
    EXPECT_EQ(LastLine(), "甲乙丙");
    EXPECT_EQ(LastRuns()[0].color, TColor(0x000080));
}

TEST_F(PluginChat50Test, TheHistoryButtonDropsTheListDown) {
    ShowForm();
    panel->Input().SetText("第一句");
    panel->Send(TPluginChat50::spSayButton);
    platform.Click(At(panel->HistoryButton(), 5, 5));
    EXPECT_TRUE(panel->Input().DroppedDown());
}

TEST_F(PluginChat50Test, WithoutAHubTheSenderIsItsNumberInTheDefaultColour) {
    TPluginChat50 loose(nullptr);
    loose.SetFontColorType(1);
    loose.AddLine("\a动作", 2002);
    EXPECT_EQ(loose.View().LineText(0), "动作");
    EXPECT_EQ(loose.View().Line(0)[0].color, ColorToRGB(clWindowText));
    loose.AddLine("你好", 2002);
    EXPECT_EQ(loose.View().LineText(1), "2002：你好");
}

TEST_F(PluginChat50Test, ReachingOneHundredTwentyLinesKeepsTheNewestThirtyNine) {
    for (int i = 0; i < 119; ++i)
        panel->AddLine("第" + std::to_string(i) + "行", lines::kNotice);
    EXPECT_EQ(panel->View().LineCount(), 119);
    panel->AddLine("第119行", lines::kNotice);
    EXPECT_EQ(panel->View().LineCount(), 39);
    EXPECT_EQ(panel->View().LineText(0), "第81行");
    EXPECT_EQ(LastLine(), "第119行");
}

TEST_F(PluginChat50Test, FaceCodesBecomePicturesOnlyForFacesThatExist) {
    panel->AddLine("好/012棒/090和/019但/020", 2002);
    const std::vector<TRichRun>& runs = LastRuns();
    std::vector<std::string> shape;
    for (const TRichRun& run : runs)
        shape.push_back(run.kind == TRichRun::TKind::rkPicture ? "[pic]" : run.text);
    // Face 12 and 19 have pictures; 90 is outside the table and 20 beyond the twenty images.
    EXPECT_THAT(shape, ElementsAre("乙：好", "[pic]", "棒/090和", "[pic]", "但/020"));
    EXPECT_TRUE(*runs[1].picture == *faces->Picture(12));
    EXPECT_FALSE(*runs[1].picture == *faces->Picture(11));
    // Without images nothing is replaced.
    panel->SetEmotionImages(nullptr);
    panel->AddLine("/012", lines::kNotice);
    EXPECT_EQ(LastLine(), "/012");
}

TEST_F(PluginChat50Test, OnlyWebAddressesInLinesAreOpened) {
    ShowForm();
    const std::vector<std::pair<std::string, bool>> addresses{
        {"http://example.com/a", true},     {"HTTPS://example.com", true}, {"file:C:\\Windows\\x.exe", false},
        {"ftp://files.example.com", false}, {"www.example.com", false},
    };
    for (const auto& [address, opened] : addresses) {
        SCOPED_TRACE(address);
        panel->View().Clear();
        panel->AddLine(address, lines::kNotice);
        ASSERT_EQ(LastRuns()[0].kind, TRichRun::TKind::rkLink);
        platform.RunUntilIdle();
        platform.Click(At(panel->View(), 8, 6));
        const std::vector<std::string> effects = platform.TakeEffects();
        if (opened)
            EXPECT_THAT(effects, ElementsAre("shell " + address));
        else
            EXPECT_THAT(effects, IsEmpty());
    }
}

TEST_F(PluginChat50Test, TheSendIntervalsOfTheEnterKey) {
    ShowForm();
    SayByEnter("你好", 0);
    SayByEnter("再见", 1500); // within 2 s: dropped silently
    EXPECT_THAT(SentChats(), ElementsAre("你好"));
    EXPECT_EQ(panel->Input().Text(), "再见");
    SayByEnter("你好", 1000); // 2.5 s, the same text: refused with a notice
    EXPECT_THAT(SentChats(), IsEmpty());
    EXPECT_EQ(LastLine(), "3秒内不能发重复消息!");
    EXPECT_EQ(LastRuns()[0].color, TColor(0x808080));
    SayByEnter("你好吗", 0); // 2.5 s, a different text: sent
    EXPECT_THAT(SentChats(), ElementsAre("你好吗"));
    EXPECT_EQ(panel->Input().Text(), "");
    SayByEnter("你好吗", 3001); // the same text after 3 s: sent
    EXPECT_THAT(SentChats(), ElementsAre("你好吗"));
    SayByEnter("   ", 5000); // blanks only: nothing
    EXPECT_THAT(SentChats(), IsEmpty());
}

TEST_F(PluginChat50Test, TheSayButtonKeepsItsOwnClock) {
    ShowForm();
    SayByEnter("甲", 0);
    panel->Input().SetText("乙");
    panel->Send(TPluginChat50::spSayButton);
    EXPECT_THAT(SentChats(), ElementsAre("甲", "乙"));
    platform.AdvanceBy(100);
    panel->Input().SetText("丙");
    panel->Send(TPluginChat50::spSayButton);
    EXPECT_THAT(SentChats(), IsEmpty());
}

TEST_F(PluginChat50Test, TheHistoryKeepsFiftyNewestFirstWithoutDuplicatesOfAnyCase) {
    for (int i = 0; i < 55; ++i) {
        platform.AdvanceBy(2001);
        panel->Input().SetText("line" + std::to_string(i));
        panel->Send(TPluginChat50::spSayButton);
    }
    const std::vector<std::string>& history = panel->Input().Items();
    ASSERT_EQ(history.size(), 50u);
    EXPECT_EQ(history.front(), "line54");
    EXPECT_EQ(history.back(), "line5");
    platform.AdvanceBy(2001);
    panel->Input().SetText("LINE20");
    panel->Send(TPluginChat50::spSayButton);
    EXPECT_EQ(panel->Input().Items().size(), 50u);
    EXPECT_EQ(panel->Input().Items().front(), "line20");
    EXPECT_EQ(std::count(panel->Input().Items().begin(), panel->Input().Items().end(), "line20"), 1);
    panel->DoInitialize();
    EXPECT_THAT(panel->Input().Items(), IsEmpty());
}

TEST_F(PluginChat50Test, AChatModeDisablesTheButtonsAndTheEnterKey) {
    ShowForm();
    panel->SetChatMode(1);
    for (auto b :
         {TPluginChat50::cbEmotion, TPluginChat50::cbAction, TPluginChat50::cbShout, TPluginChat50::cbSay})
        EXPECT_FALSE(panel->Button(b).Enabled());
    SayByEnter("你好", 0);
    EXPECT_THAT(SentChats(), IsEmpty());
    panel->SetChatMode(0);
    EXPECT_TRUE(panel->Button(TPluginChat50::cbSay).Enabled());
}

TEST_F(PluginChat50Test, TextFromOtherPanelsReplacesOrIsInsertedIntoTheInput) {
    panel->Input().SetText("你好");
    panel->Input().Edit().SetSelection(2, 2);
    panel->AddChatText("乙", 1);
    EXPECT_EQ(panel->Input().Text(), "你乙好");
    panel->AddChatText("&2 ", 0);
    EXPECT_EQ(panel->Input().Text(), "&2 ");
}

TEST_F(PluginChat50Test, TheBroadcastButtonClearsTheInputOnlyWhenSent) {
    panel->Input().SetText("www.spam.com");
    panel->Broadcast();
    EXPECT_EQ(panel->Input().Text(), "www.spam.com");
    panel->Input().SetText("大家好");
    platform.AdvanceBy(5000);
    panel->Broadcast();
    EXPECT_EQ(panel->Input().Text(), "");
}

TEST_F(PluginChat50Test, TheFaceGridShowsTheHoveredFaceAndInsertsTheClickedCode) {
    ShowForm();
    panel->Input().SetText("看");
    panel->Input().Edit().SetSelection(2, 2);
    platform.Click(At(panel->Button(TPluginChat50::cbEmotion), 2, 2));
    ASSERT_NE(panel->PictureView(), nullptr);
    TPictureView& grid = *panel->PictureView();
    EXPECT_TRUE(panel->PopupBox()->Visible());
    EXPECT_EQ(grid.Width(), 24 * 15);
    EXPECT_EQ(grid.ColCount(), 15);
    // The box sits above the input, its right edge past the input's by the view's extra width.
    const TPoint boxBottom =
        panel->PopupBox()->ClientToScreen({panel->PopupBox()->Width(), panel->PopupBox()->Height()});
    EXPECT_EQ(boxBottom, panel->Input().ClientToScreen({panel->Input().Width(), 0}));
    // Face 12: column 12, row 0.
    platform.MouseMove(At(grid, 12 * 24 + 5, 5));
    EXPECT_EQ(grid.Selected(), 12);
    EXPECT_TRUE(grid.Preview().Visible());
    EXPECT_EQ(grid.Preview().Name(), "调皮");
    EXPECT_EQ(grid.Preview().Shown(), faces->Picture(12));
    // Faces past the images: no preview.
    platform.MouseMove(At(grid, 5 * 24 + 5, 2 * 24 + 5));
    EXPECT_FALSE(grid.Preview().Visible());
    platform.Click(At(grid, 3 * 24 + 5, 1 * 24 + 5));
    EXPECT_EQ(panel->Input().Text(), "看/018");
    EXPECT_FALSE(panel->PopupBox()->Visible());
    // Opened again, the box closes when the input loses the focus; a second open while it shows stays
    // where the first put it.
    platform.Click(At(panel->Button(TPluginChat50::cbEmotion), 2, 2));
    EXPECT_TRUE(panel->PopupBox()->Visible());
    const TRect placed = panel->PopupBox()->BoundsRect();
    panel->PopupBox()->Popup({0, 0});
    EXPECT_EQ(panel->PopupBox()->BoundsRect(), placed);
    panel->View().SetFocus();
    EXPECT_FALSE(panel->PopupBox()->Visible());
}

TEST(FaceNamesTest, NinetyNamesAndTheirCodes) {
    EXPECT_EQ(std::string(FaceNames()[0]), "微笑");
    EXPECT_EQ(std::string(FaceNames()[33]), "嘘...");
    EXPECT_EQ(std::string(FaceNames()[89]), "OK");
    EXPECT_EQ(FaceCode(7), "/007");
    EXPECT_EQ(FaceCode(89), "/089");
    EXPECT_EQ(FaceCode(90), "");
}

} // namespace
} // namespace morvane::test
