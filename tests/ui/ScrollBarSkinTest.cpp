#include "gui/Form.h"
#include "support/headless/HeadlessApp.h"
#include "ui/ISScrollBarReplacerMgr.h"
#include "ui/ISScrollBarSkinner.h"
#include "ui/PluginScrollBar.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

constexpr TScrollBarKind kV = TScrollBarKind::sbVertical;
constexpr TScrollBarKind kH = TScrollBarKind::sbHorizontal;

class ScrollBarSkinTest : public test::HeadlessTest {
protected:
    ScrollBarSkinTest() {
        form->SetBounds(0, 0, 400, 300);
        form->SetColor(clWhite);
        form->Show();
        skin = form->Own(std::make_unique<TPluginScrollbarReplacer>(form.get()));
    }
    TScrollingControl* Place(int left, int top, int width, int height) {
        TScrollingControl* control = form->Own(std::make_unique<TScrollingControl>(form.get()));
        control->SetParent(form.get());
        control->SetBounds(left, top, width, height);
        control->SetScrollRange(kV, 0, 99, 10);
        return control;
    }
    TISScrollBarReplacer& Skinned(TScrollingControl* control, int kind = kXPScrollBarSkinner) {
        skin->Skin({control}, scheme, kind);
        platform.RunUntilIdle();
        return *skin->Find(*control);
    }
    void Click(TPoint at) {
        platform.Click(at);
        platform.RunUntilIdle();
        platform.AdvanceBy(1000); // keep clicks apart
    }

    TScrollBarScheme scheme{0x6FA4EF, 0x94AAC1, 0xABE3FE, 0xF0FAFE, 0xD4EDF7, 0xD4EDF7};
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TPluginScrollbarReplacer* skin = nullptr;
};

TEST_F(ScrollBarSkinTest, SkinBarsCoverTheControlsBarsAndFollowThemOnTheNextMessage) {
    TScrollingControl* list = Place(10, 10, 200, 150);
    TISScrollBarReplacer& replacer = Skinned(list);
    EXPECT_TRUE(replacer.Bar(kV).Visible());
    EXPECT_EQ(replacer.Bar(kV).BoundsRect(), list->ScrollBarInfo(kV).rect);
    EXPECT_EQ(replacer.Bar(kV).Parent(), form.get());
    // The horizontal bar is hidden: no skin bar for it, and no corner.
    EXPECT_FALSE(replacer.Bar(kH).Visible());
    EXPECT_FALSE(replacer.Corner().Visible());

    list->SetScrollRange(kH, 0, 499, 100);
    platform.RunUntilIdle();
    ASSERT_TRUE(replacer.Bar(kH).Visible());
    EXPECT_EQ(replacer.Bar(kH).BoundsRect(), list->ScrollBarInfo(kH).rect);
    EXPECT_EQ(replacer.Bar(kV).BoundsRect(), list->ScrollBarInfo(kV).rect);
    ASSERT_TRUE(replacer.Corner().Visible());
    EXPECT_EQ(replacer.Corner().BoundsRect(),
              (TRect{replacer.Bar(kV).Left(), replacer.Bar(kH).Top(), replacer.Bar(kV).BoundsRect().right,
                     replacer.Bar(kH).BoundsRect().bottom}));
    EXPECT_EQ(form->Framebuffer().Pixel(replacer.Corner().Left() + 2, replacer.Corner().Top() + 2),
              scheme[scCorner]);

    list->SetScrollRange(kH, 0, 0, 100);
    platform.RunUntilIdle();
    EXPECT_FALSE(replacer.Bar(kH).Visible());
    EXPECT_FALSE(replacer.Corner().Visible());
}

TEST_F(ScrollBarSkinTest, TheScreenShowsTheSkinNotTheControlsOwnBar) {
    TScrollingControl* list = Place(10, 10, 200, 150);
    TISScrollBarReplacer& replacer = Skinned(list, kStdScrollBarSkinner);
    const TRect bar = replacer.Bar(kV).BoundsRect();
    const TScrollBarInfo info = list->ScrollBarInfo(kV);
    // Track below the thumb, the thumb face, the up arrow's light edge.
    EXPECT_EQ(form->Framebuffer().Pixel(bar.left + 8, bar.top + info.thumbEnd + 3), scheme[scTrack]);
    EXPECT_EQ(form->Framebuffer().Pixel(bar.left + 4, bar.top + info.thumbStart + 3), scheme[scFace]);
    EXPECT_EQ(form->Framebuffer().Pixel(bar.left, bar.top + 5), scheme[scLight]);
}

TEST_F(ScrollBarSkinTest, ShortBarShowsArrowsButNoThumb) {
    TScrollingControl* list = Place(10, 10, 200, 44); // a vertical bar 40 long, 17 thick
    TISScrollBarReplacer& replacer = Skinned(list, kStdScrollBarSkinner);
    const TBitmap& picture = replacer.Bar(kV).Picture();
    ASSERT_EQ(picture.Height(), 40);
    EXPECT_EQ(picture.Pixel(8, 2), scheme[scFace]);  // up arrow
    EXPECT_EQ(picture.Pixel(8, 37), scheme[scFace]); // down arrow
    for (int y = 17; y < 23; ++y)
        EXPECT_EQ(picture.Pixel(8, y), scheme[scTrack]) << y;
}

