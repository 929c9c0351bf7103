#include "gui/Button.h"
#include "gui/Canvas.h"
#include "gui/ComboBox.h"
#include "gui/Edit.h"
#include "gui/FakeWindowSystem.h"
#include "gui/Form.h"
#include "gui/ImageList.h"
#include "gui/Memo.h"
#include "gui/MessageBox.h"
#include "gui/PopupMenu.h"
#include "gui/ValueListEditor.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

class MenuTest : public ::testing::Test {
protected:
    MenuTest() {
        menu.Items().Add("Open", [this](TControl*) { picks.push_back("open"); });
        menu.Items().Add("-");
        menu.Items().Add("Off", [this](TControl*) { picks.push_back("off"); })->SetEnabled(false);
        TMenuItem* more = menu.Items().Add("More");
        more->Add("Deep", [this](TControl*) { picks.push_back("deep"); });
        menu.Items().Add("Hidden")->SetVisible(false);
    }
    TForm& Level(std::size_t level) { return *menu.PopupForms().at(level); }
    // Centre of item `index` of a level, in that window's coordinates: rows of 20 below a 2-pixel pad,
    // the separator 7 high.
    static TPoint ItemAt(int index) {
        const int tops[] = {2, 22, 29, 49};
        return {20, tops[index] + 3};
    }
    void ClickItem(std::size_t level, int index) {
        TForm& form = Level(level);
        form.Input().WindowMouseMove(0, ItemAt(index));
        form.Input().WindowMouseDown(TMouseButton::mbLeft, 0, ItemAt(index));
        form.Input().WindowMouseUp(TMouseButton::mbLeft, 0, ItemAt(index));
    }

    test::TFakeApplication app;
    TPopupMenu menu{nullptr};
    std::vector<std::string> picks;
};

TEST_F(MenuTest, PopupOpensAWindowAtThePointAndAPickClosesItBeforeTheHandlerRuns) {
    TForm* shown = nullptr;
    menu.OnFormShow = [&](TPopupMenu*, TForm* form) { shown = form; };
    menu.Popup(100, 50);
    ASSERT_TRUE(menu.IsOpen());
    EXPECT_EQ(shown, &Level(0));
    EXPECT_EQ(Level(0).Left(), 100);
    EXPECT_EQ(Level(0).Height(), 2 + 20 + 7 + 20 + 20 + 2); // the hidden item takes no room
    menu.Items().Items(0)->OnClick = [this](TControl*) {
        picks.push_back(menu.IsOpen() ? "open while shown" : "open");
    };
    ClickItem(0, 0);
    EXPECT_EQ(picks, (std::vector<std::string>{"open"}));
    EXPECT_FALSE(menu.IsOpen());
}

TEST_F(MenuTest, SeparatorsAndDisabledItemsIgnoreClicksAndSubMenusOpenOnHover) {
    menu.Popup(0, 0);
    ClickItem(0, 1);
    ClickItem(0, 2);
    EXPECT_TRUE(picks.empty());
    EXPECT_TRUE(menu.IsOpen());
    Level(0).Input().WindowMouseMove(0, ItemAt(3));
    ASSERT_EQ(menu.PopupForms().size(), 2u);
    EXPECT_EQ(Level(1).Left(), Level(0).Width() - 2);
    ClickItem(1, 0);
    EXPECT_EQ(picks, (std::vector<std::string>{"deep"}));
    EXPECT_FALSE(menu.IsOpen());
}

TEST_F(MenuTest, EscapeAndLosingActivationClose) {
    menu.Popup(0, 0);
    Level(0).Input().WindowKeyDown(VK_DOWN, 0);
    Level(0).Input().WindowKeyDown(VK_RETURN, 0);
    EXPECT_EQ(picks, (std::vector<std::string>{"open"}));
    menu.Popup(0, 0);
    Level(0).Input().WindowKeyDown(VK_ESCAPE, 0);
    EXPECT_FALSE(menu.IsOpen());
    menu.Popup(0, 0);
    Level(0).Input().WindowActivated(true);
    Level(0).Input().WindowActivated(false);
    EXPECT_TRUE(menu.IsOpen()); // decided once pending activations have arrived
    app.application.ProcessMessages();
    EXPECT_FALSE(menu.IsOpen());
}

