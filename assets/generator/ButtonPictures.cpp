#include "Pictures.h"

#include <string>

namespace artgen {

namespace {

enum class State { Comm, Move, Down, Gray };

struct Scheme {
    Colour top, bottom, text, textEdge;
};

const Scheme kGoldScheme{Hex(0xFFE9A0), Hex(0xC48A1E), Hex(0x3A1E02), Hex(0xFFF6D0)};
const Scheme kRedScheme{Hex(0xE0463A), Hex(0x8A130D), Hex(0xFFE9A0), Hex(0x3A0500)};
const Scheme kGreenScheme{Hex(0x3DB86A), Hex(0x136A33), Hex(0xFFF4C8), Hex(0x062A12)};
const Scheme kBlueScheme{Hex(0x4A86E8), Hex(0x143E9A), Hex(0xFFF4C8), Hex(0x04103A)};

void DrawButton(cairo_t* cr, double w, double h, const char* caption, State state, const Scheme& scheme) {
    const double radius = h / 2 - 1;
    const double press = state == State::Down ? 1 : 0;
    Colour top = scheme.top;
    Colour bottom = scheme.bottom;
    if (state == State::Move) {
        top = Lighter(top, 0.3);
        bottom = Lighter(bottom, 0.2);
    } else if (state == State::Down) {
        std::swap(top, bottom);
        top = Darker(top, 0.15);
    }
    // Shadow, body, gloss, rim.
    if (state != State::Down) {
        RoundedRect(cr, 1, 1.5, w - 2, h - 2, radius);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
        cairo_fill(cr);
    }
    RoundedRect(cr, 1, 0.5 + press, w - 2, h - 2, radius);
    PatternPtr body = VerticalPattern(0.5 + press, h - 1.5 + press, top, bottom);
    cairo_set_source(cr, body.get());
    cairo_fill(cr);
    if (state != State::Down) {
        RoundedRect(cr, 3, 1.5, w - 6, (h - 2) * 0.45, radius * 0.8);
        PatternPtr gloss{cairo_pattern_create_linear(0, 1.5, 0, h * 0.5)};
        cairo_pattern_add_color_stop_rgba(gloss.get(), 0, 1, 1, 1, 0.45);
        cairo_pattern_add_color_stop_rgba(gloss.get(), 1, 1, 1, 1, 0.05);
        cairo_set_source(cr, gloss.get());
        cairo_fill(cr);
    }
    RoundedRect(cr, 1.5, 1 + press, w - 3, h - 3, radius);
    PatternPtr rim = GoldPattern(0, h);
    cairo_set_source(cr, rim.get());
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);

