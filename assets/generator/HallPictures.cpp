#include "Pictures.h"

namespace artgen {

namespace {

void DrawUserListPanel(cairo_t* cr) {
    RoundedRect(cr, 1, 1, 198, 136, 14);
    PatternPtr body = VerticalPattern(0, 138, Hex(0xD6ECFF), Hex(0x8FC4F0));
    cairo_set_source(cr, body.get());
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.25, 0.5, 0.78);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    RoundedRect(cr, 4, 4, 192, 22, 10);
    PatternPtr header = VerticalPattern(4, 26, Hex(0xFFFFFF), Hex(0xB4DAFA), 0.8);
    cairo_set_source(cr, header.get());
    cairo_fill(cr);
    RoundedRect(cr, 3.5, 3.5, 193, 131, 12);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.7);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// The skin of the hall's floating panels and dialogs: a blue title band over a cream body inside a gold
// rim, corners keyed out in magenta. It is stretched by its centre row and column.
void DrawFloatingPanel(cairo_t* cr) {
    constexpr double w = 120;
    constexpr double h = 90;
    cairo_set_source_rgb(cr, 1, 0, 1);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    RoundedRect(cr, 0, 0, w, h, 8);
    SetColour(cr, Hex(0xB07A1A));
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
    RoundedRect(cr, 1.5, 1.5, w - 3, h - 3, 7);
    PatternPtr rim = GoldPattern(0, h);
    cairo_set_source(cr, rim.get());
    cairo_fill(cr);
    RoundedRect(cr, 3, 3, w - 6, 24, 5);
    PatternPtr band = VerticalPattern(3, 27, Hex(0x4E8EE8), Hex(0x1C4FA8));
    cairo_set_source(cr, band.get());
    cairo_fill(cr);
    cairo_rectangle(cr, 3, 27, w - 6, h - 30);
    PatternPtr body = VerticalPattern(27, h - 3, Hex(0xFFF9EA), Hex(0xF3E6C6));
    cairo_set_source(cr, body.get());
    cairo_fill(cr);
    cairo_rectangle(cr, 3, 27, w - 6, 1);
    SetColour(cr, Hex(0x0E2F6A));
    cairo_fill(cr);
}

// The chat input's history button: a small drop arrow on the input's white.
void DrawHistoryButton(cairo_t* cr) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_rectangle(cr, 0.5, 2.5, 1, 15);
    SetColour(cr, Hex(0xE0C8A0));
    cairo_fill(cr);
    cairo_move_to(cr, 5, 8);
    cairo_line_to(cr, 13, 8);
    cairo_line_to(cr, 9, 13);
    cairo_close_path(cr);
    SetColour(cr, Hex(0xB0661A));
    cairo_fill(cr);
}

void DrawChatPanel(cairo_t* cr) {
    RoundedRect(cr, 1, 1, 189, 290, 12);
    PatternPtr body = VerticalPattern(0, 292, Hex(0xFFC069), Hex(0xE07A1C));
    cairo_set_source(cr, body.get());
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.6, 0.3, 0.05);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    RoundedRect(cr, 3.5, 3.5, 184, 285, 10);
    cairo_set_source_rgba(cr, 1, 0.95, 0.8, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // White input strip above three small square buttons.
    RoundedRect(cr, 6, 244, 179, 20, 4);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.7, 0.4, 0.1);
    cairo_stroke(cr);
    for (int i = 0; i < 3; ++i) {
        const double x = 8 + i * 22;
        RoundedRect(cr, x, 268, 18, 18, 3);
        PatternPtr face = VerticalPattern(268, 286, Hex(0xFFF1D6), Hex(0xF2B35C));
        cairo_set_source(cr, face.get());
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.65, 0.35, 0.08);
        cairo_stroke(cr);
    }
}

// The chair bitmaps sit on magenta, the transparent key; they are drawn without smoothing so that no
// mixed colour appears at their edges.
void DrawStool(cairo_t* cr) {
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(cr, 1, 0, 1);
    cairo_paint(cr);
    // Back rest, seat and legs.
    cairo_rectangle(cr, 8, 3, 16, 12);
    cairo_set_source_rgb(cr, 0.55, 0.27, 0.08);
    cairo_fill(cr);
    cairo_rectangle(cr, 10, 5, 12, 8);
    cairo_set_source_rgb(cr, 0.8, 0.15, 0.12);
    cairo_fill(cr);
    cairo_rectangle(cr, 5, 15, 22, 5);
    cairo_set_source_rgb(cr, 0.42, 0.2, 0.06);
    cairo_fill(cr);
    cairo_rectangle(cr, 6, 16, 20, 2);
    cairo_set_source_rgb(cr, 0.75, 0.45, 0.2);
    cairo_fill(cr);
    for (double x : {6.0, 23.0}) {
        cairo_rectangle(cr, x, 20, 3, 10);
        cairo_set_source_rgb(cr, 0.35, 0.16, 0.05);
        cairo_fill(cr);
    }
}

void DrawSmallStool(cairo_t* cr) {
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(cr, 1, 0, 1);
    cairo_paint(cr);
    cairo_move_to(cr, 2, 1);
    cairo_line_to(cr, 2, 14);
    cairo_line_to(cr, 5, 11);
    cairo_line_to(cr, 8, 15);
    cairo_line_to(cr, 10, 14);
    cairo_line_to(cr, 7, 10);
    cairo_line_to(cr, 11, 10);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

} // namespace

void AddHallPictures(PictureSet& set) {
    set.Add("TWOEIGHT_BTIMAPUSERLIST", 200, 138, DrawUserListPanel);
    set.Add("TWOEIGHT_BTIMAPBUSERCHAT", 191, 292, DrawChatPanel);
    set.Add("HALLPANEL", 120, 90, DrawFloatingPanel);
    set.Add("CHATHISTORY", 18, 20, DrawHistoryButton);
    set.Add("STOOLGRAPHIC_BITMAPSTOOL", 32, 32, DrawStool, PixelFormat::Rgb);
    set.Add("STOOLGRAPHIC_BITMAPSMALLSTOOL", 16, 16, DrawSmallStool, PixelFormat::Rgb);
}

} // namespace artgen
