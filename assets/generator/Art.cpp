#include "Art.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <stdexcept>

namespace artgen {

void PictureSet::Add(std::string_view name, int w, int h, const DrawFunction& draw, PixelFormat format) {
    SurfacePtr surface{cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h)};
    {
        ContextPtr cr{cairo_create(surface.get())};
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_set_font_options(cr.get(), options);
        cairo_font_options_destroy(options);
        draw(cr.get());
        if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
            throw std::runtime_error("drawing " + std::string(name) +
                                     " failed: " + cairo_status_to_string(cairo_status(cr.get())));
        }
    }
    cairo_surface_flush(surface.get());
    pictures_.push_back(Picture{std::string(name), std::move(surface), format});
}

void PictureSet::Alias(std::string_view name, std::string_view existing) {
    const Picture& from = Find(existing);
    cairo_surface_reference(from.surface.get());
    pictures_.push_back(Picture{std::string(name), SurfacePtr{from.surface.get()}, from.format});
}

const Picture& PictureSet::Find(std::string_view name) const {
    for (const Picture& picture : pictures_) {
        if (picture.name == name) return picture;
    }
    throw std::runtime_error("no picture named " + std::string(name));
}

Colour Hex(std::uint32_t rgb) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

Colour Mix(Colour a, Colour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Lighter(Colour c, double amount) {
    return Mix(c, {1, 1, 1}, amount);
}
Colour Darker(Colour c, double amount) {
    return Mix(c, {0, 0, 0}, amount);
}

void SetColour(cairo_t* cr, Colour c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void AddStop(cairo_pattern_t* pattern, double offset, Colour c, double alpha) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, c.r, c.g, c.b, alpha);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    const double pi = std::numbers::pi;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, pi / 2, pi);
    cairo_arc(cr, x + r, y + r, r, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

PatternPtr GoldPattern(double y0, double y1) {
    PatternPtr pattern{cairo_pattern_create_linear(0, y0, 0, y1)};
    AddStop(pattern.get(), 0.0, palette::kGoldLight);
    AddStop(pattern.get(), 0.35, palette::kGold);
    AddStop(pattern.get(), 0.55, Hex(0xC48A26));
    AddStop(pattern.get(), 0.8, palette::kGold);
    AddStop(pattern.get(), 1.0, palette::kGoldDark);
    return pattern;
}

PatternPtr VerticalPattern(double y0, double y1, Colour top, Colour bottom, double alpha) {
    PatternPtr pattern{cairo_pattern_create_linear(0, y0, 0, y1)};
    AddStop(pattern.get(), 0, top, alpha);
    AddStop(pattern.get(), 1, bottom, alpha);
    return pattern;
}

void PaintFelt(cairo_t* cr, double x, double y, double w, double h, Colour centre, Colour edge,
               unsigned seed) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    const double radius = std::hypot(w, h) * 0.6;
    PatternPtr light{
        cairo_pattern_create_radial(x + w / 2, y + h * 0.42, 0, x + w / 2, y + h * 0.42, radius)};
    AddStop(light.get(), 0, centre);
    AddStop(light.get(), 0.55, Mix(centre, edge, 0.45));
    AddStop(light.get(), 1, edge);
    cairo_set_source(cr, light.get());
    cairo_paint(cr);

    // Woven grain: faint diagonal threads and a sprinkle of lighter and darker fibres.
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    cairo_set_line_width(cr, 1);
    for (double d = -h; d < w; d += 3) {
        cairo_move_to(cr, x + d, y);
        cairo_line_to(cr, x + d + h, y + h);
    }
    cairo_set_source_rgba(cr, 0, 0, 0, 0.035);
    cairo_stroke(cr);
    const int fibres = static_cast<int>(w * h / 14);
    for (int i = 0; i < fibres; ++i) {
        const double fx = x + unit(random) * w;
        const double fy = y + unit(random) * h;
        const double angle = unit(random) * std::numbers::pi;
        const double len = 1 + unit(random) * 2.5;
        cairo_move_to(cr, fx, fy);
        cairo_line_to(cr, fx + std::cos(angle) * len, fy + std::sin(angle) * len);
        const bool lightFibre = unit(random) < 0.5;
        cairo_set_source_rgba(cr, lightFibre ? 1 : 0, lightFibre ? 1 : 0, lightFibre ? 1 : 0,
                              0.025 + unit(random) * 0.03);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void GoldFrame(cairo_t* cr, double x, double y, double w, double h, double r, double width) {
    cairo_save(cr);
    RoundedRect(cr, x, y, w, h, r);
    cairo_set_line_width(cr, width + 1.2);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_stroke_preserve(cr);
    PatternPtr gold = GoldPattern(y, y + h);
    cairo_set_source(cr, gold.get());
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
    if (width >= 2.5) {
        RoundedRect(cr, x, y, w, h, r);
        cairo_set_line_width(cr, 0.8);
        cairo_set_source_rgba(cr, 1, 0.97, 0.8, 0.55);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void Star(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double rotation) {
    for (int i = 0; i < points * 2; ++i) {
        const double angle = rotation - std::numbers::pi / 2 + i * std::numbers::pi / points;
        const double radius = (i % 2 == 0) ? outer : inner;
        const double px = cx + std::cos(angle) * radius;
        const double py = cy + std::sin(angle) * radius;
        if (i == 0) {
            cairo_move_to(cr, px, py);
        } else {
            cairo_line_to(cr, px, py);
        }
    }
    cairo_close_path(cr);
}

void SuitPath(cairo_t* cr, Suit suit, double cx, double cy, double size) {
    const double s = size / 2; // half height
    cairo_new_sub_path(cr);
    switch (suit) {
    case Suit::Hearts:
        cairo_move_to(cr, cx, cy + s);
        cairo_curve_to(cr, cx - s * 0.35, cy + s * 0.55, cx - s * 1.0, cy + s * 0.15, cx - s * 1.0,
                       cy - s * 0.35);
        cairo_curve_to(cr, cx - s * 1.0, cy - s * 0.95, cx - s * 0.2, cy - s * 1.1, cx, cy - s * 0.5);
        cairo_curve_to(cr, cx + s * 0.2, cy - s * 1.1, cx + s * 1.0, cy - s * 0.95, cx + s * 1.0,
                       cy - s * 0.35);
        cairo_curve_to(cr, cx + s * 1.0, cy + s * 0.15, cx + s * 0.35, cy + s * 0.55, cx, cy + s);
        cairo_close_path(cr);
        break;
    case Suit::Diamonds:
        cairo_move_to(cr, cx, cy - s);
        cairo_curve_to(cr, cx + s * 0.25, cy - s * 0.55, cx + s * 0.5, cy - s * 0.25, cx + s * 0.75, cy);
        cairo_curve_to(cr, cx + s * 0.5, cy + s * 0.25, cx + s * 0.25, cy + s * 0.55, cx, cy + s);
        cairo_curve_to(cr, cx - s * 0.25, cy + s * 0.55, cx - s * 0.5, cy + s * 0.25, cx - s * 0.75, cy);
        cairo_curve_to(cr, cx - s * 0.5, cy - s * 0.25, cx - s * 0.25, cy - s * 0.55, cx, cy - s);
        cairo_close_path(cr);
        break;
    case Suit::Spades:
        cairo_move_to(cr, cx, cy - s);
        cairo_curve_to(cr, cx + s * 0.3, cy - s * 0.5, cx + s * 1.0, cy - s * 0.15, cx + s * 1.0,
                       cy + s * 0.3);
        cairo_curve_to(cr, cx + s * 1.0, cy + s * 0.75, cx + s * 0.4, cy + s * 0.85, cx + s * 0.08,
                       cy + s * 0.45);
        cairo_curve_to(cr, cx + s * 0.12, cy + s * 0.75, cx + s * 0.3, cy + s * 0.95, cx + s * 0.45, cy + s);
        cairo_line_to(cr, cx - s * 0.45, cy + s);
        cairo_curve_to(cr, cx - s * 0.3, cy + s * 0.95, cx - s * 0.12, cy + s * 0.75, cx - s * 0.08,
                       cy + s * 0.45);
        cairo_curve_to(cr, cx - s * 0.4, cy + s * 0.85, cx - s * 1.0, cy + s * 0.75, cx - s * 1.0,
                       cy + s * 0.3);
        cairo_curve_to(cr, cx - s * 1.0, cy - s * 0.15, cx - s * 0.3, cy - s * 0.5, cx, cy - s);
        cairo_close_path(cr);
        break;
    case Suit::Clubs: {
        const double r = s * 0.46;
        cairo_arc(cr, cx, cy - s + r, r, 0, 2 * std::numbers::pi);
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx - s * 0.52, cy + s * 0.12, r, 0, 2 * std::numbers::pi);
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx + s * 0.52, cy + s * 0.12, r, 0, 2 * std::numbers::pi);
        cairo_new_sub_path(cr);
        cairo_move_to(cr, cx - s * 0.1, cy - s * 0.1);
        cairo_curve_to(cr, cx - s * 0.1, cy + s * 0.6, cx - s * 0.25, cy + s * 0.9, cx - s * 0.45, cy + s);
        cairo_line_to(cr, cx + s * 0.45, cy + s);
        cairo_curve_to(cr, cx + s * 0.25, cy + s * 0.9, cx + s * 0.1, cy + s * 0.6, cx + s * 0.1,
                       cy - s * 0.1);
        cairo_close_path(cr);
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy + s * 0.05, s * 0.25, 0, 2 * std::numbers::pi);
        break;
    }
    }
}

namespace {

void SelectFont(cairo_t* cr, const TextStyle& style) {
    cairo_select_font_face(cr, style.family, CAIRO_FONT_SLANT_NORMAL,
                           style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, style.size);
}

void FillGlyphs(cairo_t* cr, std::string_view utf8, double x, double baseline, const TextStyle& style) {
    const std::string text(utf8);
    if (style.shadow > 0) {
        cairo_move_to(cr, x + style.shadow, baseline + style.shadow);
        cairo_text_path(cr, text.c_str());
        cairo_set_source_rgba(cr, 0, 0, 0, 0.45 * style.alpha);
        if (style.outline > 0) {
            cairo_set_line_width(cr, style.outline * 2);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke_preserve(cr);
        }
        cairo_fill(cr);
    }
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, text.c_str());
    if (style.outline > 0) {
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, style.outline * 2);
        SetColour(cr, style.outlineColour, style.outlineAlpha * style.alpha);
        cairo_stroke_preserve(cr);
    }
    if (style.fillPattern != nullptr) {
        if (style.alpha < 1.0) {
            cairo_save(cr);
            cairo_clip(cr);
            cairo_set_source(cr, style.fillPattern);
            cairo_paint_with_alpha(cr, style.alpha);
            cairo_restore(cr);
            return;
        }
        cairo_set_source(cr, style.fillPattern);
    } else {
        SetColour(cr, style.fill, style.alpha);
    }
    cairo_fill(cr);
}

} // namespace

