#include "platform/headless/FreeTypeTextEngine.h"

#include "base/Gbk.h"
#include "gui/Bitmap.h"
#include "gui/Font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fontconfig/fontconfig.h>
#include <memory>
#include <optional>
#include <stdexcept>
#include <tuple>

namespace morvane {
namespace {

// Song-style first, then fallbacks that still cover Chinese, then a Latin face so that at least digits show.
const char* const kFontFiles[] = {
    "/usr/share/fonts/truetype/arphic/uming.ttc",
    "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
};

template <typename T, void (*Destroy)(T*)>
struct TFcDeleter {
    void operator()(T* object) const { Destroy(object); }
};
using TFcPattern = std::unique_ptr<FcPattern, TFcDeleter<FcPattern, FcPatternDestroy>>;
using TFcObjectSet = std::unique_ptr<FcObjectSet, TFcDeleter<FcObjectSet, FcObjectSetDestroy>>;
using TFcFontSet = std::unique_ptr<FcFontSet, TFcDeleter<FcFontSet, FcFontSetDestroy>>;

struct TFontFileFace {
    std::string file;
    FT_Long index{0};
};

// The installed font whose family is called `utf8Name` in any of its languages, without regard to case,
// as the system's font catalogue lists it: of several styles the upright one nearest the regular weight.
// Nothing when no installed font has that family.
std::optional<TFontFileFace> InstalledFamily(const std::string& utf8Name) {
    TFcPattern pattern(FcPatternCreate());
    TFcObjectSet objects(FcObjectSetBuild(FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT, nullptr));
    if (!pattern || !objects) return std::nullopt;
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(utf8Name.c_str()));
    TFcFontSet fonts(FcFontList(nullptr, pattern.get(), objects.get()));
    if (!fonts) return std::nullopt;
    std::optional<TFontFileFace> best;
    std::tuple<int, int, std::string, int> bestRank{};
    for (int i = 0; i < fonts->nfont; ++i) {
        FcChar8* file = nullptr;
        int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
        FcPatternGetInteger(fonts->fonts[i], FC_INDEX, 0, &index);
        FcPatternGetInteger(fonts->fonts[i], FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(fonts->fonts[i], FC_SLANT, 0, &slant);
        // The catalogue lists in no fixed order: the rank ends in the file and index so the choice is stable.
        std::tuple<int, int, std::string, int> rank{slant != FC_SLANT_ROMAN,
                                                    std::abs(weight - FC_WEIGHT_REGULAR),
                                                    reinterpret_cast<const char*>(file), index};
        if (!best || rank < bestRank) {
            best = TFontFileFace{std::get<2>(rank), FT_Long(index)};
            bestRank = std::move(rank);
        }
    }
    return best;
}

} // namespace

// Fontconfig keeps a few hundred bytes of its first catalogue load where the leak checker cannot see them,
// once per process. The checker of sanitized builds is told so here, where the catalogue is used, so that
// every program and fuzz target linking this engine reports only leaks of its own.
#if defined(__SANITIZE_ADDRESS__)
#define MORVANE_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVANE_LEAK_CHECKED 1
#endif
#endif
#ifdef MORVANE_LEAK_CHECKED
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
// Without a report of the suppression at exit, a program's error output stays what the program wrote.
extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}
#endif

struct TFreeTypeTextEngine::Library {
    struct LoadedFace {
        FT_Face face{nullptr};
        int currentSize{0};
        std::string file;
        FT_Long index{0};
    };

    FT_Library library{nullptr};
    std::vector<LoadedFace> faces; // [0] is the Song-style font every unknown face name takes
    std::map<std::string, int> faceByName;

    ~Library() {
        for (LoadedFace& loaded : faces)
            FT_Done_Face(loaded.face);
        if (library) FT_Done_FreeType(library);
    }
    FT_Face SetSize(int face, int pixelSize) {
        LoadedFace& loaded = faces[std::size_t(face)];
        if (pixelSize != loaded.currentSize) {
            FT_Set_Pixel_Sizes(loaded.face, 0, FT_UInt(pixelSize));
            loaded.currentSize = pixelSize;
        }
        return loaded.face;
    }
    bool Load(const std::string& file, FT_Long index) {
        FT_Face face = nullptr;
        if (FT_New_Face(library, file.c_str(), index, &face) != 0) return false;
        faces.push_back({face, 0, file, index});
        return true;
    }

