#include "platform/win32/GdiTextEngine.h"

#include "gui/Bitmap.h"
#include "gui/Font.h"
#include "platform/win32/WideText.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <stdexcept>
#include <tuple>

// The system headers come last: see WinApi.h.
#include "platform/win32/GdiObject.h"
#include "platform/win32/WinApi.h"

namespace morvane {
namespace {

// Fonts are few (a handful of faces and sizes); a full cache starts over rather than growing.
constexpr std::size_t kMaxCachedFonts = 64;

std::uint32_t BlendChannel(std::uint32_t source, std::uint32_t dest, std::uint32_t coverage) {
    return (source * coverage + dest * (255 - coverage) + 127) / 255;
}

// Lays the glyph coverage (white-on-black pixels) over one framebuffer pixel in the text colour.
std::uint32_t BlendCoverage(std::uint32_t pixel, std::uint32_t coverage, TColor color) {
    std::uint32_t r = BlendChannel(GetRValue(color), (pixel >> 16) & 0xFF, (coverage >> 16) & 0xFF);
    std::uint32_t g = BlendChannel(GetGValue(color), (pixel >> 8) & 0xFF, (coverage >> 8) & 0xFF);
    std::uint32_t b = BlendChannel(GetBValue(color), pixel & 0xFF, coverage & 0xFF);
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

} // namespace

struct TGdiTextEngine::Gdi {
    using FontKey = std::tuple<std::string, int, std::uint8_t>; // face, pixel size, style
    // The objects first, so that the device context they are selected into goes before them.
    std::map<FontKey, TGdiObject<HFONT>> fonts;
    TGdiObject<HBITMAP> scratch;
    std::uint32_t* scratchBits{nullptr};
    int scratchWidth{0};
    int scratchHeight{0};
    TMemoryDC dc;

    HFONT FontFor(const TFont& font);
    bool EnsureScratch(int width, int height);
};

HFONT TGdiTextEngine::Gdi::FontFor(const TFont& font) {
    const std::string& face = font.Name().empty() ? std::string("宋体") : font.Name();
    FontKey key{face, std::max(1, font.PixelSize()), font.Style()};
    if (auto it = fonts.find(key); it != fonts.end()) return it->second.Get();
    if (fonts.size() >= kMaxCachedFonts) fonts.clear();
    std::wstring wideFace = WideFromGbk(face).substr(0, LF_FACESIZE - 1);
    const std::uint8_t style = font.Style();
    HFONT handle = CreateFontW(
        -std::get<1>(key), 0, 0, 0, (style & fsBold) ? FW_BOLD : FW_NORMAL, (style & fsItalic) != 0,
        (style & fsUnderline) != 0, (style & fsStrikeOut) != 0, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, wideFace.c_str());
    // Deleting a stock object is allowed and does nothing.
    if (!handle) handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts.emplace(key, TGdiObject<HFONT>(handle));
    return handle;
}

bool TGdiTextEngine::Gdi::EnsureScratch(int width, int height) {
    if (width <= scratchWidth && height <= scratchHeight) return true;
    width = std::max(width, scratchWidth);
    height = std::max(height, scratchHeight);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) return false;
    // Deselect the old scratch (if any) before it is deleted.
    SelectObject(dc.Get(), bitmap);
    scratch = TGdiObject<HBITMAP>(bitmap);
    scratchBits = static_cast<std::uint32_t*>(bits);
    scratchWidth = width;
    scratchHeight = height;
    return true;
}

TGdiTextEngine::TGdiTextEngine() : gdi_(std::make_unique<Gdi>()) {
    if (!gdi_->dc.Get()) throw std::runtime_error("no memory device context for text");
    SetBkMode(gdi_->dc.Get(), TRANSPARENT);
    SetTextColor(gdi_->dc.Get(), RGB(255, 255, 255));
    SetTextAlign(gdi_->dc.Get(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

TGdiTextEngine::~TGdiTextEngine() = default;

TSize TGdiTextEngine::TextExtent(const TFont& font, std::string_view text) {
    HDC dc = gdi_->dc.Get();
    TSelectObject selected(dc, gdi_->FontFor(font));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    std::wstring wide = WideFromGbk(text);
    SIZE size{0, 0};
    if (!wide.empty()) GetTextExtentPoint32W(dc, wide.c_str(), int(wide.size()), &size);
    return {int(size.cx), int(metrics.tmHeight)};
}

void TGdiTextEngine::DrawText(TBitmap& target, const TRect& clip, int x, int y, const TFont& font,
                              std::string_view text, TColor color) {
    if (target.PixelFormat() != TPixelFormat::pf32bit || text.empty()) return;
    TSize extent = TextExtent(font, text);
    // Italic and bold glyphs may reach past the advance width.
    const int overhang = extent.cy / 2 + 2;
    TRect box{x, y, x + extent.cx + overhang, y + extent.cy};
    TRect area = box.Intersect(clip).Intersect({0, 0, target.Width(), target.Height()});
    if (area.IsEmpty() || !gdi_->EnsureScratch(area.Width(), area.Height())) return;

    HDC dc = gdi_->dc.Get();
    for (int row = 0; row < area.Height(); ++row)
        std::memset(gdi_->scratchBits + std::size_t(row) * gdi_->scratchWidth, 0,
                    std::size_t(area.Width()) * 4);
    {
        TSelectObject selected(dc, gdi_->FontFor(font));
        std::wstring wide = WideFromGbk(text);
        TextOutW(dc, x - area.left, y - area.top, wide.c_str(), int(wide.size()));
        GdiFlush();
    }
    for (int row = 0; row < area.Height(); ++row) {
        const std::uint32_t* coverage = gdi_->scratchBits + std::size_t(row) * gdi_->scratchWidth;
        std::uint32_t* dest = target.Row32(area.top + row) + area.left;
        for (int col = 0; col < area.Width(); ++col)
            if (coverage[col] & 0xFFFFFF) dest[col] = BlendCoverage(dest[col], coverage[col], color);
    }
}

} // namespace morvane