double TextWidth(cairo_t* cr, std::string_view utf8, const TextStyle& style) {
    cairo_save(cr);
    SelectFont(cr, style);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, std::string(utf8).c_str(), &extents);
    cairo_restore(cr);
    return extents.x_advance;
}

void DrawText(cairo_t* cr, std::string_view utf8, double x, double cy, Align align, const TextStyle& style) {
    cairo_save(cr);
    SelectFont(cr, style);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, std::string(utf8).c_str(), &extents);
    double left = x;
    if (align == Align::Centre) left = x - extents.x_advance / 2;
    if (align == Align::Right) left = x - extents.x_advance;
    // CJK faces put the em box from baseline − 0.88 em to baseline + 0.12 em; centring that box keeps
    // captions of mixed characters on one line.
    const double baseline = cy + style.size * 0.38;
    FillGlyphs(cr, utf8, left, baseline, style);
    cairo_restore(cr);
}

void DrawInkCentred(cairo_t* cr, std::string_view utf8, double cx, double cy, const TextStyle& style) {
    cairo_save(cr);
    SelectFont(cr, style);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, std::string(utf8).c_str(), &extents);
    const double x = cx - extents.x_bearing - extents.width / 2;
    const double baseline = cy - extents.y_bearing - extents.height / 2;
    FillGlyphs(cr, utf8, x, baseline, style);
    cairo_restore(cr);
}

