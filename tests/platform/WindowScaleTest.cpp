#include "platform/WindowScale.h"

#include "gui/Form.h"
#include "gui/Region.h"
#include "support/headless/HeadlessApp.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace morvane {
namespace {

using test::HeadlessTest;

constexpr int kTableWidth = 1024;
constexpr int kTableHeight = 734;
constexpr TColor kRed = 0x0000FF;

// Every screen pixel maps to the frame pixel it shows: the first and last pixel of each square, the last
// pixel of the whole scaled window, and pixels left of and above it (the mouse held outside the window)
// which must not fold onto column or row 0.
TEST(WindowScale, ScreenPixelsMapBackToTheFramePixelTheyShow) {
    for (int scale = 1; scale <= 3; ++scale) {
        SCOPED_TRACE(scale);
        EXPECT_EQ(FramePointOf({0, 0}, scale), (TPoint{0, 0}));
        EXPECT_EQ(FramePointOf({scale - 1, scale - 1}, scale), (TPoint{0, 0}));
        EXPECT_EQ(FramePointOf({scale, 2 * scale - 1}, scale), (TPoint{1, 1}));
        EXPECT_EQ(FramePointOf({kTableWidth * scale - 1, kTableHeight * scale - 1}, scale),
                  (TPoint{kTableWidth - 1, kTableHeight - 1}));
        EXPECT_EQ(FramePointOf({kTableWidth * scale, kTableHeight * scale}, scale),
                  (TPoint{kTableWidth, kTableHeight}));
        EXPECT_EQ(FramePointOf({-1, -scale}, scale), (TPoint{-1, -1}));
        EXPECT_EQ(FramePointOf({-scale - 1, 0}, scale), (TPoint{-2, 0}));
    }
    // A damaged part of the screen asks for every frame pixel it shows a piece of.
    EXPECT_EQ(FrameRectCovering({3, 1, 4, 6}, 2), (TRect{1, 0, 2, 3}));
    EXPECT_EQ(FrameRectCovering({0, 0, 2048, 1468}, 2), (TRect{0, 0, 1024, 734}));
    EXPECT_EQ(FrameRectCovering({5, 5, 7, 7}, 3), (TRect{1, 1, 3, 3}));
}

TEST(WindowScale, TheScreenAsksForWholeMultiplesOf96DotsAndAFixedPreferenceWins) {
    EXPECT_EQ(ScreenFactorOfDpi(96), 1);
    EXPECT_EQ(ScreenFactorOfDpi(144), 1); // 150 %: rounded down
    EXPECT_EQ(ScreenFactorOfDpi(191), 1);
    EXPECT_EQ(ScreenFactorOfDpi(192), 2);
    EXPECT_EQ(ScreenFactorOfDpi(288), 3);
    EXPECT_EQ(ScreenFactorOfDpi(480), 3); // 500 %: no more than 3
    EXPECT_EQ(ScreenFactorOfDpi(0), 1);   // a screen that tells nothing
    EXPECT_EQ(EffectiveScale(kScaleFollowsScreen, 2), 2);
    EXPECT_EQ(EffectiveScale(1, 3), 1);
    EXPECT_EQ(EffectiveScale(3, 1), 3);
    EXPECT_EQ(EffectiveScale(7, 2), 2); // never asked for, but no factor outside 1..3 comes of it
}

TEST(WindowScale, TheOptionTakesZeroToThreeAndNothingElse) {
    EXPECT_EQ(ParseScalePreference("0"), 0);
    EXPECT_EQ(ParseScalePreference("1"), 1);
    EXPECT_EQ(ParseScalePreference("2"), 2);
    EXPECT_EQ(ParseScalePreference(" 3\t"), 3);
    for (const char* bad : {"", " ", "4", "-1", "2x", "1.5", "two", "99999999999", "+2"})
        EXPECT_EQ(ParseScalePreference(bad), std::nullopt) << '"' << bad << '"';
}

// Each frame pixel becomes a square of the factor's size, and presenting a part changes only its squares.
TEST(WindowScale, PresentingReplicatesEachPixelIntoItsSquare) {
    TBitmap frame(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            frame.Row32(y)[x] = std::uint32_t(0xFF000000u | (y << 8) | x);
    TBitmap screen(9, 6);
    PresentScaled(frame, {0, 0, 3, 2}, 3, screen);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(screen.Row32(y)[x], frame.Row32(y / 3)[x / 3]) << x << "," << y;
    frame.Row32(1)[2] = 0xFFABCDEFu;
    frame.Row32(0)[0] = 0xFF111111u; // changed, but outside the part presented
    PresentScaled(frame, {2, 1, 3, 2}, 3, screen);
    EXPECT_EQ(screen.Row32(3)[6], 0xFFABCDEFu);
    EXPECT_EQ(screen.Row32(5)[8], 0xFFABCDEFu);
    EXPECT_EQ(screen.Row32(0)[0], 0xFF000000u);
    // A part reaching past the frame is cut to it.
    PresentScaled(frame, {-5, -5, 50, 50}, 3, screen);
    EXPECT_EQ(screen.Row32(0)[0], 0xFF111111u);
}

// A surface at factor 1 keeps one copy of what was presented; enlarged and brought back, it still shows the
// last picture, at each size.
TEST(WindowScale, ASurfaceKeepsOneCopyAtItsOwnSizeAndItsPictureAcrossFactors) {
    TBitmap frame(2, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            frame.Row32(y)[x] = std::uint32_t(0xFF000000u | (y << 8) | x);
    TScaledSurface surface;
    surface.Present(frame, {0, 0, 2, 2});
    EXPECT_EQ(&surface.Frame(), &surface.Screen());
    EXPECT_EQ(surface.Screen().Width(), 2);
    surface.Rescale(2);
    ASSERT_EQ(surface.Screen().Width(), 4);
    EXPECT_NE(&surface.Frame(), &surface.Screen());
    EXPECT_EQ(surface.Screen().Row32(3)[3], frame.Row32(1)[1]);
    frame.Row32(0)[1] = 0xFFABCDEFu;
    surface.Present(frame, {1, 0, 2, 1});
    EXPECT_EQ(surface.Screen().Row32(1)[3], 0xFFABCDEFu);
    surface.Rescale(1);
    ASSERT_EQ(surface.Screen().Width(), 2);
    EXPECT_EQ(surface.Screen().Row32(0)[1], 0xFFABCDEFu);
    EXPECT_EQ(surface.Frame().Row32(1)[0], frame.Row32(1)[0]);
}

class ScaledWindowTest : public HeadlessTest {
protected:
    struct TPress {
        int x;
        int y;
    };

    // A form of the table's size at (20, 10) in the toolkit's positions, shaped with a notch at its top
    // left corner, and recording where presses land.
    void OpenTable() {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(20, 10, kTableWidth, kTableHeight);
        form->SetColor(kRed);
        TRegion shape({10, 0, kTableWidth, kTableHeight});
        shape.Add(TRect{0, 10, 10, kTableHeight});
        form->SetFormRegion(&shape);
        form->OnMouseDown = [this](TControl*, TMouseButton, TShiftState, int x, int y) {
            presses.push_back({x, y});
        };
        form->Show();
        platform.RunUntilIdle();
    }

    // Presses at a screen pixel relative to the window's corner on the screen.
    void PressAt(int x, int y) {
        const int scale = platform.WindowScale(form->WindowId());
        platform.Click({20 * scale + x, 10 * scale + y});
        platform.AdvanceBy(1000); // no double clicks
    }

    std::unique_ptr<TForm> form;
    std::vector<TPress> presses;
};

TEST_F(ScaledWindowTest, AWindowOnADenseScreenShowsItsFrameEnlargedAndTakesPressesInFramePixels) {
    for (int scale = 1; scale <= 3; ++scale) {
        SCOPED_TRACE(scale);
        platform.SetScreenFactor(scale);
        OpenTable();
        const TWindowId window = form->WindowId();
        EXPECT_EQ(platform.WindowScale(window), scale);
        // The toolkit keeps its own size and place; the screen shows the frame scale times larger.
        EXPECT_EQ(platform.WindowBounds(window), (TRect{20, 10, 20 + kTableWidth, 10 + kTableHeight}));
        const TBitmap* screen = platform.Screenshot(window);
        ASSERT_TRUE(screen);
        EXPECT_EQ(screen->Width(), kTableWidth * scale);
        EXPECT_EQ(screen->Height(), kTableHeight * scale);
        EXPECT_EQ(screen->Pixel(kTableWidth * scale - 1, kTableHeight * scale - 1), kRed);
        // The shape follows: the notch is scale times larger.
        ASSERT_TRUE(platform.WindowRegion(window));
        EXPECT_EQ(platform.WindowRegion(window)->Bounds(),
                  (TRect{0, 0, kTableWidth * scale, kTableHeight * scale}));
        EXPECT_FALSE(platform.WindowRegion(window)->Contains({10 * scale - 1, 10 * scale - 1}));
        EXPECT_TRUE(platform.WindowRegion(window)->Contains({10 * scale, 10 * scale - 1}));

        presses.clear();
        PressAt(0, 10 * scale);                                     // first pixel below the notch
        PressAt(10 * scale - 1, 10 * scale - 1);                    // inside the notch: not the table's
        PressAt(10 * scale, 0);                                     // first pixel right of it
        PressAt(7 * scale + scale - 1, 500 * scale + scale - 1);    // last pixel of a square
        PressAt(kTableWidth * scale - 1, kTableHeight * scale - 1); // last pixel of the window
        PressAt(kTableWidth * scale, kTableHeight * scale - 1);     // just outside
        ASSERT_EQ(presses.size(), 4u);
        EXPECT_EQ(presses[0].x, 0);
        EXPECT_EQ(presses[0].y, 10);
        EXPECT_EQ(presses[1].x, 10);
        EXPECT_EQ(presses[1].y, 0);
        EXPECT_EQ(presses[2].x, 7);
        EXPECT_EQ(presses[2].y, 500);
        EXPECT_EQ(presses[3].x, kTableWidth - 1);
        EXPECT_EQ(presses[3].y, kTableHeight - 1);
        // The cursor is told in the toolkit's positions too.
        EXPECT_EQ(platform.CursorPos(), (TPoint{20 + kTableWidth, 10 + kTableHeight - 1}));
        form.reset();
    }
}

// The work area and screen copies are told in the toolkit's positions, so that a window centred on the
// work area is centred on the screen, and a copy of the window's rectangle is the whole window as shown.
TEST_F(ScaledWindowTest, TheWorkAreaAndScreenCopiesCountFramePixels) {
    const TRect base = platform.ScreenWorkArea();
    platform.SetScreenFactor(2);
    EXPECT_EQ(platform.ScreenWorkArea(), base); // twice the pixels, each twice as large
    platform.SetScalePreference(1);
    EXPECT_EQ(platform.ScreenWorkArea().Width(), base.Width() * 2);
    platform.SetScalePreference(3);
    EXPECT_EQ(platform.ScreenWorkArea().Width(), base.Width() * 2 / 3);
    platform.SetScalePreference(kScaleFollowsScreen);
    OpenTable();
    const TBitmap copy = platform.CopyScreen(form->BoundsRect());
    EXPECT_EQ(copy.Width(), kTableWidth * 2);
    EXPECT_EQ(copy.Height(), kTableHeight * 2);
    EXPECT_EQ(copy.Pixel(kTableWidth * 2 - 1, kTableHeight * 2 - 1), kRed);
}

// The player's preference reaches a window already open: it is shown at the new factor at once, from what
// was presented, without waiting for the table to paint again.
TEST_F(ScaledWindowTest, AChangedPreferenceRescalesAnOpenWindowAtOnce) {
    OpenTable();
    const TWindowId window = form->WindowId();
    ASSERT_EQ(platform.Screenshot(window)->Width(), kTableWidth);
    const int paints = form->PaintCount();
    platform.SetScalePreference(3);
    EXPECT_EQ(platform.WindowScale(window), 3);
    EXPECT_EQ(platform.Screenshot(window)->Width(), kTableWidth * 3);
    EXPECT_EQ(platform.Screenshot(window)->Pixel(kTableWidth * 3 - 1, 10 * 3), kRed);
    EXPECT_EQ(platform.WindowRegion(window)->Bounds().right, kTableWidth * 3);
    platform.RunUntilIdle();
    EXPECT_EQ(form->PaintCount(), paints);
    PressAt(kTableWidth * 3 - 1, kTableHeight * 3 - 1);
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].x, kTableWidth - 1);
    platform.SetScalePreference(kScaleFollowsScreen);
    EXPECT_EQ(platform.Screenshot(window)->Width(), kTableWidth);
}

} // namespace
} // namespace morvane