class ComboTest : public ::testing::Test {
protected:
    ComboTest() {
        form->SetBounds(0, 0, 300, 200);
        form->Show();
        combo->SetParent(form.get());
        combo->SetBounds(10, 10, 150, 21);
    }
    test::TFakeApplication app;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TComboBox* combo = form->Own(std::make_unique<TComboBox>(form.get()));
};

TEST_F(ComboTest, HistoryDropsDownAndAPickFillsTheText) {
    combo->AddItem("first");
    combo->InsertItem(0, "newest");
    int selects = 0;
    int changes = 0;
    combo->OnSelect = [&](TControl*) { ++selects; };
    combo->OnChange = [&](TControl*) { ++changes; };
    form->Input().WindowMouseDown(TMouseButton::mbLeft, 0, {150, 20}); // the drop button
    form->Input().WindowMouseUp(TMouseButton::mbLeft, 0, {150, 20});
    ASSERT_TRUE(combo->DroppedDown());
    // The list sits under the combo box on the form: rows of 14 after a 2-pixel border.
    form->Input().WindowMouseDown(TMouseButton::mbLeft, 0, {40, 31 + 2 + 14 + 5});
    form->Input().WindowMouseUp(TMouseButton::mbLeft, 0, {40, 31 + 2 + 14 + 5});
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->Text(), "first");
    EXPECT_EQ(selects, 1);
    EXPECT_TRUE(combo->Edit().Focused());
    form->Input().WindowChar("!");
    EXPECT_EQ(combo->Text(), "!"); // the picked text was selected, so typing replaced it
    EXPECT_EQ(changes, 2);
}

TEST_F(ComboTest, KeysTypedIntoTheEditReachTheComboHandlers) {
    std::vector<TKey> keys;
    combo->OnKeyDown = [&](TControl* sender, TKey& key, TShiftState) {
        EXPECT_EQ(sender, combo);
        keys.push_back(key);
    };
    combo->Edit().SetFocus();
    form->Input().WindowKeyDown(VK_RETURN, 0);
    EXPECT_EQ(keys, (std::vector<TKey>{VK_RETURN}));
}

TEST(ImageListTest, RefusesOtherSizesAndDrawsByIndex) {
    TImageList list(nullptr, 2, 2);
    int changes = 0;
    list.OnChange = [&](TImageList*) { ++changes; };
    TPngImage red(2, 2, false);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            red.Scanline(y)[x * 3] = 255;
    EXPECT_EQ(list.Add(TPngImage(3, 2, false)), -1);
    EXPECT_EQ(list.Add(red), 0);
    EXPECT_EQ(changes, 1);
    TBitmap frame{4, 4};
    TCanvas canvas{frame};
    list.Draw(canvas, 1, 1, 0);
    list.Draw(canvas, 0, 0, 5); // outside the list: nothing
    EXPECT_EQ(frame.Pixel(2, 2), clRed);
    EXPECT_EQ(frame.Pixel(0, 0), clBlack);
}

TEST(MessageBoxTest, GoesThroughThePlatformOverItsFormOrCountsAsCancelled) {
    {
        TForm lone(nullptr);
        EXPECT_EQ(MessageBox(lone, "a", "b", 1), 2);
    }
    test::TFakeApplication app;
    TForm form(nullptr);
    form.Show();
    auto* button = form.Own(std::make_unique<TButton>(&form));
    button->SetParent(&form);
    app.system.messageBoxAnswer = 6;
    EXPECT_EQ(MessageBox(*button, "保险箱操作", "请输入密保答案", 4), 6);
    EXPECT_EQ(app.system.messageBoxes, (std::vector<std::string>{"保险箱操作|请输入密保答案|4"}));
    EXPECT_EQ(app.system.messageBoxOwners, (std::vector<TWindowId>{form.WindowId()}));
    // The form's table closes: the boxes over its window are ended, and no new one opens.
    EndActivityOfTree(form);
    EXPECT_EQ(app.system.endedMessageBoxes, (std::vector<TWindowId>{form.WindowId()}));
    EXPECT_EQ(MessageBox(*button, "保险箱操作", "请求失败。", 0), 2);
    EXPECT_EQ(app.system.messageBoxes.size(), 1u);
}

