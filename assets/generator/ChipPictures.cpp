#include "Pictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace artgen {

namespace {

constexpr double kPi = std::numbers::pi;

TextStyle ChipLabelStyle(cairo_t* cr, std::string_view label, double maxWidth, double size) {
    TextStyle style;
    style.family = fonts::kHei;
    style.bold = true;
    style.size = size;
    style.fill = {1, 1, 1};
    style.outline = 1.1;
    style.outlineColour = {0.05, 0.05, 0.08};
    style.outlineAlpha = 0.75;
    while (style.size > 6 && TextWidth(cr, label, style) > maxWidth)
        style.size -= 0.5;
    return style;
}

// The rim's eight white inserts, the mark every casino chip carries.
void RimInserts(cairo_t* cr, double cx, double cy, double outer, double inner, int count) {
    for (int i = 0; i < count; ++i) {
        const double mid = 2 * kPi * i / count + kPi / count;
        const double half = kPi / count * 0.42;
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, outer, mid - half, mid + half);
        cairo_arc_negative(cr, cx, cy, inner, mid + half, mid - half);
        cairo_close_path(cr);
    }
}

} // namespace

void DrawChipFace(cairo_t* cr, const Denomination& chip, double cx, double cy, double radius) {
    const Colour base = Hex(chip.colour);
    cairo_save(cr);

    // Body with a soft light from the upper left.
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    PatternPtr body{cairo_pattern_create_radial(cx - radius * 0.35, cy - radius * 0.4, radius * 0.1, cx, cy,
                                                radius * 1.05)};
    AddStop(body.get(), 0, Lighter(base, 0.35));
    AddStop(body.get(), 0.7, base);
    AddStop(body.get(), 1, Darker(base, 0.35));
    cairo_set_source(cr, body.get());
    cairo_fill(cr);

    RimInserts(cr, cx, cy, radius - 0.8, radius * 0.74, 8);
    cairo_set_source_rgba(cr, 0.98, 0.97, 0.93, 0.95);
    cairo_fill(cr);

    // Inner disc: a gold ring and a dashed white ring around the face value.
    const double inner = radius * 0.66;
    cairo_arc(cr, cx, cy, inner, 0, 2 * kPi);
    PatternPtr face{cairo_pattern_create_radial(cx - inner * 0.3, cy - inner * 0.4, 0, cx, cy, inner)};
    AddStop(face.get(), 0, Lighter(base, 0.25));
    AddStop(face.get(), 1, Darker(base, 0.12));
    cairo_set_source(cr, face.get());
    cairo_fill_preserve(cr);
    PatternPtr gold = GoldPattern(cy - inner, cy + inner);
    cairo_set_source(cr, gold.get());
    cairo_set_line_width(cr, std::max(1.2, radius * 0.07));
    cairo_stroke(cr);

    const double dashes[] = {radius * 0.09, radius * 0.07};
    cairo_set_dash(cr, dashes, 2, 0);
    cairo_arc(cr, cx, cy, inner * 0.86, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);

    // Outer edge.
    cairo_arc(cr, cx, cy, radius - 0.4, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);

    const TextStyle label = ChipLabelStyle(cr, chip.label, inner * 1.62, radius * 0.5);
    DrawInkCentred(cr, chip.label, cx, cy + 0.5, label);

    // Gloss across the top half.
    cairo_save(cr);
    cairo_arc(cr, cx, cy, radius - 1, 0, 2 * kPi);
    cairo_clip(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, cy - radius * 0.5);
    cairo_scale(cr, 1, 0.55);
    cairo_arc(cr, 0, 0, radius * 0.92, 0, 2 * kPi);
    cairo_restore(cr);
    PatternPtr gloss{cairo_pattern_create_linear(0, cy - radius, 0, cy)};
    cairo_pattern_add_color_stop_rgba(gloss.get(), 0, 1, 1, 1, 0.34);
    cairo_pattern_add_color_stop_rgba(gloss.get(), 1, 1, 1, 1, 0.0);
    cairo_set_source(cr, gloss.get());
    cairo_fill(cr);
    cairo_restore(cr);

    cairo_restore(cr);
}

