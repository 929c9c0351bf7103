#pragma once

#include "base/Types.h"

#include <cstdint>
#include <string_view>

namespace morvane {

class TBitmap;
class TFont;

// Turns GBK text into pixels in a named face. The platform supplies it: FreeType with the installed CJK
// fonts on the headless platform, GDI on Windows.
class TTextEngine {
public:
    virtual ~TTextEngine() = default;

    // The advance width and the line height of the text in this font.
    virtual TSize TextExtent(const TFont& font, std::string_view text) = 0;
    // Draws the text with its cell's top-left corner at (x, y) onto a 32-bit bitmap, only inside `clip`,
    // in the given colour, blending the glyphs' coverage over what is there.
    virtual void DrawText(TBitmap& target, const TRect& clip, int x, int y, const TFont& font,
                          std::string_view text, TColor color) = 0;
};

} // namespace morvane
