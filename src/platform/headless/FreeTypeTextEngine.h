#pragma once

#include "gui/TextEngine.h"

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace morvane {

// Text in the installed CJK fonts through FreeType. A request for a Song face ("宋体", "SimSun", ...) or any
// unknown face takes the Song-style font; bold asks for a synthetic emboldening.
class TFreeTypeTextEngine : public TTextEngine {
public:
    TFreeTypeTextEngine();
    ~TFreeTypeTextEngine() override;

    TSize TextExtent(const TFont& font, std::string_view text) override;
    void DrawText(TBitmap& target, const TRect& clip, int x, int y, const TFont& font, std::string_view text,
                  TColor color) override;

    // Where the faces came from, for messages when none could be loaded.
    const std::string& FontFile() const { return fontFile_; }

private:
    struct Glyph {
        int advance{0};
        int left{0};
        int top{0};
        int width{0};
        int height{0};
        std::vector<std::uint8_t> coverage;
    };
    struct Metrics {
        int ascender{0};
        int height{0};
    };
    using GlyphKey = std::tuple<int, bool, char32_t>; // pixel size, bold, code point

    const Glyph& GlyphFor(int pixelSize, bool bold, char32_t cp);
    Metrics MetricsFor(int pixelSize);

    struct Library;
    std::unique_ptr<Library> library_;
    std::string fontFile_;
    std::map<GlyphKey, Glyph> glyphs_;
};

} // namespace morvane