namespace {

void DrawChipButton(cairo_t* cr, const Denomination& chip) {
    // Shadow below the chip, then the chip itself.
    cairo_save(cr);
    cairo_translate(cr, 27.5, 30.5);
    cairo_scale(cr, 1, 0.96);
    PatternPtr shadow{cairo_pattern_create_radial(0, 0, 18, 0, 0, 27)};
    cairo_pattern_add_color_stop_rgba(shadow.get(), 0, 0, 0, 0, 0.55);
    cairo_pattern_add_color_stop_rgba(shadow.get(), 1, 0, 0, 0, 0);
    cairo_arc(cr, 0, 0, 27, 0, 2 * kPi);
    cairo_set_source(cr, shadow.get());
    cairo_fill(cr);
    cairo_restore(cr);
    DrawChipFace(cr, chip, 27.5, 27.5, 25);
}

void DrawLyingChip(cairo_t* cr, const Denomination& chip) {
    const Colour base = Hex(chip.colour);
    const double cx = 24.5;
    const double top = 19.5;
    const double rx = 22;
    const double ry = 14.5;
    const double thickness = 6;

    // Shadow on the felt.
    cairo_save(cr);
    cairo_translate(cr, cx + 1.5, top + thickness + 3);
    cairo_scale(cr, 1, ry / rx);
    PatternPtr shadow{cairo_pattern_create_radial(0, 0, rx * 0.7, 0, 0, rx + 2)};
    cairo_pattern_add_color_stop_rgba(shadow.get(), 0, 0, 0, 0, 0.5);
    cairo_pattern_add_color_stop_rgba(shadow.get(), 1, 0, 0, 0, 0);
    cairo_arc(cr, 0, 0, rx + 2, 0, 2 * kPi);
    cairo_set_source(cr, shadow.get());
    cairo_fill(cr);
    cairo_restore(cr);

    // Side band: the lower half of the ellipse swept down by the chip's thickness, with edge stripes.
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, top + thickness);
    cairo_scale(cr, 1, ry / rx);
    cairo_arc(cr, 0, 0, rx, 0, kPi);
    cairo_restore(cr);
    cairo_line_to(cr, cx - rx, top);
    cairo_save(cr);
    cairo_translate(cr, cx, top);
    cairo_scale(cr, 1, ry / rx);
    cairo_arc_negative(cr, 0, 0, rx, kPi, 0);
    cairo_restore(cr);
    cairo_close_path(cr);
    PatternPtr side{cairo_pattern_create_linear(cx - rx, 0, cx + rx, 0)};
    AddStop(side.get(), 0, Darker(base, 0.45));
    AddStop(side.get(), 0.4, Darker(base, 0.1));
    AddStop(side.get(), 1, Darker(base, 0.5));
    cairo_set_source(cr, side.get());
    cairo_fill_preserve(cr);
    cairo_clip(cr);
    for (int i = 0; i < 6; ++i) {
        const double angle = kPi * (i + 0.5) / 6;
        const double sx = cx + std::cos(angle) * rx;
        const double width = 3.2 * std::sin(angle);
        cairo_rectangle(cr, sx - width / 2, top, width, thickness + ry + 2);
    }
    cairo_set_source_rgba(cr, 0.96, 0.95, 0.9, 0.85);
    cairo_fill(cr);
    cairo_restore(cr);

    // Top face: the chip face squashed into the ellipse.
    cairo_save(cr);
    cairo_translate(cr, cx, top);
    cairo_scale(cr, 1, ry / rx);
    DrawChipFace(cr, chip, 0, 0, rx);
    cairo_restore(cr);
}

void DrawChipCursor(cairo_t* cr, const Denomination& chip) {
    cairo_save(cr);
    cairo_arc(cr, 27.5, 26.5, 21, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
    DrawChipFace(cr, chip, 26, 25, 20.5);
    // A small pointer tip marks the hot spot in the top-left corner.
    cairo_move_to(cr, 0.5, 0.5);
    cairo_line_to(cr, 11, 4.5);
    cairo_line_to(cr, 6.5, 6.5);
    cairo_line_to(cr, 4.5, 11);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_stroke(cr);
}

} // namespace

void AddChipPictures(PictureSet& set) {
    for (const Denomination& chip : kDenominations) {
        const std::string name(chip.name);
        set.Add(name + "COMM", 55, 57, [&chip](cairo_t* cr) { DrawChipButton(cr, chip); });
        set.Add(name + "MOVE", 55, 57, [&chip](cairo_t* cr) {
            // Mouse over: the chip lifts a little and glows.
            PatternPtr glow{cairo_pattern_create_radial(27.5, 27.5, 20, 27.5, 27.5, 28)};
            cairo_pattern_add_color_stop_rgba(glow.get(), 0, 1, 0.92, 0.5, 0.9);
            cairo_pattern_add_color_stop_rgba(glow.get(), 1, 1, 0.85, 0.3, 0);
            cairo_set_source(cr, glow.get());
            cairo_paint(cr);
            DrawChipFace(cr, chip, 27.5, 27.5, 25);
            Brighten(cairo_get_target(cr), 0.16);
        });
        set.Add(name + "GRAY", 55, 57, [&chip](cairo_t* cr) {
            DrawChipButton(cr, chip);
            Desaturate(cairo_get_target(cr), 0.92, 0.62);
        });
    }
    for (std::size_t i = 0; i < kDenominations.size(); ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "MONEY%02zu", i + 1);
        const Denomination& chip = kDenominations[i];
        set.Add(name, 49, 47, [&chip](cairo_t* cr) { DrawLyingChip(cr, chip); });
    }
}

void AddCursorPictures(PictureSet& cursors) {
    for (const Denomination& chip : kDenominations) {
        cursors.Add(std::string(chip.name) + "CUR", 49, 47,
                    [&chip](cairo_t* cr) { DrawChipCursor(cr, chip); });
    }
}

} // namespace artgen
