#include "platform/headless/FreeTypeTextEngine.h"

#include "base/Gbk.h"
#include "gui/Bitmap.h"
#include "gui/Font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace morvane {
namespace {

// Song-style first, then fallbacks that still cover Chinese, then a Latin face so that at least digits show.
const char* const kFontFiles[] = {
    "/usr/share/fonts/truetype/arphic/uming.ttc",
    "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
};

} // namespace

struct TFreeTypeTextEngine::Library {
    FT_Library library{nullptr};
    FT_Face face{nullptr};
    int currentSize{0};

    ~Library() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
    void SetSize(int pixelSize) {
        if (pixelSize == currentSize) return;
        FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelSize));
        currentSize = pixelSize;
    }
};

TFreeTypeTextEngine::TFreeTypeTextEngine() : library_(std::make_unique<Library>()) {
    if (FT_Init_FreeType(&library_->library) != 0) throw std::runtime_error("FreeType could not start");
    for (const char* file : kFontFiles) {
        if (!std::filesystem::exists(file)) continue;
        if (FT_New_Face(library_->library, file, 0, &library_->face) == 0) {
            fontFile_ = file;
            break;
        }
    }
    if (!library_->face)
        throw std::runtime_error("no font for text was found; scripts/setup installs fonts-arphic-uming");
}

TFreeTypeTextEngine::~TFreeTypeTextEngine() = default;

TFreeTypeTextEngine::Metrics TFreeTypeTextEngine::MetricsFor(int pixelSize) {
    library_->SetSize(pixelSize);
    const FT_Size_Metrics& m = library_->face->size->metrics;
    int ascender = int(m.ascender >> 6);
    int descender = int(-m.descender >> 6);
    // Song faces report generous line gaps; a cell of ascender + descender matches the system's text height.
    return {ascender, std::max(pixelSize, ascender + descender)};
}

const TFreeTypeTextEngine::Glyph& TFreeTypeTextEngine::GlyphFor(int pixelSize, bool bold, char32_t cp) {
    GlyphKey key{pixelSize, bold, cp};
    auto it = glyphs_.find(key);
    if (it != glyphs_.end()) return it->second;
    Glyph glyph;
    library_->SetSize(pixelSize);
    FT_Face face = library_->face;
    FT_UInt index = FT_Get_Char_Index(face, FT_ULong(cp));
    // Small Song glyphs look best with their embedded bitmaps; hinting keeps strokes on whole pixels.
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) == 0) {
        if (bold && face->glyph->format == FT_GLYPH_FORMAT_OUTLINE)
            FT_Outline_Embolden(&face->glyph->outline, std::max<FT_Pos>(32, pixelSize * 2));
        if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) == 0) {
            const FT_Bitmap& bm = face->glyph->bitmap;
            glyph.advance = int(face->glyph->advance.x >> 6) + (bold ? 1 : 0);
            glyph.left = face->glyph->bitmap_left;
            glyph.top = face->glyph->bitmap_top;
            glyph.width = int(bm.width);
            glyph.height = int(bm.rows);
            glyph.coverage.resize(std::size_t(glyph.width) * glyph.height);
            for (int row = 0; row < glyph.height; ++row) {
                const unsigned char* src = bm.buffer + std::ptrdiff_t(row) * bm.pitch;
                for (int col = 0; col < glyph.width; ++col) {
                    std::uint8_t value = bm.pixel_mode == FT_PIXEL_MODE_MONO
                                             ? ((src[col >> 3] >> (7 - (col & 7))) & 1) * 255
                                             : src[col];
                    glyph.coverage[std::size_t(row) * glyph.width + col] = value;
                }
            }
        }
    }
    return glyphs_.emplace(key, std::move(glyph)).first->second;
}

TSize TFreeTypeTextEngine::TextExtent(const TFont& font, std::string_view text) {
    int size = std::max(1, font.PixelSize());
    Metrics metrics = MetricsFor(size);
    int width = 0;
    for (char32_t cp : gbk::ToCodePoints(text))
        width += GlyphFor(size, font.Bold(), cp).advance;
    return {width, metrics.height};
}

void TFreeTypeTextEngine::DrawText(TBitmap& target, const TRect& clip, int x, int y, const TFont& font,
                                   std::string_view text, TColor color) {
    if (target.PixelFormat() != TPixelFormat::pf32bit) return;
    TRect area = clip.Intersect({0, 0, target.Width(), target.Height()});
    if (area.IsEmpty()) return;
    int size = std::max(1, font.PixelSize());
    Metrics metrics = MetricsFor(size);
    const std::uint32_t r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    int penX = x;
    const int baseline = y + metrics.ascender;
    for (char32_t cp : gbk::ToCodePoints(text)) {
        const Glyph& glyph = GlyphFor(size, font.Bold(), cp);
        const int left = penX + glyph.left;
        const int top = baseline - glyph.top;
        for (int row = std::max(0, area.top - top); row < glyph.height && top + row < area.bottom; ++row) {
            std::uint32_t* dest = target.Row32(top + row);
            for (int col = std::max(0, area.left - left); col < glyph.width && left + col < area.right;
                 ++col) {
                std::uint32_t a = glyph.coverage[std::size_t(row) * glyph.width + col];
                if (a == 0) continue;
                std::uint32_t& px = dest[left + col];
                std::uint32_t dr = (px >> 16) & 0xFF, dg = (px >> 8) & 0xFF, db = px & 0xFF;
                dr = (r * a + dr * (255 - a) + 127) / 255;
                dg = (g * a + dg * (255 - a) + 127) / 255;
                db = (b * a + db * (255 - a) + 127) / 255;
                px = 0xFF000000u | (dr << 16) | (dg << 8) | db;
            }
        }
        if (font.Style() & fsUnderline) {
            int underlineY = baseline + 1;
            if (underlineY >= area.top && underlineY < area.bottom)
                for (int ux = std::max(penX, area.left); ux < std::min(penX + glyph.advance, area.right);
                     ++ux)
                    target.Row32(underlineY)[ux] = OpaquePixel(color);
        }
        penX += glyph.advance;
    }
}

} // namespace morvane