namespace {

template <typename PixelFunction>
void ForEachPixel(cairo_surface_t* surface, PixelFunction function) {
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = row[x];
            const double a = (p >> 24) & 0xFF;
            double r = (p >> 16) & 0xFF;
            double g = (p >> 8) & 0xFF;
            double b = p & 0xFF;
            function(a, r, g, b);
            auto clamp = [a](double v) { return static_cast<std::uint32_t>(std::clamp(v, 0.0, a) + 0.5); };
            row[x] = (p & 0xFF000000u) | (clamp(r) << 16) | (clamp(g) << 8) | clamp(b);
        }
    }
    cairo_surface_mark_dirty(surface);
}

} // namespace

void Desaturate(cairo_surface_t* surface, double amount, double brightness) {
    ForEachPixel(surface, [amount, brightness](double, double& r, double& g, double& b) {
        const double grey = 0.3 * r + 0.59 * g + 0.11 * b;
        r = (r + (grey - r) * amount) * brightness;
        g = (g + (grey - g) * amount) * brightness;
        b = (b + (grey - b) * amount) * brightness;
    });
}

void Brighten(cairo_surface_t* surface, double amount) {
    ForEachPixel(surface, [amount](double a, double& r, double& g, double& b) {
        r += (a - r) * amount;
        g += (a - g) * amount;
        b += (a - b) * amount;
    });
}

void PaintPicture(cairo_t* cr, const Picture& picture, double x, double y, double alpha) {
    cairo_save(cr);
    cairo_set_source_surface(cr, picture.surface.get(), x, y);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

} // namespace artgen
