#include "Pictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace artgen {

namespace {

constexpr double kPi = std::numbers::pi;

// Board layout, in the board picture's own pixels. The highlight pictures are laid over these fields,
// and the card tray picture over the two trays, so the rectangles follow their positions on the table.
struct Field {
    double x, y, w, h;
};
constexpr Field kPlayerPair{4, 33, 235, 75};
constexpr Field kPlayerMain{4, 112, 235, 170};
constexpr Field kPlayerKing{4, 286, 235, 72};
constexpr Field kTieMain{242, 176, 280, 106};
constexpr Field kTieKing{242, 286, 280, 72};
constexpr Field kBankerPair{526, 33, 229, 75};
constexpr Field kBankerMain{526, 112, 229, 170};
constexpr Field kBankerKing{526, 286, 229, 72};
constexpr Field kPlayerTray{247, 6, 134, 164};
constexpr Field kBankerTray{385, 6, 134, 164};

TextStyle CaptionStyle(double size, Colour fill) {
    TextStyle style;
    style.family = fonts::kHei;
    style.size = size;
    style.bold = true;
    style.fill = fill;
    style.outline = size > 30 ? 2.2 : 1.2;
    style.outlineColour = Hex(0x1A0F02);
    style.outlineAlpha = 0.7;
    style.shadow = size > 30 ? 2 : 1;
    return style;
}

TextStyle GoldTextStyle(double size, cairo_pattern_t* gold) {
    TextStyle style = CaptionStyle(size, palette::kGold);
    style.fillPattern = gold;
    return style;
}

void DrawField(cairo_t* cr, const Field& f, Colour tint) {
    RoundedRect(cr, f.x, f.y, f.w, f.h, 9);
    PatternPtr fill = VerticalPattern(f.y, f.y + f.h, Mix(palette::kFeltLight, tint, 0.12),
                                      Mix(palette::kFelt, tint, 0.1), 0.55);
    cairo_set_source(cr, fill.get());
    cairo_fill(cr);
    // A thin inner line gives the printed-cloth look of a real layout.
    RoundedRect(cr, f.x + 4.5, f.y + 4.5, f.w - 9, f.h - 9, 6);
    cairo_set_source_rgba(cr, 1, 0.93, 0.65, 0.22);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    GoldFrame(cr, f.x, f.y, f.w, f.h, 9, 2.2);
}

// A big field caption: the side's character with its payout beside it.
void BigCaption(cairo_t* cr, const char* character, Colour colour, const char* payout, double cx, double cy) {
    TextStyle big = CaptionStyle(62, colour);
    big.outlineColour = Hex(0xFFF4C0);
    big.outlineAlpha = 0.95;
    big.outline = 2.0;
    DrawText(cr, character, cx, cy, Align::Centre, big);
    PatternPtr gold = GoldPattern(cy - 10, cy + 14);
    TextStyle odds = GoldTextStyle(24, gold.get());
    DrawText(cr, payout, cx + 36, cy + 10, Align::Left, odds);
}

// A side-field caption, right-aligned, leaving the middle of the field to the amounts.
void SideCaption(cairo_t* cr, const char* name, Colour colour, const char* payout, double right, double cy) {
    PatternPtr gold = GoldPattern(cy - 8, cy + 8);
    TextStyle odds = GoldTextStyle(17, gold.get());
    const double oddsWidth = TextWidth(cr, payout, odds);
    DrawText(cr, payout, right, cy + 1, Align::Right, odds);
    TextStyle caption = CaptionStyle(21, colour);
    caption.outlineColour = Hex(0xFFF4C0);
    caption.outlineAlpha = 0.9;
    caption.outline = 1.3;
    DrawText(cr, name, right - oddsWidth - 4, cy, Align::Right, caption);
}

// A King-field caption: the player's own stake runs along the caption's line from the left and may have
// seven digits, and the region total above it as many, so the name stands alone at the right end of that
// line and the payout above it, in the corner between the two numbers.
void KingCaption(cairo_t* cr, const char* name, Colour colour, const char* payout, double right, double cy) {
    constexpr double kPayoutRise = 17;
    PatternPtr gold = GoldPattern(cy - kPayoutRise - 7, cy - kPayoutRise + 7);
    DrawText(cr, payout, right, cy - kPayoutRise, Align::Right, GoldTextStyle(15, gold.get()));
    TextStyle caption = CaptionStyle(16, colour);
    caption.outlineColour = Hex(0xFFF4C0);
    caption.outlineAlpha = 0.9;
    caption.outline = 1.2;
    DrawText(cr, name, right, cy, Align::Right, caption);
}

void DrawTray(cairo_t* cr, const Field& tray, const char* side, Colour colour) {
    RoundedRect(cr, tray.x, tray.y, tray.w, tray.h, 8);
    cairo_set_source_rgba(cr, 0, 0.08, 0.02, 0.28);
    cairo_fill(cr);
    const double dashes[] = {5, 3};
    cairo_set_dash(cr, dashes, 2, 0);
    RoundedRect(cr, tray.x + 6, tray.y + 30, tray.w - 12, tray.h - 36, 6);
    cairo_set_source_rgba(cr, 1, 0.9, 0.6, 0.45);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    GoldFrame(cr, tray.x, tray.y, tray.w, tray.h, 8, 1.6);
    TextStyle label = CaptionStyle(20, colour);
    label.outlineColour = Hex(0xFFF4C0);
    label.outlineAlpha = 0.9;
    DrawText(cr, side, tray.x + tray.w / 2, tray.y + 16, Align::Centre, label);
}

void DrawBoard(cairo_t* cr) {
    // The board cloth with a rail of gold around it.
    RoundedRect(cr, 1.5, 1.5, 756, 360, 16);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    PaintFelt(cr, 0, 0, 759, 363, Hex(0x2A9450), Hex(0x14602F), 11);
    cairo_restore(cr);
    GoldFrame(cr, 1.5, 1.5, 756, 360, 16, 3);

    DrawField(cr, kPlayerPair, palette::kPlayer);
    DrawField(cr, kPlayerMain, palette::kPlayer);
    DrawField(cr, kPlayerKing, palette::kPlayer);
    DrawField(cr, kTieMain, palette::kTie);
    DrawField(cr, kTieKing, palette::kTie);
    DrawField(cr, kBankerPair, palette::kBanker);
    DrawField(cr, kBankerMain, palette::kBanker);
    DrawField(cr, kBankerKing, palette::kBanker);

    DrawTray(cr, kPlayerTray, "闲", palette::kPlayer);
    DrawTray(cr, kBankerTray, "庄", palette::kBanker);

    // A gold filigree across the top of each side: a rule with a diamond in its middle.
    PatternPtr gold = GoldPattern(12, 26);
    for (double cx : {121.0, 640.0}) {
        cairo_move_to(cr, cx - 100, 18.5);
        cairo_line_to(cr, cx - 9, 18.5);
        cairo_move_to(cr, cx + 9, 18.5);
        cairo_line_to(cr, cx + 100, 18.5);
        cairo_set_source(cr, gold.get());
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        cairo_move_to(cr, cx, 12);
        cairo_line_to(cr, cx + 6, 18.5);
        cairo_line_to(cr, cx, 25);
        cairo_line_to(cr, cx - 6, 18.5);
        cairo_close_path(cr);
        cairo_fill(cr);
        for (double side : {-1.0, 1.0}) {
            cairo_arc(cr, cx + side * 103, 18.5, 2.2, 0, 2 * kPi);
            cairo_fill(cr);
        }
    }

    // The captions keep clear of the numbers the table draws on each field: the region total and, below
    // it, the player's own stake. In the low pair fields the caption goes above both.
    BigCaption(cr, "闲", palette::kPlayer, "×2", 106, 216);
    BigCaption(cr, "和", palette::kTie, "×9", 300, 232);
    BigCaption(cr, "庄", palette::kBanker, "×2", 625, 216);

    SideCaption(cr, "闲对子", palette::kPlayer, "×12", 230, 46);
    SideCaption(cr, "庄对子", palette::kBanker, "×12", 746, 46);
    KingCaption(cr, "闲天王", palette::kPlayer, "×3", 233, 345);
    KingCaption(cr, "同点和", palette::kTie, "×33", 516, 345);
    KingCaption(cr, "庄天王", palette::kBanker, "×3", 749, 345);
}

void DrawFeltBackground(cairo_t* cr) {
    PaintFelt(cr, 0, 0, 1024, 734, Hex(0x2C9A53), Hex(0x0C4822), 3);
    // Darker right-hand side behind the hall panels, divided from the table by a gold line.
    PatternPtr side{cairo_pattern_create_linear(800, 0, 1024, 0)};
    cairo_pattern_add_color_stop_rgba(side.get(), 0, 0, 0.05, 0.01, 0.45);
    cairo_pattern_add_color_stop_rgba(side.get(), 1, 0, 0.03, 0.0, 0.3);
    cairo_rectangle(cr, 800, 28, 224, 706);
    cairo_set_source(cr, side.get());
    cairo_fill(cr);
    PatternPtr gold = GoldPattern(28, 734);
    cairo_rectangle(cr, 799, 28, 1.5, 700);
    cairo_set_source(cr, gold.get());
    cairo_fill(cr);

    // Title band.
    PatternPtr band = VerticalPattern(0, 28, Hex(0x123D22), Hex(0x06200F));
    cairo_rectangle(cr, 0, 0, 1024, 28);
    cairo_set_source(cr, band.get());
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 27, 1024, 1.5);
    cairo_set_source(cr, gold.get());
    cairo_fill(cr);

