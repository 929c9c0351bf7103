#include "Pictures.h"

#include <string>

namespace artgen {

namespace {

using namespace palette;

enum class State { Comm, Move, Down, Gray };

constexpr const char* kSuffixes[] = {"COMM", "MOVE", "DOWN", "GRAY"};
constexpr State kStates[] = {State::Comm, State::Move, State::Down, State::Gray};

// The window's outline: opaque everywhere except the magenta key outside its rounded corners, so that the
// window region cut from it rounds the corners off. Anti-aliasing is off: a mixed colour at the edge
// would neither be keyed out nor look like the frame.
void DrawMainFrame(cairo_t* cr) {
    constexpr double w = 1024;
    constexpr double h = 734;
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(cr, 1, 0, 1);
    cairo_paint(cr);
    RoundedRect(cr, 0, 0, w, h, 20);
    SetColour(cr, kFeltDark);
    cairo_fill(cr);
    RoundedRect(cr, 2, 2, w - 4, h - 4, 18);
    SetColour(cr, kGoldDark);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

// The right-hand box behind the user list and the chat: a dark felt panel in a gold rim, with a framed
// card at the top where the selected user's face and figures are shown.
void DrawRightBox(cairo_t* cr) {
    constexpr double w = 209;
    constexpr double h = 643;
    RoundedRect(cr, 1, 1, w - 2, h - 2, 8);
    PatternPtr body = VerticalPattern(0, h, Hex(0x12502A), Hex(0x0A3118));
    cairo_set_source(cr, body.get());
    cairo_fill_preserve(cr);
    PatternPtr rim = GoldPattern(0, h);
    cairo_set_source(cr, rim.get());
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // The selected user's card: a title band, the face frame on the left, three figure lines beside it.
    RoundedRect(cr, 8, 92, w - 16, 86, 6);
    SetColour(cr, Hex(0x06240F), 0.85);
    cairo_fill_preserve(cr);
    SetColour(cr, kGoldDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    RoundedRect(cr, 14, 101, 64, 68, 4);
    SetColour(cr, Hex(0x1F6B3A));
    cairo_fill_preserve(cr);
    PatternPtr frame = GoldPattern(101, 169);
    cairo_set_source(cr, frame.get());
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (int line = 0; line < 3; ++line) {
        cairo_rectangle(cr, 84, 122.5 + line * 18, w - 98, 1);
        SetColour(cr, kGoldDark, 0.6);
        cairo_fill(cr);
    }
    // A band across the top with the table's name plate.
    RoundedRect(cr, 8, 8, w - 16, 76, 6);
    PatternPtr band = VerticalPattern(8, 84, Hex(0x1B7A3C), Hex(0x0C4A22));
    cairo_set_source(cr, band.get());
    cairo_fill_preserve(cr);
    SetColour(cr, kGoldDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    TextStyle title;
    title.family = fonts::kHei;
    title.bold = true;
    title.size = 22;
    PatternPtr gold = GoldPattern(30, 60);
    title.fillPattern = gold.get();
    title.outline = 1.2;
    title.outlineColour = Hex(0x2A1A02);
    DrawText(cr, "百家乐", w / 2, 38, Align::Centre, title);
    TextStyle sub;
    sub.size = 11;
    sub.fill = kCream;
    DrawText(cr, "闲 · 和 · 庄", w / 2, 66, Align::Centre, sub);
}

// The title strip's text buttons: a gold caption on a faint plate that lights up under the mouse.
void DrawTitleTextButton(cairo_t* cr, double w, double h, const char* caption, State state) {
    const double press = state == State::Down ? 1 : 0;
    if (state == State::Move || state == State::Down) {
        RoundedRect(cr, 0.5, 0.5 + press, w - 1, h - 1, 4);
        SetColour(cr, Hex(0xFFE9A0), state == State::Move ? 0.22 : 0.32);
        cairo_fill_preserve(cr);
        SetColour(cr, kGold, 0.8);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    TextStyle text;
    text.family = fonts::kHei;
    text.size = 12;
    text.fill = state == State::Move ? kGoldLight : kGold;
    text.outline = 0.8;
    text.outlineColour = Hex(0x1A0E00);
    DrawText(cr, caption, w / 2, h / 2 + press, Align::Centre, text);
    if (state == State::Gray) Desaturate(cairo_get_target(cr), 0.95, 0.7);
}

enum class Glyph { Minimise, Maximise, Restore, Close };

// The window buttons: a round gold-rimmed plate with its sign; the close button's plate is red.
void DrawWindowButton(cairo_t* cr, double w, double h, Glyph glyph, State state) {
    const double press = state == State::Down ? 1 : 0;
    const double cx = w / 2;
    const double cy = h / 2 + press;
    const double r = h / 2 - 1.5;
    Colour plate = glyph == Glyph::Close ? Hex(0xB8281E) : Hex(0x1D6B38);
    if (state == State::Move) plate = Lighter(plate, 0.25);
    if (state == State::Down) plate = Darker(plate, 0.2);
    cairo_arc(cr, cx, cy, r, 0, 6.2832);
    PatternPtr body = VerticalPattern(cy - r, cy + r, Lighter(plate, 0.2), Darker(plate, 0.25));
    cairo_set_source(cr, body.get());
    cairo_fill_preserve(cr);
    PatternPtr rim = GoldPattern(cy - r, cy + r);
    cairo_set_source(cr, rim.get());
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    SetColour(cr, Hex(0xFFF6D8));
    cairo_set_line_width(cr, 1.6);
    const double s = r * 0.45;
    switch (glyph) {
    case Glyph::Minimise:
        cairo_move_to(cr, cx - s, cy + s * 0.6);
        cairo_line_to(cr, cx + s, cy + s * 0.6);
        cairo_stroke(cr);
        break;
    case Glyph::Maximise:
        cairo_rectangle(cr, cx - s, cy - s, 2 * s, 2 * s);
        cairo_stroke(cr);
        break;
    case Glyph::Restore:
        cairo_rectangle(cr, cx - s, cy - s * 0.4, s * 1.4, s * 1.4);
        cairo_stroke(cr);
        cairo_move_to(cr, cx - s * 0.4, cy - s * 0.4);
        cairo_line_to(cr, cx - s * 0.4, cy - s);
        cairo_line_to(cr, cx + s, cy - s);
        cairo_line_to(cr, cx + s, cy + s * 0.4);
        cairo_line_to(cr, cx + s * 0.4, cy + s * 0.4);
        cairo_stroke(cr);
        break;
    case Glyph::Close:
        cairo_move_to(cr, cx - s, cy - s);
        cairo_line_to(cr, cx + s, cy + s);
        cairo_move_to(cr, cx + s, cy - s);
        cairo_line_to(cr, cx - s, cy + s);
        cairo_stroke(cr);
        break;
    }
    if (state == State::Gray) Desaturate(cairo_get_target(cr), 0.95, 0.7);
}

// The user list's header, stretched under every column: a warm brown band a shade deeper than the rows,
// lit along its top edge, so that the white captions stand out.
void DrawListHeader(cairo_t* cr) {
    constexpr double w = 64;
    constexpr double h = 16;
    cairo_rectangle(cr, 0, 0, w, h);
    PatternPtr band = VerticalPattern(0, h, Hex(0xC0692A), Hex(0x6E2A06));
    cairo_set_source(cr, band.get());
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 0, w, 1);
    SetColour(cr, Hex(0xF2B36A));
    cairo_fill(cr);
    cairo_rectangle(cr, 0, h - 1, w, 1);
    SetColour(cr, Hex(0x3E1603));
    cairo_fill(cr);
}

// The line between two header captions: a dark groove beside a light ridge.
void DrawListSplit(cairo_t* cr) {
    cairo_rectangle(cr, 0, 2, 1, 12);
    SetColour(cr, Hex(0x3E1603));
    cairo_fill(cr);
    cairo_rectangle(cr, 1, 2, 1, 12);
    SetColour(cr, Hex(0xF2B36A));
    cairo_fill(cr);
}

void AddTextFamily(PictureSet& set, const std::string& base, int w, int h, const char* caption) {
    for (int i = 0; i < 4; ++i) {
        const State state = kStates[i];
        set.Add(base + kSuffixes[i], w, h,
                [=](cairo_t* cr) { DrawTitleTextButton(cr, w, h, caption, state); });
    }
}

void AddWindowFamily(PictureSet& set, const std::string& base, Glyph glyph) {
    constexpr int w = 30;
    constexpr int h = 22;
    for (int i = 0; i < 4; ++i) {
        const State state = kStates[i];
        set.Add(base + kSuffixes[i], w, h, [=](cairo_t* cr) { DrawWindowButton(cr, w, h, glyph, state); });
    }
}

} // namespace

void AddFormPictures(PictureSet& set) {
    set.Add("FORMMAINFRAME", 1024, 734, DrawMainFrame, PixelFormat::Rgb);
    set.Add("FORMRIGHTBOX", 209, 643, DrawRightBox);
    set.Add("USERLISTHEADER", 64, 16, DrawListHeader);
    set.Add("USERLISTSPLIT", 2, 16, DrawListSplit);
    AddTextFamily(set, "TITLESETUP", 40, 18, "设置");
    AddTextFamily(set, "TITLESCREEN", 40, 18, "截图");
    AddTextFamily(set, "TITLEADVICE", 40, 18, "反馈");
    AddWindowFamily(set, "TITLEMIN", Glyph::Minimise);
    AddWindowFamily(set, "TITLEMAX", Glyph::Maximise);
    AddWindowFamily(set, "TITLERESTORE", Glyph::Restore);
    AddWindowFamily(set, "TITLECLOSE", Glyph::Close);
}

} // namespace artgen
