#include "Pictures.h"

#include <numbers>
#include <string>

namespace artgen {

namespace {

constexpr double kPi = std::numbers::pi;
const Colour kBarDark = Hex(0x0A1F12);
const Colour kBarMid = Hex(0x173A24);

TextStyle HeiStyle(double size, Colour fill, bool bold = true) {
    TextStyle style;
    style.family = fonts::kHei;
    style.size = size;
    style.bold = bold;
    style.fill = fill;
    style.outline = 0.8;
    style.outlineColour = Hex(0x000000);
    style.outlineAlpha = 0.55;
    return style;
}

void Inset(cairo_t* cr, double x, double y, double w, double h, double r, double alpha = 0.45) {
    RoundedRect(cr, x, y, w, h, r);
    cairo_set_source_rgba(cr, 0, 0.02, 0.0, alpha);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.95, 0.78, 0.35, 0.55);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void HLine(cairo_t* cr, double x0, double x1, double y, double alpha) {
    cairo_move_to(cr, x0, y);
    cairo_line_to(cr, x1, y);
    cairo_set_source_rgba(cr, 0.95, 0.78, 0.35, alpha);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void VLine(cairo_t* cr, double x, double y0, double y1, double alpha) {
    cairo_move_to(cr, x, y0);
    cairo_line_to(cr, x, y1);
    cairo_set_source_rgba(cr, 0.95, 0.78, 0.35, alpha);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void BarBody(cairo_t* cr, double w, double h) {
    RoundedRect(cr, 1, 1, w - 2, h - 2, 10);
    PatternPtr body = VerticalPattern(0, h, kBarMid, kBarDark, 0.96);
    cairo_set_source(cr, body.get());
    cairo_fill(cr);
    GoldFrame(cr, 1.5, 1.5, w - 3, h - 3, 10, 2.4);
}

// A card shoe seen from the side: a dark box with a slanted mouth and the top card peeking out.
void CardShoe(cairo_t* cr, double x, double y) {
    cairo_move_to(cr, x, y + 24);
    cairo_line_to(cr, x, y + 8);
    cairo_line_to(cr, x + 20, y + 2);
    cairo_line_to(cr, x + 30, y + 8);
    cairo_line_to(cr, x + 30, y + 24);
    cairo_close_path(cr);
    PatternPtr wood = VerticalPattern(y, y + 24, Hex(0x6A3A1A), Hex(0x2A1205));
    cairo_set_source(cr, wood.get());
    cairo_fill_preserve(cr);
    PatternPtr gold = GoldPattern(y, y + 24);
    cairo_set_source(cr, gold.get());
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The card at the mouth.
    cairo_move_to(cr, x + 20, y + 3);
    cairo_line_to(cr, x + 31, y + 10);
    cairo_line_to(cr, x + 28, y + 15);
    cairo_line_to(cr, x + 17, y + 8);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0.98, 0.97, 0.93);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.3, 0.3, 0.3, 0.8);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    cairo_rectangle(cr, x + 3, y + 16, 24, 2);
    cairo_set_source(cr, gold.get());
    cairo_fill(cr);
}

void DrawTopInfo(cairo_t* cr) {
    BarBody(cr, 784, 133);

    // Left: the ten-game points strip, headed 庄 and 闲 (labels at x 40 + 21 i, y 20 and 40).
    Inset(cr, 8, 14, 248, 44, 5);
    const struct {
        const char* side;
        Colour colour;
        double y;
    } rows[] = {{"庄", palette::kBanker, 26.5}, {"闲", palette::kPlayer, 46.5}};
    for (const auto& row : rows) {
        cairo_arc(cr, 22, row.y, 8, 0, 2 * kPi);
        SetColour(cr, row.colour);
        cairo_fill(cr);
        TextStyle text = HeiStyle(12, {1, 1, 1});
        text.outline = 0;
        DrawInkCentred(cr, row.side, 22, row.y, text);
    }
    HLine(cr, 33, 252, 36.5, 0.35);
    for (int i = 0; i <= 10; ++i)
        VLine(cr, 35.5 + 21 * i, 16, 56, i == 0 ? 0.55 : 0.25);

    // What may still be bet, one line per side (values at x 96, y 64 / 84 / 104).
    const struct {
        const char* caption;
        Colour colour;
    } lines[] = {{"闲可下分：", Hex(0x8FBBFF)}, {"和可下分：", Hex(0x8FE8A0)}, {"庄可下分：", Hex(0xFF9A8C)}};
    for (int i = 0; i < 3; ++i) {
        const double y = 64 + 20 * i;
        DrawText(cr, lines[i].caption, 93, y + 7.5, Align::Right, HeiStyle(12.5, lines[i].colour));
        Inset(cr, 94.5, y - 1.5, 160, 18, 4, 0.35);
    }

    // Middle: the banker's panel with the notice below.
    Inset(cr, 266, 10, 264, 113, 7, 0.35);
    HLine(cr, 272, 524, 66.5, 0.35);

    // Right: the banker queue, with the shoe between the two button places.
    Inset(cr, 540, 10, 238, 113, 7, 0.35);
    RoundedRect(cr, 544, 39, 230, 16, 3);
    cairo_set_source_rgba(cr, 0.9, 0.7, 0.2, 0.18);
    cairo_fill(cr);
    for (int k = 1; k < 4; ++k)
        HLine(cr, 548, 770, 54.5 + 17 * k + 15, 0.15);
    CardShoe(cr, 640, 10);
}

void DrawBottomInfo(cairo_t* cr) {
    // The bitmap has no alpha: paint the whole rectangle first.
    SetColour(cr, Hex(0x06140B));
    cairo_paint(cr);
    BarBody(cr, 791, 105);

    // Left: own figures, four lines (captions at x 11, values from x 66).
    Inset(cr, 7, 8, 190, 89, 6, 0.35);
    for (double y : {38.5, 61.5, 81.5})
        HLine(cr, 12, 192, y, 0.22);

    // The two arrow places get the flat colour their opaque picture is painted on.
    for (double x : {202.0, 672.0}) {
        cairo_rectangle(cr, x, 10, 35, 91);
        SetColour(cr, BottomBarArrowGround());
        cairo_fill(cr);
    }

    // Middle: three rows 庄 / 闲 / 和 by ten columns (marks at 284 + 38 i, 11 + 30 row).
    Inset(cr, 241, 8, 426, 92, 5, 0.4);
    const struct {
        const char* side;
        Colour colour;
    } rows[] = {{"庄", palette::kBanker}, {"闲", palette::kPlayer}, {"和", palette::kTie}};
    for (int row = 0; row < 3; ++row) {
        const double cy = 24 + 30 * row;
        cairo_arc(cr, 262, cy, 10, 0, 2 * kPi);
        SetColour(cr, rows[row].colour);
        cairo_fill_preserve(cr);
        cairo_set_source_rgba(cr, 1, 0.9, 0.6, 0.8);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        TextStyle text = HeiStyle(13, {1, 1, 1});
        text.outline = 0;
        DrawInkCentred(cr, rows[row].side, 262, cy, text);
        if (row > 0) HLine(cr, 244, 664, 8.5 + 30 * row, 0.3);
    }
    for (int i = 0; i <= 10; ++i)
        VLine(cr, 281.5 + 38 * i, 10, 98, 0.25);

    // Right: the win counters (values at x 742, y 15 / 45 / 75).
    for (int row = 0; row < 3; ++row) {
        const double y = 11 + 30 * row;
        Inset(cr, 712, y, 72, 26, 5, 0.45);
        TextStyle text = HeiStyle(14, Lighter(rows[row].colour, 0.35));
        DrawText(cr, rows[row].side, 726, y + 13, Align::Centre, text);
    }
}

// The strip cells behind the check marks are the bar's inset colour; the marks are stored without alpha.
void DrawCheck(cairo_t* cr, bool selected) {
    SetColour(cr, Hex(0x07170D));
    cairo_paint(cr);
    RoundedRect(cr, 4.5, 2.5, 25, 21, 4);
    if (selected) {
        PatternPtr gold = GoldPattern(2.5, 23.5);
        cairo_set_source(cr, gold.get());
    } else {
        PatternPtr paper = VerticalPattern(2.5, 23.5, Hex(0xF8F2DE), Hex(0xD8CFB4));
        cairo_set_source(cr, paper.get());
        cairo_fill_preserve(cr);
        cairo_set_source_rgba(cr, 0.6, 0.45, 0.15, 1);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        RoundedRect(cr, 4.5, 2.5, 25, 21, 4);
        cairo_set_source_rgba(cr, 0, 0, 0, 0);
    }
    cairo_fill(cr);
    cairo_move_to(cr, 10, 13);
    cairo_line_to(cr, 15, 18.5);
    cairo_line_to(cr, 25, 6.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 3.2);
    SetColour(cr, selected ? Hex(0xB0140C) : Hex(0x1B7A3C));
    cairo_stroke(cr);
}

constexpr double kRoadWindowW = 501;
constexpr double kRoadWindowH = 390;

TextStyle RoadTitleStyle() {
    TextStyle title = HeiStyle(17, Hex(0x5A1A06));
    title.outlineColour = Hex(0xFFF3C0);
    title.outlineAlpha = 0.7;
    return title;
}

// Ivory road paper in a gold frame with a golden title band (the band is the drag handle).
void DrawRoadPaper(cairo_t* cr, const char* caption) {
    constexpr double w = kRoadWindowW;
    constexpr double h = kRoadWindowH;
    cairo_rectangle(cr, 0, 0, w, h);
    PatternPtr paper = VerticalPattern(0, h, Hex(0xFBF6E6), Hex(0xEEE4C6));
    cairo_set_source(cr, paper.get());
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 0, w, 35);
    PatternPtr band = GoldPattern(0, 35);
    cairo_set_source(cr, band.get());
    cairo_fill(cr);
    HLine(cr, 0, w, 35, 0.9);
    DrawText(cr, caption, 240, 17.5, Align::Centre, RoadTitleStyle());
    cairo_rectangle(cr, 1, 1, w - 2, h - 2);
    SetColour(cr, palette::kGoldDark);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void DrawRoadBack(cairo_t* cr) {
    DrawRoadPaper(cr, "路  子  走  势");

    // Three counter boxes: captions right-aligned just before the count labels at x 72, 225, 378.
    const struct {
        const char* caption;
        Colour colour;
    } boxes[] = {{"闲:", Hex(0x1F5FD6)}, {"和:", Hex(0x16A040)}, {"庄:", Hex(0xD62A20)}};
    for (int k = 0; k < 3; ++k) {
        const double x = 14 + 153 * k;
        RoundedRect(cr, x + 0.5, 38.5, 146, 21, 4);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill_preserve(cr);
        SetColour(cr, boxes[k].colour);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        TextStyle caption = HeiStyle(14, boxes[k].colour);
        caption.outline = 0;
        DrawText(cr, boxes[k].caption, x + 56, 49, Align::Right, caption);
    }
    const char* lower[] = {"闲对子:", "庄对子:", "闲天王:", "庄天王:"};
    for (int k = 0; k < 4; ++k) {
        TextStyle caption = HeiStyle(12.5, Hex(0x4A3210));
        caption.outline = 0;
        DrawText(cr, lower[k], 73 + 121 * k, 71.5, Align::Right, caption);
    }

    // Column road: 29 × 6 cells of 16 from (16, 82).
    cairo_rectangle(cr, 16, 82, 29 * 16 + 1, 6 * 16 + 1);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    cairo_set_source_rgba(cr, 0.55, 0.6, 0.55, 0.6);
    for (int c = 0; c <= 29; ++c) {
        cairo_move_to(cr, 16.5 + 16 * c, 82);
        cairo_line_to(cr, 16.5 + 16 * c, 179);
    }
    for (int r = 0; r <= 6; ++r) {
        cairo_move_to(cr, 16, 82.5 + 16 * r);
        cairo_line_to(cr, 481, 82.5 + 16 * r);
    }
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);

