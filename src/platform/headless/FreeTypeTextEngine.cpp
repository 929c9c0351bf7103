#include "platform/headless/FreeTypeTextEngine.h"

#include "base/Gbk.h"
#include "gui/Bitmap.h"
#include "gui/Font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <stdexcept>

namespace morvane {
namespace {

// Song-style first, then fallbacks that still cover Chinese, then a Latin face so that at least digits show.
const char* const kFontFiles[] = {
    "/usr/share/fonts/truetype/arphic/uming.ttc",
    "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
};

// Where the system keeps the fonts that faces are looked up in by name.
const char* const kFontFolders[] = {"/usr/share/fonts", "/usr/local/share/fonts"};

// A family name as it is compared: code points, with Latin letters in lower case, as the system matches
// face names without regard to case.
std::u32string Folded(std::u32string name) {
    for (char32_t& c : name)
        if (c >= U'A' && c <= U'Z') c = c - U'A' + U'a';
    return name;
}

std::u32string FromUtf16BigEndian(const FT_Byte* bytes, FT_UInt length) {
    std::u32string text;
    for (FT_UInt i = 0; i + 1 < length; i += 2) {
        char32_t unit = char32_t(bytes[i] << 8 | bytes[i + 1]);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < length) {
            const char32_t low = char32_t(bytes[i + 2] << 8 | bytes[i + 3]);
            if (low >= 0xDC00 && low < 0xE000) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        text.push_back(unit);
    }
    return text;
}

// A family name of the font's name table in the code points it stands for; empty for encodings that are
// not read (old Mac scripts beyond ASCII, Big5, ...).
std::u32string DecodedName(const FT_SfntName& name) {
    const bool unicode = name.platform_id == TT_PLATFORM_APPLE_UNICODE ||
                         (name.platform_id == TT_PLATFORM_MICROSOFT &&
                          (name.encoding_id == TT_MS_ID_UNICODE_CS || name.encoding_id == TT_MS_ID_UCS_4));
    if (unicode) return FromUtf16BigEndian(name.string, name.string_len);
    if (name.platform_id == TT_PLATFORM_MICROSOFT && name.encoding_id == TT_MS_ID_PRC) {
        // GBK bytes in 16-bit units: a lone byte is stored with a zero high byte.
        std::string gbkText;
        for (FT_UInt i = 0; i < name.string_len; ++i)
            if (name.string[i] != 0) gbkText.push_back(char(name.string[i]));
        return gbk::ToCodePoints(gbkText);
    }
    std::u32string ascii;
    for (FT_UInt i = 0; i < name.string_len; ++i) {
        if (name.string[i] >= 0x80) return {};
        ascii.push_back(name.string[i]);
    }
    return ascii;
}

bool IsFontFile(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension == ".ttf" || extension == ".ttc" || extension == ".otf" || extension == ".otc";
}

} // namespace

struct TFreeTypeTextEngine::Library {
    struct LoadedFace {
        FT_Face face{nullptr};
        int currentSize{0};
        std::string file;
        FT_Long index{0};
    };
    // One face of an installed font file, known by every family name it gives itself.
    struct InstalledFace {
        std::string file;
        FT_Long index{0};
        std::vector<std::u32string> names;
    };

    FT_Library library{nullptr};
    std::vector<LoadedFace> faces; // [0] is the Song-style font every unknown face name takes
    std::optional<std::vector<InstalledFace>> installed; // read when a face name is first looked up
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

    void ReadInstalled();
    void AddInstalledFile(const std::string& file);
    int FaceNamed(const std::string& gbkName);
};

void TFreeTypeTextEngine::Library::ReadInstalled() {
    installed.emplace();
    for (const char* folder : kFontFolders) {
        std::error_code error;
        std::filesystem::recursive_directory_iterator it(
            folder, std::filesystem::directory_options::skip_permission_denied, error);
        for (; !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
            if (it->is_regular_file(error) && IsFontFile(it->path())) AddInstalledFile(it->path().string());
    }
}

void TFreeTypeTextEngine::Library::AddInstalledFile(const std::string& file) {
    FT_Long count = 1;
    for (FT_Long index = 0; index < count; ++index) {
        FT_Face face = nullptr;
        if (FT_New_Face(library, file.c_str(), index, &face) != 0) return;
        count = face->num_faces;
        InstalledFace entry{file, index, {}};
        if (face->family_name) {
            std::u32string family;
            for (const char* c = face->family_name; *c; ++c)
                family.push_back(char32_t(static_cast<unsigned char>(*c)));
            entry.names.push_back(Folded(family));
        }
        const FT_UInt names = FT_Get_Sfnt_Name_Count(face);
        for (FT_UInt i = 0; i < names; ++i) {
            FT_SfntName name;
            if (FT_Get_Sfnt_Name(face, i, &name) != 0 || name.name_id != TT_NAME_ID_FONT_FAMILY) continue;
            std::u32string decoded = DecodedName(name);
            if (!decoded.empty()) entry.names.push_back(Folded(std::move(decoded)));
        }
        FT_Done_Face(face);
        installed->push_back(std::move(entry));
    }
}

int TFreeTypeTextEngine::Library::FaceNamed(const std::string& gbkName) {
    if (!installed) ReadInstalled();
    const std::u32string wanted = Folded(gbk::ToCodePoints(gbkName));
    if (wanted.empty()) return 0;
    for (const InstalledFace& candidate : *installed) {
        if (std::find(candidate.names.begin(), candidate.names.end(), wanted) == candidate.names.end())
            continue;
        for (std::size_t i = 0; i < faces.size(); ++i)
            if (faces[i].file == candidate.file && faces[i].index == candidate.index) return int(i);
        if (Load(candidate.file, candidate.index)) return int(faces.size() - 1);
    }
    return 0;
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
