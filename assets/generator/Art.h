#pragma once

#include <cairo.h>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Shared drawing vocabulary of the picture generator: owned cairo objects, the picture set that collects
// every named picture, colours, and the few shapes and text styles that the table's art is made of.
namespace artgen {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};
struct PatternDeleter {
    void operator()(cairo_pattern_t* pattern) const { cairo_pattern_destroy(pattern); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using ContextPtr = std::unique_ptr<cairo_t, ContextDeleter>;
using PatternPtr = std::unique_ptr<cairo_pattern_t, PatternDeleter>;

// Pictures are stored as 8-bit RGBA; the few that stand for Windows bitmaps and the one opaque button
// picture are stored as 8-bit RGB.
enum class PixelFormat { Rgba, Rgb };

struct Picture {
    std::string name; // upper case, as stored
    SurfacePtr surface;
    PixelFormat format{PixelFormat::Rgba};
    int Width() const { return cairo_image_surface_get_width(surface.get()); }
    int Height() const { return cairo_image_surface_get_height(surface.get()); }
};

using DrawFunction = std::function<void(cairo_t*)>;

class PictureSet {
public:
    // Draws one picture on a fresh transparent surface of exactly w × h pixels.
    void Add(std::string_view name, int w, int h, const DrawFunction& draw,
             PixelFormat format = PixelFormat::Rgba);
    // Stores a second name for the very same pixels (the cancel button is the force-leave button).
    void Alias(std::string_view name, std::string_view existing);
    const Picture& Find(std::string_view name) const;
    const std::vector<Picture>& All() const { return pictures_; }

private:
    std::vector<Picture> pictures_;
};

struct Colour {
    double r{0}, g{0}, b{0};
};

Colour Hex(std::uint32_t rgb);
Colour Mix(Colour a, Colour b, double t);
Colour Lighter(Colour c, double amount);
Colour Darker(Colour c, double amount);
void SetColour(cairo_t* cr, Colour c, double alpha = 1.0);
void AddStop(cairo_pattern_t* pattern, double offset, Colour c, double alpha = 1.0);

// The table's palette.
namespace palette {
inline const Colour kFeltLight = Hex(0x2E9A52);
inline const Colour kFelt = Hex(0x1B7A3C);
inline const Colour kFeltDark = Hex(0x0A4320);
inline const Colour kGoldLight = Hex(0xFFF1B0);
inline const Colour kGold = Hex(0xE2B34A);
inline const Colour kGoldDark = Hex(0x8C6215);
inline const Colour kPlayer = Hex(0x2F74E0);
inline const Colour kBanker = Hex(0xDA3328);
inline const Colour kTie = Hex(0x2DA84E);
inline const Colour kCream = Hex(0xF6EBC8);
inline const Colour kWood = Hex(0x5A2E14);
} // namespace palette

// Fonts: a bold sans for captions, a Song face for formal labels, DejaVu for Latin digits.
namespace fonts {
inline constexpr const char* kHei = "WenQuanYi Zen Hei";
inline constexpr const char* kSong = "AR PL UMing CN";
inline constexpr const char* kLatin = "DejaVu Sans";
inline constexpr const char* kSerif = "DejaVu Serif";
} // namespace fonts

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// A vertical golden gradient between y0 and y1, bright at the top.
PatternPtr GoldPattern(double y0, double y1);
PatternPtr VerticalPattern(double y0, double y1, Colour top, Colour bottom, double alpha = 1.0);
// Fills the whole clip with a felt of the given tone: a soft radial light and a fine woven grain.
void PaintFelt(cairo_t* cr, double x, double y, double w, double h, Colour centre, Colour edge,
               unsigned seed);
// A gold frame line of the given width around a rounded rectangle (stroke centred on the path).
void GoldFrame(cairo_t* cr, double x, double y, double w, double h, double r, double width);
void Star(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double rotation = 0);

enum class Suit { Spades, Hearts, Clubs, Diamonds };
// Path of a suit symbol centred at (cx, cy), `size` pixels tall; the caller fills it.
void SuitPath(cairo_t* cr, Suit suit, double cx, double cy, double size);

enum class Align { Left, Centre, Right };

struct TextStyle {
    const char* family{fonts::kHei};
    double size{12};
    bool bold{false};
    Colour fill{1, 1, 1};
    cairo_pattern_t* fillPattern{nullptr}; // used instead of `fill` when set
    double outline{0};                     // width of a dark edge around the glyphs, 0 for none
    Colour outlineColour{0, 0, 0};
    double outlineAlpha{0.8};
    double shadow{0}; // offset of a soft drop shadow, 0 for none
    double alpha{1.0};
};

// Draws UTF-8 text with its baseline placed so that the em box is centred on `cy`.
void DrawText(cairo_t* cr, std::string_view utf8, double x, double cy, Align align, const TextStyle& style);
// Width of the text in the style's font.
double TextWidth(cairo_t* cr, std::string_view utf8, const TextStyle& style);
// Draws text whose inked glyphs are centred on (cx, cy) exactly (for digits and single signs).
void DrawInkCentred(cairo_t* cr, std::string_view utf8, double cx, double cy, const TextStyle& style);

// Multiplies every pixel by a grey level and desaturates it (disabled button look).
void Desaturate(cairo_surface_t* surface, double amount, double brightness);
// Brightens every pixel (mouse-over look).
void Brighten(cairo_surface_t* surface, double amount);
// Copies one picture's pixels onto a context at (x, y).
void PaintPicture(cairo_t* cr, const Picture& picture, double x, double y, double alpha = 1.0);

} // namespace artgen
