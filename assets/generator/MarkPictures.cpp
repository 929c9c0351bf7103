#include "Pictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <string>

namespace artgen {

namespace {

constexpr double kPi = std::numbers::pi;

void DrawPhaseCaption(cairo_t* cr, const char* caption, Colour accent) {
    RoundedRect(cr, 1, 1, 89, 26, 7);
    PatternPtr body = VerticalPattern(1, 27, Mix(Hex(0x3A1A08), accent, 0.25), Hex(0x160802), 0.92);
    cairo_set_source(cr, body.get());
    cairo_fill(cr);
    GoldFrame(cr, 1.5, 1.5, 88, 25, 7, 1.6);
    cairo_arc(cr, 10, 14, 3, 0, 2 * kPi);
    SetColour(cr, Lighter(accent, 0.2));
    cairo_fill(cr);
    PatternPtr gold = GoldPattern(6, 22);
    TextStyle text;
    text.family = fonts::kHei;
    text.bold = true;
    text.size = 15;
    text.fillPattern = gold.get();
    text.outline = 0.8;
    text.outlineColour = Hex(0x1A0A00);
    DrawText(cr, caption, 49, 14.5, Align::Centre, text);
}

struct MarkKind {
    const char* name;
    const char* character;
    Colour colour;
};

const MarkKind kMarkKinds[] = {
    {"IDLE", "闲", Hex(0x1F5FD6)}, {"LAND", "庄", Hex(0xD62A20)}, {"PING", "和", Hex(0x16A040)}};

void PairDot(cairo_t* cr, double cx, double cy, Colour colour) {
    cairo_arc(cr, cx, cy, 4, 0, 2 * kPi);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 3, 0, 2 * kPi);
    SetColour(cr, colour);
    cairo_fill(cr);
}

void DrawRoadMark(cairo_t* cr, const MarkKind& kind, int variant) {
    cairo_arc(cr, 16, 16, 13.2, 0, 2 * kPi);
    PatternPtr face{cairo_pattern_create_radial(13, 12, 2, 16, 16, 14)};
    AddStop(face.get(), 0, {1, 1, 1});
    AddStop(face.get(), 1, Mix({1, 1, 1}, kind.colour, 0.12));
    cairo_set_source(cr, face.get());
    cairo_fill_preserve(cr);
    SetColour(cr, kind.colour);
    cairo_set_line_width(cr, 2.6);
    cairo_stroke(cr);
    TextStyle text;
    text.family = fonts::kHei;
    text.bold = true;
    text.size = 16;
    text.fill = kind.colour;
    DrawInkCentred(cr, kind.character, 16, 16, text);
    if (variant == 1 || variant == 3) PairDot(cr, 6, 6, Hex(0xE0201A));
    if (variant == 2 || variant == 3) PairDot(cr, 26, 26, Hex(0x1F5FD6));
}

void DrawSmallMark(cairo_t* cr, Colour colour) {
    cairo_arc(cr, 8.5, 8.5, 6.4, 0, 2 * kPi);
    SetColour(cr, colour);
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
}

void DrawDigit(cairo_t* cr, const char* glyph, double w, double h, Colour top, Colour bottom) {
    PatternPtr fill = VerticalPattern(1, h - 1, top, bottom);
    TextStyle text;
    text.family = fonts::kLatin;
    text.bold = true;
    text.size = h * 0.98;
    text.fillPattern = fill.get();
    text.outline = 1.2;
    text.outlineColour = Hex(0x2A0A00);
    text.outlineAlpha = 0.9;
    DrawInkCentred(cr, glyph, w / 2, h / 2, text);
}

void DrawClockDial(cairo_t* cr) {
    constexpr double cx = 25.5;
    constexpr double cy = 26;
    // Two small feet below the dial.
    for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, cx + side * 12, 44);
        cairo_line_to(cr, cx + side * 17, 56);
        cairo_set_line_width(cr, 3.2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        PatternPtr gold = GoldPattern(44, 56);
        cairo_set_source(cr, gold.get());
        cairo_stroke(cr);
    }
    cairo_arc(cr, cx, cy + 1.5, 23, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 23, 0, 2 * kPi);
    PatternPtr gold = GoldPattern(cy - 23, cy + 23);
    cairo_set_source(cr, gold.get());
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 19.5, 0, 2 * kPi);
    PatternPtr red{cairo_pattern_create_radial(cx - 6, cy - 8, 2, cx, cy, 20)};
    AddStop(red.get(), 0, Hex(0xFF6A55));
    AddStop(red.get(), 0.6, Hex(0xD0201A));
    AddStop(red.get(), 1, Hex(0x7A0A08));
    cairo_set_source(cr, red.get());
    cairo_fill(cr);
    // Hour ticks.
    for (int i = 0; i < 12; ++i) {
        const double angle = i * kPi / 6;
        const double inner = i % 3 == 0 ? 14.5 : 16;
        cairo_move_to(cr, cx + std::cos(angle) * inner, cy + std::sin(angle) * inner);
        cairo_line_to(cr, cx + std::cos(angle) * 18, cy + std::sin(angle) * 18);
    }
    cairo_set_source_rgba(cr, 1, 0.9, 0.7, 0.85);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // The window the two digits are drawn in (digits at x 11…38, y 15…33).
    RoundedRect(cr, 9, 13, 33, 22, 4);
    cairo_set_source_rgba(cr, 0.15, 0.02, 0.02, 0.85);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 1, 0.85, 0.5, 0.6);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    // Gloss.
    cairo_save(cr);
    cairo_arc(cr, cx, cy, 19.5, 0, 2 * kPi);
    cairo_clip(cr);
    cairo_arc(cr, cx - 4, cy - 14, 16, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
    cairo_fill(cr);
    cairo_restore(cr);
}

