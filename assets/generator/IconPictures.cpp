#include "Pictures.h"

#include <cmath>

namespace artgen {
namespace {

constexpr double kPi = 3.14159265358979323846;

void FeltTile(cairo_t* cr) {
    RoundedRect(cr, 1, 1, 30, 30, 6);
    PatternPtr felt{cairo_pattern_create_radial(13, 11, 2, 16, 16, 21)};
    AddStop(felt.get(), 0, palette::kFeltLight);
    AddStop(felt.get(), 1, palette::kFeltDark);
    cairo_set_source(cr, felt.get());
    cairo_fill(cr);
    GoldFrame(cr, 1.5, 1.5, 29, 29, 5.5, 1);
}

// An upright card, slightly turned, with one large red heart.
void Card(cairo_t* cr) {
    cairo_save(cr);
    cairo_translate(cr, 12.5, 13);
    cairo_rotate(cr, -0.2);
    RoundedRect(cr, -6, -8.5, 12, 17, 1.8);
    SetColour(cr, palette::kCream);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    SuitPath(cr, Suit::Hearts, 0, 0.5, 9);
    SetColour(cr, Hex(0xC8102E));
    cairo_fill(cr);
    cairo_restore(cr);
}

// A gold chip with white edge inserts, lying over the card's corner.
void Chip(cairo_t* cr) {
    constexpr double cx = 21.5, cy = 21.5, radius = 7.5;
    cairo_arc(cr, cx + 0.6, cy + 0.8, radius, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    PatternPtr gold = GoldPattern(cy - radius, cy + radius);
    cairo_set_source(cr, gold.get());
    cairo_fill(cr);
    for (int i = 0; i < 6; ++i) {
        const double angle = i * kPi / 3;
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, radius - 0.5, angle - 0.2, angle + 0.2);
        cairo_arc_negative(cr, cx, cy, radius - 2.5, angle + 0.2, angle - 0.2);
        cairo_close_path(cr);
    }
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, radius * 0.5, 0, 2 * kPi);
    SetColour(cr, palette::kGoldDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, radius - 0.4, 0, 2 * kPi);
    SetColour(cr, palette::kGoldDark);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

} // namespace

void AddTableIcon(PictureSet& set) {
    set.Add("MORVANE-ICON", 32, 32, [](cairo_t* cr) {
        FeltTile(cr);
        Card(cr);
        Chip(cr);
    });
}

} // namespace artgen