    int FaceNamed(const std::string& gbkName);
};

int TFreeTypeTextEngine::Library::FaceNamed(const std::string& gbkName) {
    if (gbkName.empty()) return 0;
    const std::optional<TFontFileFace> installed = InstalledFamily(gbk::ToUtf8(gbkName));
    if (!installed) return 0;
    for (std::size_t i = 0; i < faces.size(); ++i)
        if (faces[i].file == installed->file && faces[i].index == installed->index) return int(i);
    return Load(installed->file, installed->index) ? int(faces.size() - 1) : 0;
}

TFreeTypeTextEngine::TFreeTypeTextEngine() : library_(std::make_unique<Library>()) {
    if (FT_Init_FreeType(&library_->library) != 0) throw std::runtime_error("FreeType could not start");
    for (const char* file : kFontFiles) {
        if (!std::filesystem::exists(file)) continue;
        if (library_->Load(file, 0)) {
            fontFile_ = file;
            break;
        }
    }
    if (library_->faces.empty())
        throw std::runtime_error("no font for text was found; scripts/setup installs fonts-arphic-uming");
}

TFreeTypeTextEngine::~TFreeTypeTextEngine() = default;

int TFreeTypeTextEngine::FaceFor(const TFont& font) {
    auto known = library_->faceByName.find(font.Name());
    if (known != library_->faceByName.end()) return known->second;
    const int face = library_->FaceNamed(font.Name());
    library_->faceByName.emplace(font.Name(), face);
    return face;
}

TFreeTypeTextEngine::Metrics TFreeTypeTextEngine::MetricsFor(int face, int pixelSize) {
    const FT_Size_Metrics& m = library_->SetSize(face, pixelSize)->size->metrics;
    int ascender = int(m.ascender >> 6);
    int descender = int(-m.descender >> 6);
    // Song faces report generous line gaps; a cell of ascender + descender matches the system's text height.
    return {ascender, std::max(pixelSize, ascender + descender)};
}

const TFreeTypeTextEngine::Glyph& TFreeTypeTextEngine::GlyphFor(int faceIndex, int pixelSize, bool bold,
                                                                char32_t cp) {
    GlyphKey key{faceIndex, pixelSize, bold, cp};
    auto it = glyphs_.find(key);
    if (it != glyphs_.end()) return it->second;
    FT_Face face = library_->SetSize(faceIndex, pixelSize);
    FT_UInt index = FT_Get_Char_Index(face, FT_ULong(cp));
    // A named face without the character borrows it from the Song-style font, as the system links fonts.
    if (index == 0 && faceIndex != 0) {
        Glyph borrowed = GlyphFor(0, pixelSize, bold, cp);
        return glyphs_.emplace(key, std::move(borrowed)).first->second;
    }
    Glyph glyph;
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
    const int face = FaceFor(font);
    int size = std::max(1, font.PixelSize());
    Metrics metrics = MetricsFor(face, size);
    int width = 0;
    for (char32_t cp : gbk::ToCodePoints(text))
        width += GlyphFor(face, size, font.Bold(), cp).advance;
    return {width, metrics.height};
}

void TFreeTypeTextEngine::DrawText(TBitmap& target, const TRect& clip, int x, int y, const TFont& font,
                                   std::string_view text, TColor color) {
    if (target.PixelFormat() != TPixelFormat::pf32bit) return;
    TRect area = clip.Intersect({0, 0, target.Width(), target.Height()});
    if (area.IsEmpty()) return;
    const int face = FaceFor(font);
    int size = std::max(1, font.PixelSize());
    Metrics metrics = MetricsFor(face, size);
    const std::uint32_t r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    int penX = x;
    const int baseline = y + metrics.ascender;
    for (char32_t cp : gbk::ToCodePoints(text)) {
        const Glyph& glyph = GlyphFor(face, size, font.Bold(), cp);
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