// A golden crest: a crown between two laurel sprays. `glow` lights it up for the alternate frame.
void DrawOrnament(cairo_t* cr, double w, double h, double glow) {
    const double cx = w / 2;
    PatternPtr gold = GoldPattern(2, h - 2);
    for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, cx + side * 6, h - 5);
        cairo_curve_to(cr, cx + side * 16, h - 4, cx + side * 24, h - 12, cx + side * (w / 2 - 2), 6);
        cairo_set_line_width(cr, 1.6);
        cairo_set_source(cr, gold.get());
        cairo_stroke(cr);
        for (int leaf = 0; leaf < 4; ++leaf) {
            const double t = 0.2 + leaf * 0.2;
            const double lx = cx + side * (6 + t * (w / 2 - 8));
            const double ly = h - 5 - t * (h - 11);
            cairo_save(cr);
            cairo_translate(cr, lx, ly);
            cairo_rotate(cr, side * (-0.9 + t * 0.4));
            cairo_scale(cr, 1, 0.45);
            cairo_arc(cr, 0, -4, 4.2, 0, 2 * kPi);
            cairo_restore(cr);
            cairo_set_source(cr, gold.get());
            cairo_fill(cr);
        }
    }
    // Crown.
    cairo_move_to(cr, cx - 9, h - 6);
    cairo_line_to(cr, cx - 10, 8);
    cairo_line_to(cr, cx - 4.5, 13);
    cairo_line_to(cr, cx, 4);
    cairo_line_to(cr, cx + 4.5, 13);
    cairo_line_to(cr, cx + 10, 8);
    cairo_line_to(cr, cx + 9, h - 6);
    cairo_close_path(cr);
    cairo_set_source(cr, gold.get());
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.35, 0.2, 0.0, 0.9);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_arc(cr, cx, h - 11, 2.2, 0, 2 * kPi);
    SetColour(cr, Hex(0xD62A20));
    cairo_fill(cr);
    if (glow > 0) {
        PatternPtr light{cairo_pattern_create_radial(cx, h / 2, 1, cx, h / 2, w / 2)};
        cairo_pattern_add_color_stop_rgba(light.get(), 0, 1, 0.95, 0.6, 0.55 * glow);
        cairo_pattern_add_color_stop_rgba(light.get(), 1, 1, 0.9, 0.4, 0);
        cairo_set_source(cr, light.get());
        cairo_paint(cr);
        for (const auto& spark :
             {std::pair{cx - 15.0, 8.0}, std::pair{cx + 16.0, 11.0}, std::pair{cx, 3.0}}) {
            Star(cr, spark.first, spark.second, 4 * glow, 1.0, 4);
            cairo_set_source_rgba(cr, 1, 1, 0.85, 0.95);
            cairo_fill(cr);
        }
    }
}