    TextStyle text;
    text.family = fonts::kHei;
    text.bold = true;
    text.size = h >= 30 ? 15 : 13;
    text.fill = scheme.text;
    text.outline = 0.9;
    text.outlineColour = scheme.textEdge;
    text.outlineAlpha = 0.6;
    DrawText(cr, caption, w / 2, (h - 1) / 2 + press, Align::Centre, text);
    if (state == State::Gray) Desaturate(cairo_get_target(cr), 0.95, 0.7);
}

void AddFamily(PictureSet& set, const std::string& base, int w, int h, const char* caption,
               const Scheme& scheme) {
    const struct {
        const char* suffix;
        State state;
    } states[] = {{"COMM", State::Comm}, {"MOVE", State::Move}, {"DOWN", State::Down}, {"GRAY", State::Gray}};
    for (const auto& entry : states) {
        const State state = entry.state;
        set.Add(base + entry.suffix, w, h,
                [=, &scheme](cairo_t* cr) { DrawButton(cr, w, h, caption, state, scheme); });
    }
}

void DrawArrow(cairo_t* cr, bool right, State state) {
    constexpr double w = 35;
    constexpr double h = 91;
    const double press = state == State::Down ? 1 : 0;
    RoundedRect(cr, 2, 2 + press, w - 4, h - 4, 8);
    PatternPtr plate = VerticalPattern(2, h - 2, state == State::Move ? Hex(0x2E6A44) : Hex(0x1E4A2E),
                                       state == State::Down ? Hex(0x061A0C) : Hex(0x0A2414));
    cairo_set_source(cr, plate.get());
    cairo_fill(cr);
    GoldFrame(cr, 2.5, 2.5 + press, w - 5, h - 5, 8, 1.4);

    const double cx = w / 2 + press;
    const double cy = h / 2 + press;
    const double dir = right ? 1 : -1;
    cairo_move_to(cr, cx + dir * 9, cy);
    cairo_line_to(cr, cx - dir * 7, cy - 16);
    cairo_line_to(cr, cx - dir * 7, cy + 16);
    cairo_close_path(cr);
    PatternPtr gold = GoldPattern(cy - 16, cy + 16);
    cairo_set_source(cr, gold.get());
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.3, 0.18, 0, 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (state == State::Move) {
        PatternPtr glow{cairo_pattern_create_radial(cx, cy, 2, cx, cy, 24)};
        cairo_pattern_add_color_stop_rgba(glow.get(), 0, 1, 0.95, 0.6, 0.45);
        cairo_pattern_add_color_stop_rgba(glow.get(), 1, 1, 0.9, 0.5, 0);
        cairo_set_source(cr, glow.get());
        cairo_paint(cr);
    }
    if (state == State::Gray) Desaturate(cairo_get_target(cr), 0.95, 0.7);
}

void AddArrowFamily(PictureSet& set, bool right) {
    const std::string base = right ? "RIGHT" : "LEFT";
    set.Add(base + "COMM", 35, 91, [right](cairo_t* cr) { DrawArrow(cr, right, State::Comm); });
    set.Add(base + "MOVE", 35, 91, [right](cairo_t* cr) { DrawArrow(cr, right, State::Move); });
    set.Add(base + "GRAY", 35, 91, [right](cairo_t* cr) { DrawArrow(cr, right, State::Gray); });
    if (right) {
        // The one picture stored without alpha: painted on the bar's own colour so that it sits on the bar
        // just as its transparent siblings do.
        set.Add(
            base + "DOWN", 35, 91,
            [](cairo_t* cr) {
                SetColour(cr, BottomBarArrowGround());
                cairo_paint(cr);
                DrawArrow(cr, true, State::Down);
            },
            PixelFormat::Rgb);
    } else {
        set.Add(base + "DOWN", 35, 91, [](cairo_t* cr) { DrawArrow(cr, false, State::Down); });
    }
}

void DrawClose(cairo_t* cr) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
        cairo_move_to(cr, 2.5, 3);
        cairo_line_to(cr, 9.5, 10);
        cairo_move_to(cr, 9.5, 3);
        cairo_line_to(cr, 2.5, 10);
        if (pass == 0) {
            cairo_set_source_rgba(cr, 0.2, 0.05, 0, 0.75);
            cairo_set_line_width(cr, 3.6);
        } else {
            cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_set_line_width(cr, 1.8);
        }
        cairo_stroke(cr);
    }
}

// The chat's small square buttons: a plate with an icon (faces, actions, hall broadcast).
enum class ChatIcon { Face, Action, Shout };

