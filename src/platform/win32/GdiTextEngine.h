#pragma once

#include "gui/TextEngine.h"

#include <memory>

namespace morvane {

// Text through GDI in the named face (GBK face names such as "宋体" are passed on as they are; the
// system substitutes a face it has). Glyphs are drawn white on black into a scratch DIB section and the
// per-channel coverage is blended onto the framebuffer in the text colour, so anti-aliased and
// ClearType text both come out right and every touched framebuffer pixel stays opaque.
class TGdiTextEngine : public TTextEngine {
public:
    TGdiTextEngine();
    ~TGdiTextEngine() override;
    TGdiTextEngine(const TGdiTextEngine&) = delete;
    TGdiTextEngine& operator=(const TGdiTextEngine&) = delete;

    TSize TextExtent(const TFont& font, std::string_view text) override;
    void DrawText(TBitmap& target, const TRect& clip, int x, int y, const TFont& font, std::string_view text,
                  TColor color) override;

private:
    struct Gdi;
    std::unique_ptr<Gdi> gdi_;
};

} // namespace morvane
