#include "panels/PluginAction50.h"

#include "base/IniFile.h"
#include "gui/Edit.h"
#include "gui/ValueListEditor.h"
#include "panels/PanelsFixture.h"
#include "panels/PluginChat50.h"
#include "panels/PluginComboBox.h"
#include "ui/LovelyTextBtn.h"

#include <gmock/gmock.h>

namespace morvane::test {
namespace {

using ::testing::ElementsAre;

class PluginAction50Test : public PanelsTest {
protected:
    void SetUp() override {
        panel = form->Own(std::make_unique<TPluginAction50>(form));
        panel->SetParent(form);
        panel->SetBounds(100, 40, panel->Width(), panel->Height());
        realChat = form->Own(std::make_unique<TPluginChat50>(form));
        realChat->SetParent(form);
        realChat->SetBounds(420, 0, 220, 480);
        hub->SetPluginAction(panel);
        hub->SetPluginChat(realChat);
        WriteIni("[Action]\n&3=%1拍了拍%2的肩膀\n");
        Start();
        ShowForm();
    }
    TIniFile Stored() const { return TIniFile(hub->IniFile()->FileName()); }

    TPluginAction50* panel{nullptr};
    TPluginChat50* realChat{nullptr};
};

TEST_F(PluginAction50Test, TheGridLoadsTheOptionFileOverTheDefaults) {
    ASSERT_EQ(panel->Grid().RowCount(), 16);
    EXPECT_EQ(panel->Grid().Keys(0), "&1");
    EXPECT_EQ(panel->Grid().Values(0), "%1愉快地向在场所有人打招呼！");
    EXPECT_EQ(panel->Grid().Values(2), "%1拍了拍%2的肩膀");
    EXPECT_EQ(panel->Grid().Values(4), "%1兴奋地对%2说道：\"哇噻，酷毙了！\"");
    EXPECT_EQ(panel->Grid().Values(15), "%1欣赏地看着%说道：\"果然是高手！佩服，佩服！\"");
    EXPECT_FALSE(panel->Modified());
}

TEST_F(PluginAction50Test, SavingWritesEveryRowCutTo120BytesAndTheChatSendsTheSavedTemplate) {
    hub->ShowActionPanel();
    std::string longText = "%1";
    while (longText.size() < 130)
        longText += "很";
    panel->Grid().SetValue(0, longText);
    panel->Grid().SetValue(1, "%1对%2挥手");
    EXPECT_TRUE(panel->Modified());
    platform.Click(At(panel->SaveButton(), 5, 5));
    EXPECT_FALSE(panel->Visible());
    const TIniFile stored = Stored();
    EXPECT_EQ(stored.ReadString("Action", "&1", ""), longText.substr(0, 120));
    EXPECT_EQ(stored.ReadString("Action", "&2", ""), "%1对%2挥手");
    EXPECT_EQ(stored.ReadString("Action", "&3", ""), "%1拍了拍%2的肩膀");
    // An odd cut point stays on a character boundary.
    EXPECT_EQ(TPluginAction50::CutTemplate("a" + longText).size(), 119u);

    // The hub expands the saved template when the chat sends the key.
    host.TakeSent();
    realChat->Input().SetText("&2");
    realChat->Send(TPluginChat50::spSayButton);
    ASSERT_FALSE(host.Sent().empty());
    const std::vector<std::uint8_t>& frame = host.Sent().back().bytes;
    const std::string sent(frame.begin() + 10, frame.end());
    EXPECT_EQ(sent, "\a玩家甲对大家挥手(玩家甲)&2");
}

TEST_F(PluginAction50Test, RestoringDefaultsWritesAllSixteenAtOnceAndKeepsThePanelOpen) {
    hub->ShowActionPanel();
    platform.Click(At(panel->RestoreButton(), 5, 5));
    EXPECT_TRUE(panel->Visible());
    EXPECT_FALSE(panel->Modified());
    const TIniFile stored = Stored();
    const std::vector<std::string> defaults = TPluginAction50::FactoryDefaults();
    for (int n = 1; n <= 16; ++n)
        EXPECT_EQ("&" + std::to_string(n) + "=" + stored.ReadString("Action", "&" + std::to_string(n), ""),
                  defaults[std::size_t(n - 1)]);
    EXPECT_EQ(panel->Grid().Values(2), "%1高兴得想跳舞！");
}

TEST_F(PluginAction50Test, ShowingAgainAfterAnUnsavedEditBringsBackTheStoredText) {
    hub->ShowActionPanel();
    panel->Grid().SetValue(2, "改了没存");
    platform.Click(At(panel->CloseButton(), 3, 3));
    EXPECT_FALSE(panel->Visible());
    hub->ShowActionPanel();
    EXPECT_EQ(panel->Grid().Values(2), "%1拍了拍%2的肩膀");
    EXPECT_FALSE(panel->Modified());
}

TEST_F(PluginAction50Test, ADoubleClickOnARowPutsItsKeyIntoTheChatInput) {
    hub->ShowActionPanel();
    realChat->Input().SetText("旧的文字");
    panel->Grid().SetValue(5, "");
    const TRect empty = panel->Grid().CellRect(1, 5);
    platform.Click(At(panel->Grid(), 30, empty.top + 4));
    platform.Click(At(panel->Grid(), 30, empty.top + 4));
    EXPECT_TRUE(panel->Visible()) << "an empty row does nothing";
    EXPECT_EQ(realChat->Input().Text(), "旧的文字");
    const TRect row = panel->Grid().CellRect(1, 6);
    platform.Click(At(panel->Grid(), 30, row.top + 4));
    platform.Click(At(panel->Grid(), 30, row.top + 4));
    EXPECT_FALSE(panel->Visible());
    EXPECT_EQ(realChat->Input().Text(), "&7 ");
}

// The emote picked last is still the grid's current row: a double click on it must pick it again rather
// than open the cell's editor under the mouse.
TEST_F(PluginAction50Test, TheSameRowCanBePickedTwiceInARow) {
    const TRect row = panel->Grid().CellRect(1, 1);
    for (int pick = 0; pick < 2; ++pick) {
        realChat->Input().SetText("");
        hub->ShowActionPanel();
        ASSERT_TRUE(panel->Visible());
        platform.Click(At(panel->Grid(), 30, row.top + 4));
        platform.Click(At(panel->Grid(), 30, row.top + 4));
        EXPECT_FALSE(panel->Visible()) << "pick " << pick;
        EXPECT_FALSE(panel->Grid().Editing()) << "pick " << pick;
        EXPECT_EQ(realChat->Input().Text(), "&2 ") << "pick " << pick;
    }
    // A single click on the current row, with no second one in the double-click time, still edits it.
    hub->ShowActionPanel();
    platform.Click(At(panel->Grid(), 30, row.top + 4));
    platform.AdvanceBy(platform.DoubleClickTime() + 1);
    platform.Click(At(panel->Grid(), 30, row.top + 4));
    EXPECT_TRUE(panel->Grid().Editing());
}

// An option file without the key of the emote (or no option file at all) sends the panel's own template,
// the one the player saw in the grid, instead of a bare key.
TEST_F(PluginAction50Test, AnEmoteTheOptionFileDoesNotHoldGoesOutWithThePanelsTemplate) {
    std::vector<std::string> shown;
    realChat->OnLineAdded = [&shown](const std::string& text, std::int64_t) { shown.push_back(text); };
    host.TakeSent();
    realChat->Input().SetText("&2");
    realChat->Send(TPluginChat50::spSayButton);
    ASSERT_FALSE(host.Sent().empty());
    const std::vector<std::uint8_t>& frame = host.Sent().back().bytes;
    EXPECT_EQ(std::string(frame.begin() + 10, frame.end()), "\a玩家甲愉快地微笑着！(玩家甲)&2");
    EXPECT_THAT(shown, ElementsAre("\a玩家甲愉快地微笑着！(玩家甲)"));
    // A key the option file does hold keeps its own template; a key nobody knows goes out as typed.
    auto sent = [this](const std::string& text) {
        hub->SendChat(text);
        const std::vector<std::uint8_t>& bytes = host.Sent().back().bytes;
        return std::string(bytes.begin() + 10, bytes.end());
    };
    EXPECT_EQ(sent("&3"), "\a玩家甲拍了拍大家的肩膀(玩家甲)&3");
    EXPECT_EQ(sent("&99"), "&99");
}

TEST_F(PluginAction50Test, MoreActionsOpensTheOptionFilesAddress) {
    platform.TakeEffects();
    panel->MoreActions();
    // Without an address of its own the panel opens the platform's web site, as the table's links do.
    EXPECT_THAT(platform.TakeEffects(), ElementsAre("shell http://www.morvane.cn/"));
    hub->IniFile()->WriteString("URL", "ActionURL", "http://actions.example.com/more");
    hub->ShowActionPanel();
    platform.Click(At(panel->MoreButton(), 5, 5));
    EXPECT_THAT(platform.TakeEffects(), ElementsAre("shell http://actions.example.com/more"));
}

TEST_F(PluginAction50Test, ButtonsAreLaidOutAlongTheFoot) {
    const int top = panel->Height() - panel->SaveButton().Height() - 8;
    EXPECT_EQ(panel->MoreButton().Left(), 5);
    EXPECT_EQ(panel->MoreButton().Top(), top);
    EXPECT_EQ(panel->RestoreButton().Left(), 5 + panel->MoreButton().Width() + 14);
    EXPECT_EQ(panel->SaveButton().Left(), panel->Width() - panel->SaveButton().Width() - 8);
    EXPECT_EQ(panel->CloseButton().Left(), panel->Width() - panel->CloseButton().Width() - 10);
    EXPECT_EQ(panel->Grid().BoundsRect(), (TRect{5, 34, 265, 338}));
}

} // namespace
} // namespace morvane::test
