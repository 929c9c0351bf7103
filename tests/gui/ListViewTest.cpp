#include "gui/ListView.h"

#include "gui/FakeWindowSystem.h"
#include "gui/Form.h"
#include "gui/ListBox.h"
#include "gui/RichView.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

class ListFormTest : public ::testing::Test {
protected:
    ListFormTest() {
        form->SetBounds(0, 0, 320, 240);
        form->SetColor(clWhite);
        form->Show();
    }
    template <typename T>
    T* Place(int left, int top, int width, int height) {
        T* control = form->Own(std::make_unique<T>(form.get()));
        control->SetParent(form.get());
        control->SetBounds(left, top, width, height);
        return control;
    }
    void Click(int x, int y, TMouseButton button = TMouseButton::mbLeft) {
        form->Input().WindowMouseDown(button, 0, {x, y});
        form->Input().WindowMouseUp(button, 0, {x, y});
        app.system.now += 1000; // no double clicks between test clicks
    }

    test::TFakeApplication app;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
};

class ListViewTest : public ListFormTest {
protected:
    ListViewTest() {
        view->AddColumn({"ID", 60, 0});
        view->AddColumn({"Name", 80, 1});
        for (int i = 0; i < 10; ++i) {
            TListItem* item = view->AddItem();
            item->SetCaption(std::to_string(i));
            item->SetSubItems({"user" + std::to_string(9 - i)});
            item->SetTag(i);
        }
        view->OnSelectItem = [this](TListView*, TListItem* item, bool selected) {
            events.push_back(item->Caption() + (selected ? "+" : "-"));
        };
    }
    // Rows are 16 high (12-pixel text + 4) under a 17-pixel header, inside a 2-pixel border.
    int RowY(int row) const { return 10 + 2 + 17 + row * 16 + 8; }

    TListView* view = Place<TListView>(10, 10, 200, 100);
    std::vector<std::string> events;
};

TEST_F(ListViewTest, ClickingRowsSelectsAndReportsTheChange) {
    Click(50, RowY(1));
    Click(50, RowY(3));
    Click(50, RowY(3));
    EXPECT_EQ(events, (std::vector<std::string>{"1+", "1-", "3+"}));
    EXPECT_EQ(view->ItemIndex(), 3);
    view->DeleteItem(3);
    EXPECT_EQ(view->Selected(), nullptr);
    EXPECT_EQ(events.back(), "3-");
}

TEST_F(ListViewTest, VerticalBarGeometryAndPressesScrollByLineAndPage) {
    TScrollBarInfo bar = view->ScrollBarInfo(TScrollBarKind::sbVertical);
    ASSERT_TRUE(bar.visible);
    EXPECT_EQ(bar.rect, (TRect{10 + 200 - 2 - 17, 12, 10 + 198, 108}));
    EXPECT_EQ(bar.max, 9);
    EXPECT_EQ(bar.page, 4); // (96 - 17) / 16 whole rows
    // Track 96 - 2 * 17 = 62 pixels, thumb 62 * 4 / 10 = 24.
    EXPECT_EQ(bar.thumbStart, 17);
    EXPECT_EQ(bar.thumbEnd, 41);
    EXPECT_FALSE(view->ScrollBarInfo(TScrollBarKind::sbHorizontal).visible);

    view->ScrollBarPress(TScrollBarKind::sbVertical, {200, 105}); // down arrow
    EXPECT_EQ(view->TopIndex(), 1);
    view->ScrollBarPress(TScrollBarKind::sbVertical, {200, 90}); // track below the thumb: a page
    EXPECT_EQ(view->TopIndex(), 5);
    view->ScrollBarPress(TScrollBarKind::sbVertical, {200, 90});
    EXPECT_EQ(view->TopIndex(), 6);                               // the last page
    view->Perform(WM_NCLBUTTONDOWN, HTVSCROLL, (14 << 16) | 200); // up arrow through the message
    EXPECT_EQ(view->TopIndex(), 5);
    bar = view->ScrollBarInfo(TScrollBarKind::sbVertical);
    EXPECT_EQ(bar.thumbStart, 17 + (62 - 24) * 5 / 6);
    Click(50, RowY(0));
    EXPECT_EQ(view->ItemIndex(), 5); // rows count from the top index
}

TEST_F(ListViewTest, DraggingTheThumbTracksTheMouse) {
    form->Input().WindowMouseDown(TMouseButton::mbLeft, 0, {200, 12 + 17 + 5});
    form->Input().WindowMouseMove(ssLeft, {200, 12 + 17 + 5 + 38}); // the whole travel
    EXPECT_EQ(view->TopIndex(), 6);
    form->Input().WindowMouseMove(ssLeft, {200, 12 + 17 + 5 + 19});
    EXPECT_EQ(view->TopIndex(), 3);
    form->Input().WindowMouseUp(TMouseButton::mbLeft, 0, {200, 40});
    EXPECT_TRUE(events.empty()); // the bar never selects rows
}

TEST_F(ListViewTest, SortKeepsTheSelectionWithItsItemAndHeaderClicksReportTheColumn) {
    view->SetItemIndex(2);
    view->SortItems([](const TListItem& a, const TListItem& b) { return a.SubItems()[0] < b.SubItems()[0]; });
    EXPECT_EQ(view->Item(0)->Caption(), "9");
    EXPECT_EQ(view->Selected()->Caption(), "2");
    EXPECT_EQ(view->ItemIndex(), 7);
    std::intptr_t clicked = -1;
    view->OnColumnClick = [&](TListView*, const TListColumn& column) { clicked = column.tag; };
    Click(10 + 2 + 60 + 10, 10 + 2 + 8);
    EXPECT_EQ(clicked, 1);
}