void DrawChatButton(cairo_t* cr, ChatIcon icon, State state) {
    constexpr double w = 18;
    constexpr double h = 19;
    const double press = state == State::Down ? 1 : 0;
    Colour top = Hex(0xFFF4DC);
    Colour bottom = Hex(0xF0B860);
    if (state == State::Move) {
        top = Lighter(top, 0.4);
        bottom = Lighter(bottom, 0.3);
    } else if (state == State::Down) {
        std::swap(top, bottom);
    }
    RoundedRect(cr, 0.5, 0.5 + press, w - 1, h - 1.5, 3);
    PatternPtr plate = VerticalPattern(0.5, h - 1, top, bottom);
    cairo_set_source(cr, plate.get());
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0xA8661A));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const double cx = w / 2;
    const double cy = h / 2 + press;
    switch (icon) {
    case ChatIcon::Face:
        cairo_arc(cr, cx, cy, 5.5, 0, 2 * 3.14159265);
        SetColour(cr, Hex(0xFFD23C));
        cairo_fill_preserve(cr);
        SetColour(cr, Hex(0x8A5A10));
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
        for (const double x : {cx - 2, cx + 2}) {
            cairo_arc(cr, x, cy - 1.3, 0.8, 0, 2 * 3.14159265);
            SetColour(cr, Hex(0x3A2208));
            cairo_fill(cr);
        }
        cairo_arc(cr, cx, cy - 0.5, 3, 0.2 * 3.14159265, 0.8 * 3.14159265);
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
        break;
    case ChatIcon::Action:
        Star(cr, cx, cy, 6, 2.6, 5, -3.14159265 / 2);
        SetColour(cr, Hex(0xE0463A));
        cairo_fill(cr);
        break;
    case ChatIcon::Shout:
        cairo_move_to(cr, cx - 5, cy - 2);
        cairo_line_to(cr, cx - 2, cy - 2);
        cairo_line_to(cr, cx + 4, cy - 6);
        cairo_line_to(cr, cx + 4, cy + 6);
        cairo_line_to(cr, cx - 2, cy + 2);
        cairo_line_to(cr, cx - 5, cy + 2);
        cairo_close_path(cr);
        SetColour(cr, Hex(0x2F74E0));
        cairo_fill(cr);
        cairo_arc(cr, cx + 4, cy, 3.5, -0.9, 0.9);
        SetColour(cr, Hex(0x2F74E0));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        break;
    }
    if (state == State::Gray) Desaturate(cairo_get_target(cr), 0.95, 0.7);
}

void AddChatButton(PictureSet& set, const std::string& base, ChatIcon icon) {
    const std::pair<const char*, State> states[] = {
        {"COMM", State::Comm}, {"MOVE", State::Move}, {"DOWN", State::Down}, {"GRAY", State::Gray}};
    for (const auto& [suffix, state] : states) {
        const State s = state;
        set.Add(base + suffix, 18, 19, [icon, s](cairo_t* cr) { DrawChatButton(cr, icon, s); });
    }
}

} // namespace

void AddButtonPictures(PictureSet& set) {
    // The hall panels' buttons: a caption-less plate that text buttons stretch and write on, the
    // chat's three square buttons and its say button.
    AddFamily(set, "HALLBTN", 70, 22, "", kGoldScheme);
    AddChatButton(set, "CHATFACE", ChatIcon::Face);
    AddChatButton(set, "CHATACTION", ChatIcon::Action);
    AddChatButton(set, "CHATSHOUT", ChatIcon::Shout);
    AddFamily(set, "CHATSAY", 62, 22, "发送", kGoldScheme);
    AddFamily(set, "SAVE", 57, 26, "存分", kGoldScheme);
    AddFamily(set, "DRAW", 57, 26, "取分", kGoldScheme);
    AddFamily(set, "CLEAR", 53, 26, "清空", kGoldScheme);
    AddFamily(set, "UP", 85, 24, "申请上庄", kGreenScheme);
    AddFamily(set, "HOG", 85, 24, "抢庄", kGoldScheme);
    AddFamily(set, "DOWN", 85, 24, "强制退庄", kRedScheme);
    // Leaving the queue and forcing the bank off are one button face.
    for (const char* suffix : {"COMM", "MOVE", "DOWN", "GRAY"}) {
        set.Alias(std::string("CANCEL") + suffix, std::string("DOWN") + suffix);
    }
    AddFamily(set, "TABLEBTN", 97, 31, "查看路子", kGoldScheme);
    // The road window's roads page: its two ask buttons and the way back to the bead plate.
    AddFamily(set, "ASKLAND", 85, 26, "庄问路", kRedScheme);
    AddFamily(set, "ASKIDLE", 85, 26, "闲问路", kBlueScheme);
    AddFamily(set, "BEADPAGE", 64, 24, "珠盘路", kGoldScheme);
    AddArrowFamily(set, false);
    AddArrowFamily(set, true);
    set.Add("CLOSECOMM", 12, 13, DrawClose);
    set.Alias("CLOSEMOVE", "CLOSECOMM");
    set.Alias("CLOSEDOWN", "CLOSECOMM");
}

} // namespace artgen
