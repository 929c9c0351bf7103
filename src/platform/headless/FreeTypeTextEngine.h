#pragma once

#include "gui/TextEngine.h"

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace morvane {

// Text in the installed fonts through FreeType. A face is taken by its name when a font of that family is
// installed (under the name it gives itself in any language: "SimSun" or "宋体", "Tahoma"); any face that
// is not installed takes the Song-style CJK font. Bold asks for a synthetic emboldening.
class TFreeTypeTextEngine : public TTextEngine {
public:
    TFreeTypeTextEngine();
    ~TFreeTypeTextEngine() override;

    TSize TextExtent(const TFont& font, std::string_view text) override;
    void DrawText(TBitmap& target, const TRect& clip, int x, int y, const TFont& font, std::string_view text,
                  TColor color) override;

    // Where the Song-style font came from, for messages when none could be loaded.
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
    using GlyphKey = std::tuple<int, int, bool, char32_t>; // face, pixel size, bold, code point

    // The loaded face that draws the font's face name: 0, the Song-style font, unless the name is installed.
    int FaceFor(const TFont& font);
    const Glyph& GlyphFor(int face, int pixelSize, bool bold, char32_t cp);
    Metrics MetricsFor(int face, int pixelSize);

    struct Library;
    std::unique_ptr<Library> library_;
    std::string fontFile_;
    std::map<GlyphKey, Glyph> glyphs_;
};

} // namespace morvane
