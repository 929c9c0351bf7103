#pragma once

#include "base/Types.h"
#include "gui/Bitmap.h"
#include "gui/Region.h"

#include <optional>
#include <string>

namespace morvane {

// A table draws its frame at its own size and the platform shows it enlarged by a whole factor when the
// screen is dense (or the player asks for it): every frame pixel becomes a square of factor × factor
// screen pixels. The helpers here are the arithmetic both backends share; nothing above the platform
// sees a factor.

inline constexpr int kLargestWindowScale = 3;
// What the player's option asks for when it follows the screen.
inline constexpr int kScaleFollowsScreen = 0;
// Dots per inch of a screen that shows one frame pixel as one screen pixel.
inline constexpr int kBaseDpi = 96;

// The factor a screen of `dpi` dots per inch asks for: whole multiples of 96, rounded down, from 1 to 3.
int ScreenFactorOfDpi(int dpi);
// The factor windows are shown at: a fixed preference (1 to 3), else the screen's own factor.
int EffectiveScale(int preference, int screenFactor);
// The option as written in the option file: 0 (follow the screen) to 3. Anything else, blanks around a
// number aside, is no preference at all.
std::optional<int> ParseScalePreference(const std::string& text);

// Screen pixels to frame pixels: each screen pixel maps to the frame pixel it shows, also to the left
// of and above the window (a captured mouse outside it), so the division rounds toward minus infinity.
int FrameCoordinate(int screenCoordinate, int scale);
TPoint FramePointOf(TPoint screenPoint, int scale);
// The frame pixels a rectangle of screen pixels shows any part of.
TRect FrameRectCovering(const TRect& screenRect, int scale);
// Frame pixels to the screen pixels that show them.
TRect ScaledRect(const TRect& frameRect, int scale);
TRegion ScaledRegion(const TRegion& frameRegion, int scale);

// Copies the frame's pixels inside `rect` into `screen` (which the caller sized to the frame's size
// times `scale`), each pixel as a square of scale × scale.
void PresentScaled(const TBitmap& frame, const TRect& rect, int scale, TBitmap& screen);

// A window's pixels: what the framebuffer presented, and the screen pixels showing it at the window's
// factor. At factor 1 the screen's pixels are the frame's, so a present at the table's own size stays one
// copy; the frame is kept apart only while enlarged.
class TScaledSurface {
public:
    int Scale() const { return scale_; }
    const TBitmap& Screen() const { return screen_; }
    const TBitmap& Frame() const { return scale_ > 1 ? frame_ : screen_; }
    // Sizes the surface for a frame of width × height; what it showed is lost.
    void Resize(int width, int height);
    // Copies the framebuffer's pixels inside `rect` in, first taking the framebuffer's size.
    void Present(const TBitmap& framebuffer, const TRect& rect);
    // Shows what was presented at another factor.
    void Rescale(int scale);

private:
    int scale_{1};
    TBitmap frame_;
    TBitmap screen_;
};

} // namespace morvane
