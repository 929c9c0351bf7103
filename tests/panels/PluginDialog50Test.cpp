#include "panels/PluginDialog50.h"

#include "gui/ListBox.h"
#include "panels/PanelsFixture.h"
#include "support/SolidPicture.h"
#include "ui/LovelyTextBtn.h"

#include <gmock/gmock.h>

namespace morvane::test {
namespace {

using ::testing::ElementsAre;

class PluginDialog50Test : public PanelsTest {
protected:
    void SetUp() override {
        dlg = form->Own(std::make_unique<TPluginDialog50>(form));
        dlg->SetParent(form);
        dlg->SetBounds(170, 165, 300, 150);
        const TPngImage skin = SolidPicture(300, 150, 0xF0F0F0);
        dlg->SetDialogPicture(&skin);
        ShowForm();
    }
    // The accept button's caption each time the count changes.
    void RecordCaptions(TLovelyTextBtn& button) {
        dlg->OnLifeChange = [this, &button](TControl*) { captions.push_back(button.Caption()); };
    }

    TPluginDialog50* dlg{nullptr};
    std::vector<std::string> captions;
};

TEST_F(PluginDialog50Test, AMessageCountsDownOnItsButtonAndEndsWithNoAnswerAtZero) {
    dlg->SetButtons(0);
    dlg->SetLifeCount(10);
    dlg->SetMessage("时间到了");
    RecordCaptions(dlg->AcceptButton());
    const std::uint32_t start = platform.Now();
    EXPECT_EQ(dlg->Execute(), 0);
    EXPECT_EQ(platform.Now() - start, 10000u);
    EXPECT_THAT(captions, ElementsAre("确定(10)", "确定(9)", "确定(8)", "确定(7)", "确定(6)", "确定(5)",
                                      "确定(4)", "确定(3)", "确定(2)", "确定(1)", "确定"));
    EXPECT_FALSE(dlg->Visible());
    EXPECT_EQ(dlg->AcceptButton().Caption(), "确定");
    EXPECT_EQ(dlg->Message(), "");
}

TEST_F(PluginDialog50Test, AQuestionCountsOnItsCancelButton) {
    dlg->SetButtons(1);
    dlg->SetLifeCount(3);
    RecordCaptions(dlg->CancelButton());
    std::string accept;
    dlg->OnExecuteStart = [&](TPluginDialog50& d) { accept = d.AcceptButton().Caption(); };
    EXPECT_EQ(dlg->Execute(), 0);
    EXPECT_EQ(accept, "确定");
    EXPECT_THAT(captions, ElementsAre("取消(3)", "取消(2)", "取消(1)", "取消"));
}

TEST_F(PluginDialog50Test, EveryAnswerSourceGivesItsResult) {
    dlg->SetButtons(2);
    const std::vector<std::string> items{"第一项", "第二项"};
    dlg->SetLines(&items);
    struct TCase {
        const char* name;
        std::function<void()> act;
        int result;
    };
    const std::vector<TCase> cases{
        {"enter", [&] { platform.PressKey(VK_RETURN); }, 1},
        {"escape", [&] { platform.PressKey(VK_ESCAPE); }, 2},
        {"accept", [&] { platform.Click(At(dlg->AcceptButton(), 5, 5)); }, 1},
        {"cancel", [&] { platform.Click(At(dlg->CancelButton(), 5, 5)); }, 2},
        {"close", [&] { platform.Click(At(dlg->CloseButton(), 3, 3)); }, 3},
        {"double click",
         [&] {
             platform.Click(At(dlg->SelectList(), 10, 5));
             platform.Click(At(dlg->SelectList(), 10, 5));
         },
         1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        // The input arrives once the dialog's loop runs.
        dlg->OnExecuteStart = [&](TPluginDialog50&) { platform.Post(c.act); };
        EXPECT_EQ(dlg->Execute(), c.result) << c.name;
        EXPECT_FALSE(dlg->Visible()) << c.name;
    }
}

TEST_F(PluginDialog50Test, ASecondRunWhileOneIsOpenReturnsAtOnceAndFinalizeClosesIt) {
    dlg->SetLifeCount(5);
    int inner = -1;
    dlg->OnLifeChange = [&](TControl*) {
        if (dlg->Remaining() == 4) {
            inner = dlg->Execute();
            dlg->DoFinalize();
        }
    };
    EXPECT_EQ(dlg->Execute(), 3);
    EXPECT_EQ(inner, 0);
}

TEST_F(PluginDialog50Test, WithoutAParentFormExecuteAcceptsAtOnce) {
    TPluginDialog50 loose(nullptr);
    EXPECT_EQ(loose.Execute(), 1);
}

TEST_F(PluginDialog50Test, ASelectionWithoutItemsShowsAnEmptyListAndNoIndex) {
    dlg->SetButtons(2);
    const std::vector<std::string> none;
    dlg->SetLines(&none);
    EXPECT_EQ(dlg->GetItemIndex(), -1);
    EXPECT_TRUE(dlg->SelectList().Visible());
    EXPECT_TRUE(dlg->CancelButton().Visible());
    const std::vector<std::string> two{"甲", "乙"};
    dlg->SetLines(&two);
    EXPECT_EQ(dlg->GetItemIndex(), 0);
    dlg->SetLines(nullptr);
    EXPECT_EQ(dlg->SelectList().Count(), 0);
}

TEST_F(PluginDialog50Test, ButtonsAreLaidOutByKind) {
    dlg->SetButtons(0);
    const int w = dlg->AcceptButton().Width();
    EXPECT_EQ(dlg->AcceptButton().Left(), (300 - w) / 2);
    EXPECT_EQ(dlg->AcceptButton().Top(), 150 - dlg->AcceptButton().Height() - 10);
    EXPECT_FALSE(dlg->CancelButton().Visible());
    EXPECT_FALSE(dlg->SelectList().Visible());
    dlg->SetButtons(1);
    const int left = (300 - 2 * w) / 3;
    EXPECT_EQ(dlg->AcceptButton().Left(), left);
    EXPECT_EQ(dlg->CancelButton().Left(), 2 * left + w);
    EXPECT_EQ(dlg->CloseButton().Left(), 300 - dlg->CloseButton().Width() - 3);
    dlg->SetButtons(2);
    EXPECT_EQ(dlg->SelectList().BoundsRect(),
              (TRect{9, 28, 9 + 300 - 9 - 9 - 5, 28 + 150 - 28 - dlg->AcceptButton().Height() - 10 - 5}));
}

// Rows of the dialog's message area that hold dark (text) pixels, as bands [top, bottom).
std::vector<std::pair<int, int>> DarkBands(const TBitmap& shot, const TRect& area) {
    std::vector<std::pair<int, int>> bands;
    bool inBand = false;
    for (int y = area.top; y < area.bottom; ++y) {
        bool dark = false;
        for (int x = area.left; x < area.right && !dark; ++x)
            dark = (shot.Pixel(x, y) & 0xFF) < 0x60;
        if (dark && !inBand) bands.push_back({y, y + 1});
        if (dark) bands.back().second = y + 1;
        inBand = dark;
    }
    return bands;
}

TEST_F(PluginDialog50Test, AThreeLineMessageIsCentredAsABlockSixteenPixelsApart) {
    dlg->SetButtons(0);
    dlg->SetMessage("第一行\r\n第二行\r\n第三行");
    dlg->Show();
    platform.RunUntilIdle();
    const TBitmap* shot = platform.Screenshot(form->WindowId());
    ASSERT_NE(shot, nullptr);
    // The message area in form coordinates: between the title and the buttons.
    const int areaTop = 165 + 24;
    const int areaBottom = 165 + 150 - dlg->AcceptButton().Height() - 10;
    const std::vector<std::pair<int, int>> bands =
        DarkBands(*shot, {170 + 9, areaTop, 170 + 291, areaBottom});
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[1].first - bands[0].first, 16);
    EXPECT_EQ(bands[2].first - bands[1].first, 16);
    const int blockMiddle = (bands[0].first + bands[2].second) / 2;
    EXPECT_NEAR(blockMiddle, (areaTop + areaBottom) / 2, 2);
    // Each line is centred horizontally too.
    int leftmost = 10000, rightmost = 0;
    for (int x = 170; x < 470; ++x)
        for (int y = bands[1].first; y < bands[1].second; ++y)
            if ((shot->Pixel(x, y) & 0xFF) < 0x60) {
                leftmost = std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
            }
    EXPECT_NEAR((leftmost + rightmost) / 2, 170 + (9 + 291) / 2, 2);
}

} // namespace
} // namespace morvane::test