    // Vignette towards the edges of the cloth.
    PatternPtr vignette{cairo_pattern_create_radial(400, 380, 250, 400, 380, 720)};
    cairo_pattern_add_color_stop_rgba(vignette.get(), 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(vignette.get(), 1, 0, 0, 0, 0.35);
    cairo_rectangle(cr, 0, 28, 800, 706);
    cairo_set_source(cr, vignette.get());
    cairo_fill(cr);

    // The light frame just inside the window's shaped edge.
    RoundedRect(cr, 6.5, 6.5, 1011, 721, 10);
    cairo_set_source_rgba(cr, 0.98, 0.93, 0.74, 0.95);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    RoundedRect(cr, 10.5, 10.5, 1003, 713, 8);
    cairo_set_source(cr, gold.get());
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_rectangle(cr, 0, 0, 1024, 734);
    cairo_rectangle(cr, 5, 5, 1014, 724);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_set_source_rgb(cr, 0.04, 0.12, 0.06);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void DrawBeam(cairo_t* cr) {
    // A padded leather rail with gold piping, on which the chip and phase pictures rest.
    RoundedRect(cr, 1, 2, 791, 36, 18);
    PatternPtr leather{cairo_pattern_create_linear(0, 2, 0, 38)};
    AddStop(leather.get(), 0, Hex(0x8A4A22));
    AddStop(leather.get(), 0.25, Hex(0x6B3315));
    AddStop(leather.get(), 0.7, Hex(0x4A200B));
    AddStop(leather.get(), 1, Hex(0x2A1205));
    cairo_set_source(cr, leather.get());
    cairo_fill(cr);
    // Stitched seam along the middle.
    const double dashes[] = {4, 3};
    cairo_set_dash(cr, dashes, 2, 0);
    cairo_move_to(cr, 20, 20.5);
    cairo_line_to(cr, 772, 20.5);
    cairo_set_source_rgba(cr, 1, 0.85, 0.55, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    // Sheen on the top of the rail.
    RoundedRect(cr, 10, 5, 773, 10, 5);
    PatternPtr sheen = VerticalPattern(5, 15, {1, 1, 1}, {1, 1, 1}, 0.18);
    cairo_pattern_destroy(sheen.release());
    sheen.reset(cairo_pattern_create_linear(0, 5, 0, 15));
    cairo_pattern_add_color_stop_rgba(sheen.get(), 0, 1, 0.95, 0.85, 0.28);
    cairo_pattern_add_color_stop_rgba(sheen.get(), 1, 1, 0.95, 0.85, 0.0);
    cairo_set_source(cr, sheen.get());
    cairo_fill(cr);
    GoldFrame(cr, 1, 2, 791, 36, 18, 2.2);
}

void DrawTuoPan(cairo_t* cr) {
    // Leather tray with two felt card areas under golden plates; the point labels sit on the plates.
    RoundedRect(cr, 1.5, 1.5, 277, 171, 12);
    PatternPtr leather = VerticalPattern(0, 174, Hex(0x5C2E12), Hex(0x2E1406), 0.95);
    cairo_set_source(cr, leather.get());
    cairo_fill(cr);
    GoldFrame(cr, 1.5, 1.5, 277, 171, 12, 2.4);
    const struct {
        double x;
        const char* side;
        Colour colour;
    } halves[] = {{8, "闲", palette::kPlayer}, {144, "庄", palette::kBanker}};
    for (const auto& half : halves) {
        RoundedRect(cr, half.x, 38, 128, 128, 8);
        cairo_save(cr);
        cairo_clip_preserve(cr);
        PaintFelt(cr, half.x, 38, 128, 128, Hex(0x2A9A50), Hex(0x125E2C), half.x > 100 ? 5u : 4u);
        cairo_restore(cr);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        GoldFrame(cr, half.x, 38, 128, 128, 8, 1.2);

        // Golden plate.
        RoundedRect(cr, half.x + 2, 6, 124, 26, 6);
        PatternPtr plate = GoldPattern(6, 32);
        cairo_set_source(cr, plate.get());
        cairo_fill_preserve(cr);
        cairo_set_source_rgba(cr, 0.35, 0.22, 0.02, 0.9);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        RoundedRect(cr, half.x + 5, 9, 118, 20, 4);
        cairo_set_source_rgba(cr, 1, 1, 0.9, 0.5);
        cairo_stroke(cr);
        // The side's badge at the left end of the plate, clear of the centred point label.
        cairo_arc(cr, half.x + 14, 19, 8.5, 0, 2 * kPi);
        SetColour(cr, half.colour);
        cairo_fill_preserve(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        TextStyle badge = CaptionStyle(12, {1, 1, 1});
        badge.outline = 0;
        badge.shadow = 0;
        DrawInkCentred(cr, half.side, half.x + 14, 19, badge);
    }
}

void DrawCaluture(cairo_t* cr) {
    RoundedRect(cr, 1, 1, 267, 101, 8);
    PatternPtr body = VerticalPattern(0, 103, Hex(0x2A1708), Hex(0x120903), 0.88);
    cairo_set_source(cr, body.get());
    cairo_fill(cr);
    // Header row tinted gold.
    cairo_save(cr);
    RoundedRect(cr, 1, 1, 267, 101, 8);
    cairo_clip(cr);
    cairo_rectangle(cr, 0, 0, 269, 34);
    cairo_set_source_rgba(cr, 0.9, 0.65, 0.15, 0.22);
    cairo_fill(cr);
    cairo_restore(cr);
    PatternPtr gold = GoldPattern(0, 103);
    cairo_set_source(cr, gold.get());
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, 4, 34.5);
    cairo_line_to(cr, 265, 34.5);
    cairo_move_to(cr, 4, 68.5);
    cairo_line_to(cr, 265, 68.5);
    cairo_move_to(cr, 148.5, 4);
    cairo_line_to(cr, 148.5, 99);
    cairo_stroke(cr);
    GoldFrame(cr, 1.5, 1.5, 266, 100, 8, 2.4);
}

void DrawNoLand(cairo_t* cr) {
    RoundedRect(cr, 1.5, 1.5, 182, 40, 10);
    PatternPtr body = VerticalPattern(0, 43, Hex(0x7A1410), Hex(0x3A0604), 0.92);
    cairo_set_source(cr, body.get());
    cairo_fill(cr);
    GoldFrame(cr, 1.5, 1.5, 182, 40, 10, 2);
    PatternPtr gold = GoldPattern(10, 33);
    TextStyle text = GoldTextStyle(20, gold.get());
    DrawText(cr, "【无人坐庄】", 92.5, 21.5, Align::Centre, text);
}

void DrawBetCaption(cairo_t* cr) {
    RoundedRect(cr, 0.5, 1.5, 51, 16, 5);
    cairo_set_source_rgba(cr, 0, 0.06, 0.02, 0.55);
    cairo_fill(cr);
    TextStyle text = CaptionStyle(12, Hex(0xFFE9A0));
    text.outline = 0.8;
    text.shadow = 0;
    DrawText(cr, "已押值:", 26, 9.5, Align::Centre, text);
}

void DrawFan(cairo_t* cr, double w, double h, int cards, double cardW, double cardH, double spread) {
    // Fan the cards around a point below them on a recording surface, then fit the whole fan into the
    // picture, so no card is cut at an edge whatever the spread.
    cairo_surface_t* recording = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
    {
        ContextPtr fan{cairo_create(recording)};
        const double pivotY = cardH * 2.2;
        for (int i = 0; i < cards; ++i) {
            const double t = cards == 1 ? 0 : (static_cast<double>(i) / (cards - 1) - 0.5);
            cairo_save(fan.get());
            cairo_translate(fan.get(), 0, pivotY);
            cairo_rotate(fan.get(), t * spread);
            cairo_translate(fan.get(), -cardW / 2, -pivotY);
            RoundedRect(fan.get(), 1.2, 1.5, cardW, cardH, 2);
            cairo_set_source_rgba(fan.get(), 0, 0, 0, 0.3);
            cairo_fill(fan.get());
            DrawCardBack(fan.get(), 0, 0, cardW, cardH);
            cairo_restore(fan.get());
        }
    }
    double x0 = 0, y0 = 0, fw = 0, fh = 0;
    cairo_recording_surface_ink_extents(recording, &x0, &y0, &fw, &fh);
    const double scale = std::min((w - 2) / fw, (h - 2) / fh);
    cairo_save(cr);
    cairo_translate(cr, (w - fw * scale) / 2, (h - fh * scale) / 2);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, recording, -x0, -y0);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(recording);
}

} // namespace

void DrawCardBack(cairo_t* cr, double x, double y, double w, double h) {
    const double radius = std::max(2.0, w * 0.08);
    cairo_save(cr);
    RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius);
    cairo_set_source_rgb(cr, 0.99, 0.98, 0.95);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.2, 0.2, 0.2, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);

    const double inset = std::max(2.0, w * 0.075);
    const double ix = x + inset;
    const double iy = y + inset;
    const double iw = w - 2 * inset;
    const double ih = h - 2 * inset;
    RoundedRect(cr, ix, iy, iw, ih, radius * 0.6);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    PatternPtr red = VerticalPattern(iy, iy + ih, Hex(0xB8232E), Hex(0x7E1019));
    cairo_set_source(cr, red.get());
    cairo_fill(cr);
    // Diamond lattice.
    const double step = std::max(4.0, w / 9);
    cairo_set_line_width(cr, std::max(0.6, w / 90));
    for (double d = -ih; d < iw + ih; d += step) {
        cairo_move_to(cr, ix + d, iy);
        cairo_line_to(cr, ix + d + ih, iy + ih);
        cairo_move_to(cr, ix + d, iy + ih);
        cairo_line_to(cr, ix + d + ih, iy);
    }
    cairo_set_source_rgba(cr, 1, 0.8, 0.75, 0.35);
    cairo_stroke(cr);
    // Gold medallion in the middle.
    const double mr = std::min(iw, ih) * 0.28;
    cairo_arc(cr, ix + iw / 2, iy + ih / 2, mr, 0, 2 * kPi);
    PatternPtr gold = GoldPattern(iy + ih / 2 - mr, iy + ih / 2 + mr);
    cairo_set_source(cr, gold.get());
    cairo_fill(cr);
    cairo_arc(cr, ix + iw / 2, iy + ih / 2, mr * 0.78, 0, 2 * kPi);
    SetColour(cr, Hex(0x8E1820));
    cairo_fill(cr);
    Star(cr, ix + iw / 2, iy + ih / 2, mr * 0.62, mr * 0.26, 8);
    cairo_set_source(cr, gold.get());
    cairo_fill(cr);
    cairo_restore(cr);
    RoundedRect(cr, ix, iy, iw, ih, radius * 0.6);
    PatternPtr frame = GoldPattern(iy, iy + ih);
    cairo_set_source(cr, frame.get());
    cairo_set_line_width(cr, std::max(0.8, w / 50));
    cairo_stroke(cr);
    cairo_restore(cr);
}

void AddTablePictures(PictureSet& set) {
    set.Add("MAINBIGIMAGE", 1024, 734, DrawFeltBackground);
    set.Add("MAINBETREGPNG", 759, 363, DrawBoard);
    set.Add("MAINBEAM", 793, 40, DrawBeam);
    set.Add("BLL_TUOPAN", 280, 174, DrawTuoPan);
    set.Add("BLL_CALUTURE", 269, 103, DrawCaluture);
    set.Add("BLL_NOLAND", 185, 43, DrawNoLand);
    set.Add("BETPNGCAPTION", 52, 19, DrawBetCaption);
    set.Add("QUEST1", 173, 37, [](cairo_t* cr) { DrawFan(cr, 173, 37, 9, 22, 32, 1.5); });
    set.Add("QUEST2", 190, 53, [](cairo_t* cr) { DrawFan(cr, 190, 53, 9, 30, 44, 1.4); });
}

} // namespace artgen