TEST_F(ListViewTest, CustomDrawColoursTheRowOrPaintsItAlone) {
    view->OnCustomDrawItem = [](TListView*, TCanvas& canvas, TListItem* item, bool, bool& defaultDraw) {
        canvas.Brush().color = item->Tag() == 0 ? clRed : clBlue;
        defaultDraw = item->Tag() != 2;
    };
    form->PaintPending();
    EXPECT_EQ(form->Framebuffer().Pixel(15, RowY(0) - 7), clRed);
    EXPECT_EQ(form->Framebuffer().Pixel(15, RowY(1) - 7), clBlue);
    EXPECT_EQ(form->Framebuffer().Pixel(15, RowY(2) - 7), ColorToRGB(clWindow)); // painted by nobody
}

TEST_F(ListFormTest, ListBoxSelectsWithMouseAndKeys) {
    auto* list = Place<TListBox>(10, 10, 100, 60);
    list->SetItems({"a", "b", "c", "d", "e", "f"});
    int clicks = 0;
    list->OnClick = [&](TControl*) { ++clicks; };
    Click(30, 10 + 2 + 14 + 5);
    EXPECT_EQ(list->ItemIndex(), 1);
    form->Input().WindowKeyDown(VK_END, 0);
    EXPECT_EQ(list->ItemIndex(), 5);
    EXPECT_EQ(list->TopIndex(), 2); // four rows of 14 fit; the last one is shown
    EXPECT_EQ(clicks, 2);
}

class RichViewTest : public ListFormTest {
protected:
    TRichView* view = Place<TRichView>(10, 10, 200, 100);
};

TEST_F(RichViewTest, DeletingFirstLinesKeepsTheRestAndTheirPlace) {
    for (int i = 0; i < 20; ++i)
        view->AddText("line " + std::to_string(i), clBlack);
    EXPECT_TRUE(view->AtEnd()); // a view at its end follows new lines
    EXPECT_EQ(view->ContentHeight(), 20 * 12);
    view->SetScrollPos(TScrollBarKind::sbVertical, 60); // line 5 at the top
    view->DeleteFirstLines(3);
    EXPECT_EQ(view->LineCount(), 17);
    EXPECT_EQ(view->LineText(0), "line 3");
    EXPECT_EQ(view->ScrollPos(TScrollBarKind::sbVertical), 24); // line 5 still at the top
    view->DeleteFirstLines(100);
    EXPECT_EQ(view->LineCount(), 0);
    EXPECT_FALSE(view->ScrollBarInfo(TScrollBarKind::sbVertical).visible);
}

TEST_F(RichViewTest, LinesAddedAndDeletedOneByOneLookLikeAFreshView) {
    auto* fresh = Place<TRichView>(10, 120, 200, 100);
    auto line = [](int i) {
        return "第" + std::to_string(i) + "行 " + std::string(std::size_t(i % 5) * 9, 'x');
    };
    for (int i = 0; i < 30; ++i)
        view->AddText(line(i), clBlack);
    view->DeleteFirstLines(7);
    view->AddText(line(30), clBlack);
    for (int i = 7; i <= 30; ++i)
        fresh->AddText(line(i), clBlack);
    EXPECT_EQ(view->ContentHeight(), fresh->ContentHeight());
    EXPECT_EQ(view->ScrollPos(TScrollBarKind::sbVertical), fresh->ScrollPos(TScrollBarKind::sbVertical));
    form->PaintPending();
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(form->Framebuffer().Pixel(10 + x, 10 + y), form->Framebuffer().Pixel(10 + x, 120 + y))
                << x << ", " << y;
}

TEST_F(RichViewTest, ClickOnALinkReportsItsTargetAndButton) {
    std::vector<std::string> clicks;
    view->OnLinkClick = [&](TRichView*, const std::string& link, TMouseButton button) {
        clicks.push_back(link + (button == TMouseButton::mbLeft ? " left" : " right"));
    };
    view->AddLine({TRichRun::Text("see ", clBlack), TRichRun::Link("here", "http://x", clBlue)});
    // Text starts at 10 + 2 (border) + 2 (margin); the link after four letters of 6 pixels.
    Click(14 + 24 + 3, 12 + 6);
    Click(14 + 3, 12 + 6);
    Click(14 + 24 + 20, 12 + 6, TMouseButton::mbRight);
    EXPECT_EQ(clicks, (std::vector<std::string>{"http://x left", "http://x right"}));
}

TEST_F(RichViewTest, WrapsLongChineseTextWithoutSplittingCharacters) {
    view->AddText(std::string(30, 'a') + "庄家闲家和局庄家闲家和局", clBlack); // 180 + 144 pixels
    // 200 - 4 (border) - 4 (margins) = 192 per row: 30 letters and one character, then the rest.
    EXPECT_EQ(view->ContentHeight(), 24);
    form->PaintPending();
    EXPECT_EQ(app.system.text.drawn.at(0), std::string(30, 'a') + "庄");
    EXPECT_EQ(app.system.text.drawn.at(1), "家闲家和局庄家闲家和局");
}

} // namespace
} // namespace morvane