class GridTest : public ComboTest {
protected:
    void ClickCell(int y) {
        form->Input().WindowMouseDown(TMouseButton::mbLeft, 0, {50, y});
        form->Input().WindowMouseUp(TMouseButton::mbLeft, 0, {50, y});
        app.system.now += 1000;
    }
    TValueListEditor* grid = [this] {
        auto* g = form->Own(std::make_unique<TValueListEditor>(form.get()));
        g->SetParent(form.get());
        g->SetBounds(0, 40, 260, 100);
        g->SetKeyColumnWidth(0);
        g->SetDefaultRowHeight(19);
        return g;
    }();
};

TEST_F(GridTest, InPlaceEditorStoresOnEnterWithItsLimitAndEscapeDrops) {
    grid->InsertRow("&1", "hello");
    grid->InsertRow("&2", "");
    grid->SetEditorMaxLength(6);
    int changes = 0;
    grid->OnStringsChange = [&](TControl*) { ++changes; };
    ClickCell(40 + 19 + 5);
    EXPECT_FALSE(grid->Editing()); // the first click picks the row
    ClickCell(40 + 19 + 5);
    ASSERT_TRUE(grid->Editing());
    EXPECT_EQ(grid->Row(), 1);
    for (const char* ch : {"a", "b", "庄", "家", "x"})
        form->Input().WindowChar(ch);
    form->Input().WindowKeyDown(VK_RETURN, 0);
    EXPECT_EQ(grid->Values(1), "ab庄家"); // six bytes, the seventh refused
    EXPECT_EQ(changes, 1);
    ClickCell(45);
    form->Input().WindowChar("z"); // typing on the picked row starts an edit
    EXPECT_TRUE(grid->Editing());
    form->Input().WindowKeyDown(VK_ESCAPE, 0);
    EXPECT_EQ(grid->Values(0), "hello");
    EXPECT_FALSE(grid->Editing());
}

TEST_F(GridTest, DoubleClickOnARowReachesTheGridWithThatRow) {
    grid->InsertRow("&1", "a");
    grid->InsertRow("&2", "b");
    int picked = -1;
    grid->OnDblClick = [&](TControl*) { picked = grid->Row(); };
    for (int i = 0; i < 2; ++i) {
        form->Input().WindowMouseDown(TMouseButton::mbLeft, 0, {50, 40 + 19 + 5});
        form->Input().WindowMouseUp(TMouseButton::mbLeft, 0, {50, 40 + 19 + 5});
    }
    EXPECT_EQ(picked, 1);
    EXPECT_FALSE(grid->Editing());
}

// On the current row the first press opens the editor under the mouse; the second press lands on the
// editor and still makes the row's double click, with nothing left open.
TEST_F(GridTest, DoubleClickOnTheCurrentRowReachesTheGridRatherThanItsEditor) {
    grid->InsertRow("&1", "a");
    grid->InsertRow("&2", "b");
    int picks = 0;
    grid->OnDblClick = [&](TControl*) { ++picks; };
    ClickCell(40 + 19 + 5);
    ASSERT_EQ(grid->Row(), 1);
    for (int i = 0; i < 2; ++i) {
        form->Input().WindowMouseDown(TMouseButton::mbLeft, 0, {50, 40 + 19 + 5});
        form->Input().WindowMouseUp(TMouseButton::mbLeft, 0, {50, 40 + 19 + 5});
    }
    EXPECT_EQ(picks, 1);
    EXPECT_FALSE(grid->Editing());
    EXPECT_EQ(grid->Values(1), "b");
}

TEST_F(GridTest, MemoTypesLinesAndBackspacesWholeCharacters) {
    auto* memo = form->Own(std::make_unique<TMemo>(form.get()));
    memo->SetParent(form.get());
    memo->SetBounds(0, 150, 100, 40);
    memo->SetFocus();
    for (const char* ch : {"a", "\r", "意", "见", "\b"})
        form->Input().WindowChar(ch);
    EXPECT_EQ(memo->Text(), "a\r\n意");
    EXPECT_EQ(memo->Lines(), (std::vector<std::string>{"a", "意"}));
    form->Input().WindowChar("\b");
    form->Input().WindowChar("\b");
    EXPECT_EQ(memo->Text(), "a");
}

} // namespace
} // namespace morvane