TEST_F(ScrollBarSkinTest, DisabledBarHasGreyArrowsAndNoThumb) {
    TScrollingControl* list = Place(10, 10, 200, 150);
    TISScrollBarReplacer& replacer = Skinned(list, kStdScrollBarSkinner);
    list->SetScrollBarEnabled(kV, false);
    platform.RunUntilIdle();
    const TBitmap& picture = replacer.Bar(kV).Picture();
    const TColor arrowFace = picture.Pixel(4, 4);
    EXPECT_EQ(GetRValue(arrowFace), GetGValue(arrowFace));
    EXPECT_EQ(GetGValue(arrowFace), GetBValue(arrowFace));
    for (int y = 17; y < picture.Height() - 17; y += 7)
        EXPECT_EQ(picture.Pixel(8, y), scheme[scTrack]) << y;
}

TEST_F(ScrollBarSkinTest, PressingTheSkinnedArrowsScrollsLikeTheControlsOwnBar) {
    TScrollingControl* skinned = Place(10, 10, 150, 150);
    TScrollingControl* plain = Place(200, 10, 150, 150);
    Skinned(skinned);
    for (TScrollingControl* list : {skinned, plain})
        list->SetScrollPos(kV, 50);
    platform.RunUntilIdle();
    for (TScrollingControl* list : {skinned, plain}) {
        const TRect bar = list->ScrollBarInfo(kV).rect;
        Click({bar.left + 8, bar.top + 4}); // up arrow
        Click({bar.left + 8, bar.top + 4});
        Click({bar.left + 8, bar.bottom - 4});  // down arrow
        Click({bar.left + 8, bar.bottom - 25}); // the track below the thumb: a page
    }
    EXPECT_NE(plain->ScrollPos(kV), 50);
    EXPECT_EQ(skinned->ScrollPos(kV), plain->ScrollPos(kV));
}

TEST_F(ScrollBarSkinTest, DraggingTheSkinnedThumbScrollsLikeTheOwnThumb) {
    TScrollingControl* skinned = Place(10, 10, 150, 150);
    TScrollingControl* plain = Place(200, 10, 150, 150);
    TISScrollBarReplacer& replacer = Skinned(skinned);
    for (TScrollingControl* list : {skinned, plain}) {
        const TScrollBarInfo info = list->ScrollBarInfo(kV);
        const TPoint grip{info.rect.left + 8, info.rect.top + info.thumbStart + 3};
        platform.MouseDown(grip);
        platform.MouseMove({grip.x, grip.y + 40});
        platform.MouseUp({grip.x, grip.y + 40});
        platform.RunUntilIdle();
    }
    EXPECT_GT(plain->ScrollPos(kV), 0);
    EXPECT_EQ(skinned->ScrollPos(kV), plain->ScrollPos(kV));
    // The skin moved its thumb with the control.
    EXPECT_EQ(replacer.Bar(kV).Geometry().thumbStart, skinned->ScrollBarInfo(kV).thumbStart);
}

TEST_F(ScrollBarSkinTest, PaintingSettlesInsteadOfRepaintingForever) {
    TScrollingControl* list = Place(10, 10, 200, 150);
    Skinned(list);
    const int paints = form->PaintCount();
    platform.RunUntilIdle();
    platform.AdvanceBy(1000);
    EXPECT_EQ(form->PaintCount(), paints);
    list->Invalidate();
    platform.RunUntilIdle();
    EXPECT_EQ(form->PaintCount(), paints + 1);
}

TEST_F(ScrollBarSkinTest, HidingTheControlHidesItsSkinAndShowingBringsBackOnlyRealBars) {
    TScrollingControl* list = Place(10, 10, 200, 150);
    TISScrollBarReplacer& replacer = Skinned(list);
    list->Hide();
    EXPECT_FALSE(replacer.Bar(kV).Visible());
    list->Show();
    EXPECT_TRUE(replacer.Bar(kV).Visible());
    EXPECT_FALSE(replacer.Bar(kH).Visible());
}

TEST_F(ScrollBarSkinTest, RegisteringTwiceKeepsOneSkinAndAFreedControlTakesItsSkinAlong) {
    auto list = std::make_unique<TScrollingControl>(nullptr);
    list->SetParent(form.get());
    list->SetBounds(10, 10, 200, 150);
    list->SetScrollRange(kV, 0, 99, 10);
    const int before = TISScrollBarReplacerMgr::Instance().Count();
    skin->Skin({list.get()}, scheme, kXPScrollBarSkinner);
    TISScrollBarReplacer* first = skin->Find(*list);
    skin->Skin({list.get()}, scheme, kStdScrollBarSkinner);
    EXPECT_EQ(skin->Find(*list), first);
    EXPECT_EQ(TISScrollBarReplacerMgr::Instance().Count(), before + 1);
    const int children = form->ControlCount();

    list.reset();
    EXPECT_EQ(TISScrollBarReplacerMgr::Instance().Count(), before);
    EXPECT_EQ(form->ControlCount(), children - 4); // the control and its three covers
    platform.RunUntilIdle();
}

} // namespace
} // namespace morvane