// One frame of the big-bet sparkle: a burst of gold stars that flies out and fades.
void DrawSparkle(cairo_t* cr, int frame) {
    constexpr double cx = 85;
    constexpr double cy = 35;
    const double t = (frame + 1) / 5.0;
    const double fade = frame < 3 ? 1.0 : 1.0 - (frame - 2) * 0.3;
    // The glow and the stars stay inside the frame so that no edge of the picture shows on the table.
    const double glowRadius = 20 + 22 * t;
    PatternPtr light{cairo_pattern_create_radial(cx, cy, 0, cx, cy, glowRadius)};
    cairo_pattern_add_color_stop_rgba(light.get(), 0, 1, 0.97, 0.75, 0.8 * fade);
    cairo_pattern_add_color_stop_rgba(light.get(), 0.4, 1, 0.8, 0.3, 0.35 * fade);
    cairo_pattern_add_color_stop_rgba(light.get(), 1, 1, 0.7, 0.2, 0);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 1.9, 0.75);
    cairo_translate(cr, -cx, -cy);
    cairo_arc(cr, cx, cy, glowRadius, 0, 2 * kPi);
    cairo_set_source(cr, light.get());
    cairo_fill(cr);
    cairo_restore(cr);

    std::mt19937 random(42);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 26; ++i) {
        const double angle = unit(random) * 2 * kPi;
        const double speed = 0.4 + unit(random) * 0.6;
        const double size = 2.5 + unit(random) * 4.5;
        const double distance = speed * t * 80;
        const double x = std::clamp(cx + std::cos(angle) * distance, 10.0, 160.0);
        const double y = std::clamp(cy + std::sin(angle) * distance * 0.36, 9.0, 61.0);
        const double twinkle = (i + frame) % 3 == 0 ? 1.4 : 1.0;
        Star(cr, x, y, size * twinkle * (1.1 - t * 0.3), size * 0.28, 4, angle);
        cairo_set_source_rgba(cr, 1, 0.95 - unit(random) * 0.2, 0.55 + unit(random) * 0.3, fade);
        cairo_fill(cr);
    }
    Star(cr, cx, cy, 22 * (1.2 - t * 0.6), 4, 4, frame * 0.3);
    cairo_set_source_rgba(cr, 1, 1, 0.9, fade);
    cairo_fill(cr);
}

} // namespace

void AddMarkPictures(PictureSet& set) {
    const struct {
        const char* caption;
        Colour accent;
    } phases[] = {{"空闲时间", Hex(0x6A7A8A)},
                  {"下分时间", Hex(0x2DA84E)},
                  {"发牌时间", Hex(0x2F74E0)},
                  {"开牌时间", Hex(0xDA3328)}};
    for (int i = 0; i < 4; ++i) {
        const auto& phase = phases[i];
        set.Add("TIME" + std::to_string(i), 91, 28,
                [&phase](cairo_t* cr) { DrawPhaseCaption(cr, phase.caption, phase.accent); });
    }
    for (const MarkKind& kind : kMarkKinds) {
        for (int variant = 0; variant < 4; ++variant) {
            set.Add(std::string(kind.name) + std::to_string(variant), 32, 32,
                    [&kind, variant](cairo_t* cr) { DrawRoadMark(cr, kind, variant); });
        }
        set.Add(std::string("S") + kind.name, 17, 17,
                [&kind](cairo_t* cr) { DrawSmallMark(cr, kind.colour); });
    }

    const std::string glyphs[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "+"};
    for (int i = 0; i < 11; ++i) {
        const std::string suffix = i < 10 ? std::to_string(i) : "ADD";
        const std::string glyph = glyphs[i];
        set.Add("X" + suffix, 14, 18,
                [glyph](cairo_t* cr) { DrawDigit(cr, glyph.c_str(), 14, 18, Hex(0xFFF7A8), Hex(0xF2B800)); });
        set.Add("D" + suffix, 16, 21,
                [glyph](cairo_t* cr) { DrawDigit(cr, glyph.c_str(), 16, 21, Hex(0xFFD2EA), Hex(0xFF4FA0)); });
    }
    // The clock's digits are the small yellow digits themselves.
    for (int i = 0; i < 10; ++i)
        set.Alias("CLOCKNUM_" + std::to_string(i), "X" + std::to_string(i));
    set.Add("CLOCKNUM_BACKGROUND", 51, 57, DrawClockDial);
    set.Add("CLOCKHEADER", 54, 29, [](cairo_t* cr) { DrawOrnament(cr, 54, 29, 0); });
    set.Add("CLOCKHEADER0", 51, 29, [](cairo_t* cr) { DrawOrnament(cr, 51, 29, 0.4); });
    set.Add("CLOCKHEADER1", 51, 29, [](cairo_t* cr) { DrawOrnament(cr, 51, 29, 1.0); });
    for (int frame = 0; frame < 5; ++frame) {
        set.Add("FIRE" + std::to_string(frame), 170, 70, [frame](cairo_t* cr) { DrawSparkle(cr, frame); });
    }
}

} // namespace artgen