    // Bead plate: 15 × 6 cells of 31 from (15, 185).
    cairo_rectangle(cr, 15, 185, 15 * 31 + 1, 6 * 31 + 1);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    for (int c = 0; c <= 15; ++c) {
        cairo_move_to(cr, 15.5 + 31 * c, 185);
        cairo_line_to(cr, 15.5 + 31 * c, 185 + 187);
    }
    for (int r = 0; r <= 6; ++r) {
        cairo_move_to(cr, 15, 185.5 + 31 * r);
        cairo_line_to(cr, 15 + 466, 185.5 + 31 * r);
    }
    cairo_set_source_rgba(cr, 0.45, 0.5, 0.45, 0.75);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    SetColour(cr, palette::kGoldDark);
    cairo_set_line_width(cr, 1.5);
    cairo_rectangle(cr, 16, 82, 465, 97);
    cairo_rectangle(cr, 15, 185, 466, 187);
    cairo_stroke(cr);
}

// A white grid of `columns` × 6 cells of `step` pixels from (x, y), every second line stronger on the
// fine grids so that a player can count pairs of cells.
void DrawRoadGrid(cairo_t* cr, double x, double y, int columns, double step) {
    const double w = columns * step;
    const double h = 6 * step;
    cairo_rectangle(cr, x, y, w + 1, h + 1);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    const bool fine = step < 12;
    for (int pass = 0; pass < (fine ? 2 : 1); ++pass) {
        const int every = fine && pass == 1 ? 2 : 1;
        for (int c = 0; c <= columns; c += every) {
            cairo_move_to(cr, x + 0.5 + step * c, y);
            cairo_line_to(cr, x + 0.5 + step * c, y + h + 1);
        }
        for (int r = 0; r <= 6; r += every) {
            cairo_move_to(cr, x, y + 0.5 + step * r);
            cairo_line_to(cr, x + w + 1, y + 0.5 + step * r);
        }
        if (fine && pass == 0)
            cairo_set_source_rgba(cr, 0.55, 0.6, 0.55, 0.3);
        else
            cairo_set_source_rgba(cr, 0.5, 0.55, 0.5, 0.65);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    SetColour(cr, palette::kGoldDark);
    cairo_set_line_width(cr, 1.5);
    cairo_rectangle(cr, x, y, w + 1, h + 1);
    cairo_stroke(cr);
}

// The roads page: the big road (26 × 6 cells of 16 from (62, 42)), the three derived roads (52 × 6
// cells of 8 from x 62, at y 146, 200 and 254) with their names on the left, and below them two ask
// strips (at (160, 322) and (160, 354): one big-road cell and three derived-road cells of 18) beside the
// two ask buttons.
void DrawRoadsBack(cairo_t* cr) {
    DrawRoadPaper(cr, "大  路  ·  问  路");
    DrawRoadGrid(cr, 62, 42, 26, 16);
    const double derivedTops[] = {146, 200, 254};
    for (double top : derivedTops)
        DrawRoadGrid(cr, 62, top, 52, 8);
    const struct {
        const char* name;
        double cy;
    } names[] = {{"大路", 90.5}, {"大眼仔", 170.5}, {"小路", 224.5}, {"曱甴路", 278.5}};
    for (const auto& name : names) {
        TextStyle caption = HeiStyle(13, Hex(0x4A3210));
        caption.outline = 0;
        DrawText(cr, name.name, 56, name.cy, Align::Right, caption);
    }
    HLine(cr, 14, kRoadWindowW - 14, 310, 0.6);
    for (double top : {322.0, 354.0}) {
        cairo_rectangle(cr, 160, top, 4 * 18 + 1, 18 + 1);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill(cr);
        for (int c = 1; c < 4; ++c) {
            cairo_move_to(cr, 160.5 + 18 * c, top);
            cairo_line_to(cr, 160.5 + 18 * c, top + 19);
        }
        cairo_set_source_rgba(cr, 0.5, 0.55, 0.5, 0.65);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        SetColour(cr, palette::kGoldDark);
        cairo_set_line_width(cr, 1.5);
        cairo_rectangle(cr, 160, top, 4 * 18 + 1, 18 + 1);
        cairo_stroke(cr);
    }
}

// The first page's title turns into the way to the roads page: at rest the button is the very band
// it lies on, so that page keeps its look; under the mouse it lights up and says where it leads.
constexpr double kRoadPageButtonX = 186;
constexpr double kRoadPageButtonY = 4;

void DrawRoadPageButton(cairo_t* cr, double w, double h, bool lit, bool pressed) {
    cairo_save(cr);
    cairo_translate(cr, -kRoadPageButtonX, -kRoadPageButtonY);
    DrawRoadBack(cr);
    cairo_restore(cr);
    if (!lit) return;
    RoundedRect(cr, 1.5, 1.5, w - 3, h - 3, 7);
    cairo_set_source_rgba(cr, 1, 0.97, 0.84, pressed ? 0.85 : 0.95);
    cairo_fill_preserve(cr);
    SetColour(cr, palette::kGoldDark);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    TextStyle caption = RoadTitleStyle();
    caption.size = 14;
    const double press = pressed ? 1 : 0;
    DrawText(cr, "大路 · 问路 ▶", w / 2 + press, h / 2 + press, Align::Centre, caption);
}

void DrawBigRoadRing(cairo_t* cr, Colour colour) {
    cairo_arc(cr, 8.5, 8.5, 6.3, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_fill_preserve(cr);
    SetColour(cr, colour);
    cairo_set_line_width(cr, 2.3);
    cairo_stroke(cr);
}

void DrawTieStroke(cairo_t* cr) {
    cairo_move_to(cr, 3.5, 13.5);
    cairo_line_to(cr, 13.5, 3.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, Hex(0x16A040));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

enum class DerivedForm { Ring, Dot, Slash };

void DrawDerivedMark(cairo_t* cr, DerivedForm form, Colour colour) {
    SetColour(cr, colour);
    switch (form) {
    case DerivedForm::Ring:
        cairo_arc(cr, 4.5, 4.5, 3.1, 0, 2 * kPi);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        break;
    case DerivedForm::Dot:
        cairo_arc(cr, 4.5, 4.5, 3.6, 0, 2 * kPi);
        cairo_fill(cr);
        break;
    case DerivedForm::Slash:
        cairo_move_to(cr, 1.6, 7.4);
        cairo_line_to(cr, 7.4, 1.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, 1.9);
        cairo_stroke(cr);
        break;
    }
}

void AddRoadsPagePictures(PictureSet& set) {
    set.Add("TBALEROADS", 501, 390, DrawRoadsBack);
    constexpr int w = 108;
    constexpr int h = 27;
    set.Add("ROADPAGECOMM", w, h, [](cairo_t* cr) { DrawRoadPageButton(cr, w, h, false, false); });
    set.Add("ROADPAGEMOVE", w, h, [](cairo_t* cr) { DrawRoadPageButton(cr, w, h, true, false); });
    set.Add("ROADPAGEDOWN", w, h, [](cairo_t* cr) { DrawRoadPageButton(cr, w, h, true, true); });
    const Colour red = Hex(0xD62A20);
    const Colour blue = Hex(0x1F5FD6);
    set.Add("RBIGLAND", 17, 17, [red](cairo_t* cr) { DrawBigRoadRing(cr, red); });
    set.Add("RBIGIDLE", 17, 17, [blue](cairo_t* cr) { DrawBigRoadRing(cr, blue); });
    set.Add("RBIGTIE", 17, 17, DrawTieStroke);
    const struct {
        const char* name;
        DerivedForm form;
    } roads[] = {
        {"RBIGEYE", DerivedForm::Ring}, {"RSMALL", DerivedForm::Dot}, {"RROACH", DerivedForm::Slash}};
    for (const auto& road : roads) {
        const DerivedForm form = road.form;
        set.Add(std::string(road.name) + "RED", 9, 9, [=](cairo_t* cr) { DrawDerivedMark(cr, form, red); });
        set.Add(std::string(road.name) + "BLUE", 9, 9, [=](cairo_t* cr) { DrawDerivedMark(cr, form, blue); });
    }
}

} // namespace

void AddBarPictures(PictureSet& set) {
    set.Add("TBALEBACK", 501, 390, DrawRoadBack);
    AddRoadsPagePictures(set);
    set.Add("BLL_TOPINFO0", 784, 133, DrawTopInfo);
    set.Add("BLL_BOTTOMINFO", 791, 105, DrawBottomInfo, PixelFormat::Rgb);
    set.Add(
        "BLL_CHECKINFO", 34, 26, [](cairo_t* cr) { DrawCheck(cr, false); }, PixelFormat::Rgb);
    set.Add(
        "BLL_SELCHECKINFO", 34, 26, [](cairo_t* cr) { DrawCheck(cr, true); }, PixelFormat::Rgb);
}

} // namespace artgen
