#include "ui/LovelyPanel.h"

#include "gui/Form.h"
#include "support/headless/HeadlessApp.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

class LovelyPanelTest : public test::HeadlessTest {
protected:
    LovelyPanelTest() {
        form->SetBounds(0, 0, 200, 120);
        form->SetColor(clWhite);
        panel->SetParent(form.get());
        panel->SetBounds(10, 10, 120, 80);
        form->Show();
    }
    // A 6 × 6 skin: magenta corners, blue border, yellow inside.
    static TPngImage Skin() {
        TPngImage picture(6, 6, false);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x) {
                std::uint8_t* p = picture.Scanline(y) + x * 3;
                const bool corner = (x == 0 || x == 5) && (y == 0 || y == 5);
                const bool edge = x == 0 || x == 5 || y == 0 || y == 5;
                const TColor c = corner ? clFuchsia : edge ? clBlue : clYellow;
                p[0] = GetRValue(c);
                p[1] = GetGValue(c);
                p[2] = GetBValue(c);
            }
        return picture;
    }
    int CountPixels(const TRect& formRect, TColor colour) const {
        int count = 0;
        for (int y = formRect.top; y < formRect.bottom; ++y)
            for (int x = formRect.left; x < formRect.right; ++x)
                count += form->Framebuffer().Pixel(x, y) == colour;
        return count;
    }

    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TLovelyPanel* panel = form->Own(std::make_unique<TLovelyPanel>(form.get()));
};

TEST_F(LovelyPanelTest, WithoutPictureTheBackgroundIsClearedAndNoTitleIsDrawn) {
    panel->SetCaption("大厅");
    platform.RunUntilIdle();
    EXPECT_EQ(CountPixels({10, 10, 130, 90}, clBlack), 120 * 80);
    EXPECT_EQ(form->Framebuffer().Pixel(9, 9), clWhite);
}

TEST_F(LovelyPanelTest, SkinIsStretchedAndMagentaCornersLeaveTheWindowShape) {
    TPngImage skin = Skin();
    panel->SetCenterX(2);
    panel->SetCenterY(2);
    panel->SetPicture(&skin);
    platform.RunUntilIdle();
    EXPECT_EQ(form->Framebuffer().Pixel(10 + 60, 10), clBlue);
    EXPECT_EQ(form->Framebuffer().Pixel(10 + 60, 10 + 40), clYellow);
    EXPECT_EQ(form->Framebuffer().Pixel(10 + 119, 10 + 40), clBlue);
    ASSERT_NE(panel->WindowRegion(), nullptr);
    EXPECT_FALSE(panel->WindowRegion()->Contains({0, 0}));
    EXPECT_FALSE(panel->WindowRegion()->Contains({119, 79}));
    EXPECT_TRUE(panel->WindowRegion()->Contains({1, 0}));
    EXPECT_TRUE(panel->WindowRegion()->Contains({60, 40}));

    // Without a colour key the panel is a rectangle again.
    panel->SetTransparentColor(clNone);
    EXPECT_EQ(panel->WindowRegion(), nullptr);
}

// A hidden panel owes its skin until it is shown; shown, it looks and is shaped as one skinned while shown.
TEST_F(LovelyPanelTest, AHiddenPanelSkinnedWhileHiddenIsSkinnedAndShapedOnceShown) {
    panel->SetVisible(false);
    TPngImage skin = Skin();
    panel->SetCenterX(2);
    panel->SetCenterY(2);
    panel->SetPicture(&skin);
    panel->SetBounds(10, 10, 100, 60);
    platform.RunUntilIdle();
    EXPECT_EQ(form->Framebuffer().Pixel(10 + 50, 10 + 30), clWhite);

    panel->SetVisible(true);
    ASSERT_NE(panel->WindowRegion(), nullptr) << "shown without its shape";
    EXPECT_FALSE(panel->WindowRegion()->Contains({99, 59}));
    EXPECT_TRUE(panel->WindowRegion()->Contains({50, 30}));
    EXPECT_EQ(panel->Background().Width(), 100);
    platform.RunUntilIdle();
    EXPECT_EQ(form->Framebuffer().Pixel(10 + 50, 10 + 30), clYellow);
    EXPECT_EQ(form->Framebuffer().Pixel(10 + 99, 10 + 30), clBlue);
    EXPECT_EQ(form->Framebuffer().Pixel(10 + 99, 10 + 59), clWhite) << "a keyed-out corner shows the form";
}

