#include "ui/LovelyMenu.h"

#include "gui/Form.h"
#include "gui/SystemColors.h"
#include "support/SolidPicture.h"
#include "support/headless/HeadlessApp.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::SolidPicture;

class LovelyMenuTest : public test::HeadlessTest {
protected:
    LovelyMenuTest() {
        menu->Items().Add("查看资料");
        menu->Items().Add("-");
        TMenuItem* more = menu->Items().Add("更多");
        more->Add("加为好友");
        skin->SpaceTop = 3;
        skin->SpaceBottom = 5;
        skin->SpaceLeft = 4;
        skin->BackColor = clNone;
        TPngImage picture = SolidPicture(10, 10, clLime);
        picture.Scanline(0)[0] = 255; // a magenta top-left pixel
        picture.Scanline(0)[1] = 0;
        picture.Scanline(0)[2] = 255;
        skin->SetPicture(&picture);
        skin->CenterX = 5;
        skin->CenterY = 5;
        skin->SetPopupMenu(menu);
    }
    TForm& Open() {
        menu->Popup(50, 60);
        platform.RunUntilIdle();
        return *menu->PopupForms().at(0);
    }

    TForm owner{nullptr};
    TPopupMenu* menu = owner.Own(std::make_unique<TPopupMenu>(&owner));
    TLovelyMenu* skin = owner.Own(std::make_unique<TLovelyMenu>(&owner));
};

TEST_F(LovelyMenuTest, ItemsAreMeasuredWithTheSkinsSpaces) {
    TForm& window = Open();
    const TLovelyMenu::TSubMenuState* state = skin->SubMenu(&menu->Items());
    ASSERT_NE(state, nullptr);
    // 20 + 3 for the first item, the separator's own height, 20 + 5 for the last.
    EXPECT_EQ(state->totalHeight, 20 + 3 + 7 + 20 + 5);
    EXPECT_EQ(window.Height() - state->totalHeight, window.Width() - state->widest);
    EXPECT_EQ(state->background.Width(), state->widest);
    EXPECT_EQ(state->background.Height(), state->totalHeight);
}

TEST_F(LovelyMenuTest, BackgroundShowsThroughAClearBrushAndTheBorderIsCutAway) {
    TForm& window = Open();
    const int border = (window.Width() - skin->SubMenu(&menu->Items())->widest) / 2;
    EXPECT_EQ(window.Framebuffer().Pixel(border + 2, border + 10), clLime);
    const TRegion* shape = platform.WindowRegion(window.WindowId());
    ASSERT_NE(shape, nullptr);
    EXPECT_FALSE(shape->Contains({border - 1, border + 5}));
    EXPECT_TRUE(shape->Contains({border, border}));
    EXPECT_FALSE(shape->Contains({window.Width() - border, border + 5}));
}

TEST_F(LovelyMenuTest, ColourKeyShapesTheMenuToTheBackground) {
    skin->TransparentColor = clFuchsia;
    TForm& window = Open();
    const int border = (window.Width() - skin->SubMenu(&menu->Items())->widest) / 2;
    const TRegion* shape = platform.WindowRegion(window.WindowId());
    ASSERT_NE(shape, nullptr);
    EXPECT_FALSE(shape->Contains({border, border}));
    EXPECT_TRUE(shape->Contains({border + 1, border}));
}

TEST_F(LovelyMenuTest, HoveredItemIsDrawnInTheSelectColour) {
    TForm& window = Open();
    const int border = (window.Width() - skin->SubMenu(&menu->Items())->widest) / 2;
    platform.MouseMove({50 + border + 20, 60 + border + 12});
    platform.RunUntilIdle();
    EXPECT_EQ(window.Framebuffer().Pixel(border + 6, border + 12), ColorToRGB(clHighlight));
    EXPECT_EQ(window.Framebuffer().Pixel(border + 2, border + 12), clLime); // SpaceLeft keeps the skin
}

TEST_F(LovelyMenuTest, DetachingGivesTheItemsBackTheirOwnDrawing) {
    EXPECT_TRUE(menu->Items().Items(2)->Items(0)->OnDrawItem);
    skin->SetPopupMenu(nullptr);
    EXPECT_FALSE(menu->Items().Items(0)->OnDrawItem);
    EXPECT_FALSE(menu->Items().Items(2)->Items(0)->OnMeasureItem);
    EXPECT_FALSE(menu->OnFormShow);
}

TEST(LovelyMenuLifetimeTest, EitherSideMayGoFirst) {
    auto menu = std::make_unique<TPopupMenu>(nullptr);
    menu->Items().Add("一");
    {
        TLovelyMenu skin(nullptr);
        skin.SetPopupMenu(menu.get());
    }
    EXPECT_FALSE(menu->Items().Items(0)->OnDrawItem);

    TLovelyMenu skin(nullptr);
    skin.SetPopupMenu(menu.get());
    menu.reset();
    EXPECT_EQ(skin.PopupMenu(), nullptr);
}

} // namespace
} // namespace morvane