TEST_F(LovelyPanelTest, APanelFillingItsFormShapesTheWindow) {
    TPngImage skin = Skin();
    panel->SetCenterX(2);
    panel->SetCenterY(2);
    panel->SetPicture(&skin);
    panel->SetBounds(0, 0, 200, 120);
    const TRegion* windowShape = platform.WindowRegion(form->WindowId());
    ASSERT_NE(windowShape, nullptr);
    EXPECT_FALSE(windowShape->Contains({0, 0}));
    EXPECT_TRUE(windowShape->Contains({100, 60}));
}

TEST_F(LovelyPanelTest, TitleIsDrawnWithItsShadowInsideTheTitleBand) {
    panel->SetCaption("百家乐");
    panel->SetTitleHeight(24);
    panel->SetTitleLeft(8);
    panel->SetTitleColor(clLime);
    platform.RunUntilIdle();
    EXPECT_GT(CountPixels({18, 10, 130, 34}, clLime), 10);
    EXPECT_EQ(CountPixels({10, 10, 130, 34}, clRed), 0);
    EXPECT_EQ(CountPixels({10, 35, 130, 90}, clLime), 0);

    panel->SetTitleShadowColor(clRed);
    platform.RunUntilIdle();
    EXPECT_GT(CountPixels({18, 10, 131, 35}, clRed), 5);
    EXPECT_GT(CountPixels({18, 10, 130, 34}, clLime), 10);
}

TEST_F(LovelyPanelTest, SecondRunWhileOneIsActiveReturnsZeroAtOnce) {
    int inner = -1;
    platform.Post([&] {
        inner = panel->ShowModal();
        panel->SetModalResult(3);
    });
    EXPECT_EQ(panel->ShowModal(), 3);
    EXPECT_EQ(inner, 0);
    EXPECT_FALSE(panel->Running());
    EXPECT_FALSE(panel->Visible());
}

TEST_F(LovelyPanelTest, CountdownRaisesEverySecondAndEndsWithResultZero) {
    std::vector<int> seen;
    panel->OnLifeChange = [&](TControl*) { seen.push_back(panel->Remaining()); };
    panel->SetLifeCount(3);
    const std::uint32_t start = platform.Now();
    EXPECT_EQ(panel->ShowModal(), 0);
    EXPECT_EQ(seen, (std::vector<int>{3, 2, 1, 0}));
    EXPECT_EQ(platform.Now() - start, 3000u);
    EXPECT_FALSE(panel->Visible());
    // The timer is gone: no more changes later.
    platform.AdvanceBy(5000);
    EXPECT_EQ(seen.size(), 4u);
}

TEST_F(LovelyPanelTest, HiddenPanelLosesItsRemainingTimeOnTheNextTick) {
    std::vector<int> seen;
    panel->OnLifeChange = [&](TControl*) { seen.push_back(panel->Remaining()); };
    panel->SetLifeCount(30);
    platform.Post([&] { panel->Hide(); });
    const std::uint32_t start = platform.Now();
    EXPECT_EQ(panel->ShowModal(), 0);
    EXPECT_EQ(seen, (std::vector<int>{30, 0}));
    EXPECT_EQ(platform.Now() - start, 1000u);
}

TEST_F(LovelyPanelTest, ARunEndsWhenThePanelIsFreed) {
    auto doomed = std::make_unique<TLovelyPanel>(nullptr);
    doomed->SetParent(form.get());
    TLovelyPanel* running = doomed.get();
    platform.Post([&] { doomed.reset(); });
    // The panel goes away inside its own run: the run answers 0 without touching it again.
    EXPECT_EQ(running->ShowModal(), 0);
}

TEST_F(LovelyPanelTest, DraggingTheTitleMovesAnUnlockedPanel) {
    panel->SetTitleHeight(20);
    platform.RunUntilIdle();
    platform.MouseDown({20, 15});
    platform.MouseMove({40, 25});
    platform.MouseUp({40, 25});
    platform.RunUntilIdle();
    EXPECT_EQ(panel->Left(), 10); // locked by default

    panel->SetLockedPoint(false);
    platform.MouseDown({20, 15});
    platform.MouseMove({40, 25});
    platform.MouseUp({40, 25});
    platform.RunUntilIdle();
    EXPECT_EQ(panel->Left(), 30);
    EXPECT_EQ(panel->Top(), 20);
}

} // namespace
} // namespace morvane
