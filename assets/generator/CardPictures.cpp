#include "Pictures.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace artgen {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kCardW = 73;
constexpr int kCardH = 98;

const Colour kRed = Hex(0xC8102E);
const Colour kBlack = Hex(0x16161C);

struct SuitInfo {
    char letter;
    Suit suit;
    bool red;
};

constexpr SuitInfo kSuits[] = {{'C', Suit::Clubs, false},
                               {'D', Suit::Diamonds, true},
                               {'H', Suit::Hearts, true},
                               {'S', Suit::Spades, false}};

struct RankInfo {
    const char* code;  // in the picture name
    const char* label; // printed in the corners
    int pips;          // 1 for the ace, 0 for the court cards
};

constexpr RankInfo kRanks[] = {{"20", "2", 2},    {"30", "3", 3}, {"40", "4", 4}, {"50", "5", 5},
                               {"60", "6", 6},    {"70", "7", 7}, {"80", "8", 8}, {"90", "9", 9},
                               {"100", "10", 10}, {"A0", "A", 1}, {"J0", "J", 0}, {"Q0", "Q", 0},
                               {"K0", "K", 0}};

void CardBlank(cairo_t* cr) {
    RoundedRect(cr, 0.5, 0.5, kCardW - 1, kCardH - 1, 5);
    PatternPtr paper = VerticalPattern(0, kCardH, Hex(0xFFFFFF), Hex(0xF1EEE6));
    cairo_set_source(cr, paper.get());
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.25, 0.25, 0.25, 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void FillSuit(cairo_t* cr, const SuitInfo& suit, double cx, double cy, double size, bool upsideDown = false) {
    cairo_save(cr);
    if (upsideDown) {
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, kPi);
        cairo_translate(cr, -cx, -cy);
    }
    SuitPath(cr, suit.suit, cx, cy, size);
    SetColour(cr, suit.red ? kRed : kBlack);
    cairo_fill(cr);
    cairo_restore(cr);
}

// Rank and suit in the top-left corner, and the same turned around in the bottom-right one.
void CornerIndices(cairo_t* cr, const SuitInfo& suit, const RankInfo& rank) {
    TextStyle index;
    index.family = fonts::kSerif;
    index.bold = true;
    index.size = rank.label[1] != '\0' ? 12.5 : 15;
    index.fill = suit.red ? kRed : kBlack;
    for (int corner = 0; corner < 2; ++corner) {
        cairo_save(cr);
        if (corner == 1) {
            cairo_translate(cr, kCardW, kCardH);
            cairo_rotate(cr, kPi);
        }
        if (rank.label[1] != '\0') {
            // "10" is squeezed so that it stays inside the margin.
            cairo_save(cr);
            cairo_translate(cr, 9.5, 11);
            cairo_scale(cr, 0.78, 1);
            DrawInkCentred(cr, rank.label, 0, 0, index);
            cairo_restore(cr);
        } else {
            DrawInkCentred(cr, rank.label, 9.5, 11, index);
        }
        FillSuit(cr, suit, 9.5, 24.5, 9);
        cairo_restore(cr);
    }
}

void PipCard(cairo_t* cr, const SuitInfo& suit, int pips) {
    constexpr double left = 24;
    constexpr double mid = 36.5;
    constexpr double right = 49;
    constexpr double top = 19;
    constexpr double bottom = 79;
    constexpr double centre = (top + bottom) / 2;
    const double third = (bottom - top) / 3;
    struct Pip {
        double x, y;
    };
    std::vector<Pip> at;
    auto pair = [&](double y) {
        at.push_back({left, y});
        at.push_back({right, y});
    };
    switch (pips) {
    case 2:
        at = {{mid, top}, {mid, bottom}};
        break;
    case 3:
        at = {{mid, top}, {mid, centre}, {mid, bottom}};
        break;
    case 4:
        pair(top);
        pair(bottom);
        break;
    case 5:
        pair(top);
        pair(bottom);
        at.push_back({mid, centre});
        break;
    case 6:
        pair(top);
        pair(centre);
        pair(bottom);
        break;
    case 7:
        pair(top);
        pair(centre);
        pair(bottom);
        at.push_back({mid, (top + centre) / 2});
        break;
    case 8:
        pair(top);
        pair(centre);
        pair(bottom);
        at.push_back({mid, (top + centre) / 2});
        at.push_back({mid, (centre + bottom) / 2});
        break;
    case 9:
        pair(top);
        pair(top + third);
        pair(top + 2 * third);
        pair(bottom);
        at.push_back({mid, centre});
        break;
    case 10:
        pair(top);
        pair(top + third);
        pair(top + 2 * third);
        pair(bottom);
        at.push_back({mid, top + third / 2});
        at.push_back({mid, bottom - third / 2});
        break;
    default:
        break;
    }
    const double size = pips >= 9 ? 14 : 15.5;
    for (const Pip& pip : at)
        FillSuit(cr, suit, pip.x, pip.y, size, pip.y > centre + 0.5);
}

void AceCard(cairo_t* cr, const SuitInfo& suit) {
    // A ring of gold behind the large suit gives the ace its weight.
    cairo_arc(cr, 36.5, 49, 23, 0, 2 * kPi);
    PatternPtr halo{cairo_pattern_create_radial(36.5, 49, 10, 36.5, 49, 23)};
    cairo_pattern_add_color_stop_rgba(halo.get(), 0, 1, 0.93, 0.7, 0.0);
    cairo_pattern_add_color_stop_rgba(halo.get(), 1, 1, 0.85, 0.45, 0.55);
    cairo_set_source(cr, halo.get());
    cairo_fill(cr);
    cairo_arc(cr, 36.5, 49, 23, 0, 2 * kPi);
    PatternPtr gold = GoldPattern(26, 72);
    cairo_set_source(cr, gold.get());
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    FillSuit(cr, suit, 36.5, 49, 32);
}

// One half of a court figure, drawn upright in the top half of the frame; the other half is the same
// turned around, as on real cards.
void CourtHalf(cairo_t* cr, const SuitInfo& suit, char rank) {
    const Colour robe = suit.red ? Hex(0xB3202B) : Hex(0x1F4E9A);
    const Colour trim = suit.red ? Hex(0x1F4E9A) : Hex(0xB3202B);
    const Colour skin = Hex(0xF4D2B0);
    const Colour hair = rank == 'Q' ? Hex(0xC98A2B) : Hex(0x5A3A1E);

    // Robe: square shoulders falling to the middle of the card, with sleeves of the trim colour.
    cairo_move_to(cr, 19, 49);
    cairo_line_to(cr, 20, 39);
    cairo_curve_to(cr, 21, 35, 25, 33.5, 30, 33);
    cairo_line_to(cr, 43, 33);
    cairo_curve_to(cr, 48, 33.5, 52, 35, 53, 39);
    cairo_line_to(cr, 54, 49);
    cairo_close_path(cr);
    PatternPtr robeFill = VerticalPattern(33, 49, Lighter(robe, 0.15), Darker(robe, 0.2));
    cairo_set_source(cr, robeFill.get());
    cairo_fill(cr);
    for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, 36.5 + side * 16.5, 39);
        cairo_line_to(cr, 36.5 + side * 17.5, 49);
        cairo_line_to(cr, 36.5 + side * 12, 49);
        cairo_line_to(cr, 36.5 + side * 12.5, 37);
        cairo_close_path(cr);
        SetColour(cr, Lighter(trim, 0.1));
        cairo_fill(cr);
    }
    // What the figure holds: a sceptre for the king, a flower for the queen, a halberd for the jack.
    PatternPtr staff = GoldPattern(20, 49);
    cairo_move_to(cr, 45, 48);
    cairo_line_to(cr, 51, 27);
    cairo_set_source(cr, staff.get());
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    if (rank == 'K') {
        Star(cr, 51.3, 26, 3.2, 1.3, 5);
        cairo_set_source(cr, staff.get());
        cairo_fill(cr);
    } else if (rank == 'Q') {
        for (int petal = 0; petal < 5; ++petal) {
            const double angle = petal * 2 * kPi / 5;
            cairo_arc(cr, 51.3 + std::cos(angle) * 2.2, 26 + std::sin(angle) * 2.2, 1.7, 0, 2 * kPi);
            cairo_new_sub_path(cr);
        }
        SetColour(cr, suit.red ? Hex(0xE2405A) : Hex(0x3A6AD0));
        cairo_fill(cr);
        cairo_arc(cr, 51.3, 26, 1.2, 0, 2 * kPi);
        cairo_set_source(cr, staff.get());
        cairo_fill(cr);
    } else {
        cairo_move_to(cr, 50.5, 24);
        cairo_line_to(cr, 55, 27);
        cairo_line_to(cr, 51.5, 30.5);
        cairo_close_path(cr);
        cairo_set_source_rgb(cr, 0.75, 0.78, 0.82);
        cairo_fill_preserve(cr);
        cairo_set_source_rgba(cr, 0.2, 0.2, 0.25, 0.9);
        cairo_set_line_width(cr, 0.5);
        cairo_stroke(cr);
    }
    // Collar and a band of trim.
    cairo_move_to(cr, 28, 34.5);
    cairo_line_to(cr, 36.5, 44);
    cairo_line_to(cr, 45, 34.5);
    cairo_set_line_width(cr, 2.2);
    PatternPtr gold = GoldPattern(30, 46);
    cairo_set_source(cr, gold.get());
    cairo_stroke(cr);
    cairo_move_to(cr, 21, 44);
    cairo_line_to(cr, 52, 44);
    cairo_set_line_width(cr, 2);
    SetColour(cr, trim);
    cairo_stroke(cr);
    for (double x = 23; x < 52; x += 5) {
        cairo_arc(cr, x, 44, 0.9, 0, 2 * kPi);
        cairo_set_source(cr, gold.get());
        cairo_fill(cr);
    }

    // Head, hair and face.
    if (rank == 'Q') {
        cairo_arc(cr, 36.5, 25, 8.5, kPi * 0.85, kPi * 2.15);
        cairo_line_to(cr, 45, 34);
        cairo_line_to(cr, 28, 34);
        cairo_close_path(cr);
        SetColour(cr, hair);
        cairo_fill(cr);
    }
    cairo_arc(cr, 36.5, 25.5, 6.5, 0, 2 * kPi);
    SetColour(cr, skin);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.4, 0.25, 0.15, 0.8);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 0.2, 0.12, 0.08);
    cairo_arc(cr, 34.2, 25, 0.7, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_arc(cr, 38.8, 25, 0.7, 0, 2 * kPi);
    cairo_fill(cr);
    if (rank == 'K') {
        // Beard.
        cairo_move_to(cr, 31, 27);
        cairo_curve_to(cr, 31, 34, 42, 34, 42, 27);
        cairo_curve_to(cr, 40, 30, 33, 30, 31, 27);
        SetColour(cr, Hex(0x6B4A2A));
        cairo_fill(cr);
    } else {
        cairo_move_to(cr, 35, 28.3);
        cairo_line_to(cr, 38, 28.3);
        cairo_set_source_rgba(cr, 0.7, 0.2, 0.2, 0.9);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }

    // Head-dress: crown for the king, tiara for the queen, feathered cap for the jack.
    if (rank == 'K') {
        cairo_move_to(cr, 29, 21);
        cairo_line_to(cr, 29, 13);
        cairo_line_to(cr, 32.5, 17);
        cairo_line_to(cr, 36.5, 11);
        cairo_line_to(cr, 40.5, 17);
        cairo_line_to(cr, 44, 13);
        cairo_line_to(cr, 44, 21);
        cairo_close_path(cr);
    } else if (rank == 'Q') {
        cairo_move_to(cr, 30, 20);
        cairo_curve_to(cr, 31, 15, 42, 15, 43, 20);
        cairo_line_to(cr, 40, 19);
        cairo_line_to(cr, 36.5, 14.5);
        cairo_line_to(cr, 33, 19);
        cairo_close_path(cr);
    } else {
        cairo_move_to(cr, 29, 21);
        cairo_curve_to(cr, 29, 15, 44, 14, 45, 20);
        cairo_line_to(cr, 29, 21);
        cairo_close_path(cr);
    }
    PatternPtr crown = GoldPattern(11, 21);
    if (rank == 'J') {
        SetColour(cr, trim);
    } else {
        cairo_set_source(cr, crown.get());
    }
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.35, 0.2, 0.0, 0.9);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    if (rank == 'J') {
        cairo_move_to(cr, 43, 18);
        cairo_curve_to(cr, 50, 12, 52, 16, 49, 22);
        cairo_set_source(cr, gold.get());
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    } else {
        cairo_arc(cr, 36.5, rank == 'K' ? 17.5 : 17.8, 1.1, 0, 2 * kPi);
        SetColour(cr, trim);
        cairo_fill(cr);
    }

    // The suit held beside the figure.
    FillSuit(cr, suit, 22, 20, 8);
}

void CourtCard(cairo_t* cr, const SuitInfo& suit, char rank) {
    constexpr double fx = 16, fy = 12, fw = 41, fh = 74;
    RoundedRect(cr, fx, fy, fw, fh, 3);
    PatternPtr ground = VerticalPattern(fy, fy + fh, Hex(0xFFF6DA), Hex(0xF4E2B0));
    cairo_set_source(cr, ground.get());
    cairo_fill(cr);

    cairo_save(cr);
    RoundedRect(cr, fx, fy, fw, fh, 3);
    cairo_clip(cr);
    CourtHalf(cr, suit, rank);
    cairo_translate(cr, kCardW, kCardH);
    cairo_rotate(cr, kPi);
    CourtHalf(cr, suit, rank);
    cairo_restore(cr);

    // The dividing line between the two halves.
    cairo_move_to(cr, fx + 1, fy + fh / 2 + 5);
    cairo_line_to(cr, fx + fw - 1, fy + fh / 2 - 5);
    PatternPtr gold = GoldPattern(fy, fy + fh);
    cairo_set_source(cr, gold.get());
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    RoundedRect(cr, fx, fy, fw, fh, 3);
    cairo_set_source(cr, gold.get());
    cairo_set_line_width(cr, 1.4);
    cairo_stroke_preserve(cr);
    SetColour(cr, suit.red ? kRed : kBlack, 0.6);
    cairo_set_line_width(cr, 0.5);
    cairo_stroke(cr);
}

void DrawCard(cairo_t* cr, const SuitInfo& suit, const RankInfo& rank) {
    CardBlank(cr);
    if (rank.pips == 1) {
        AceCard(cr, suit);
    } else if (rank.pips > 1) {
        PipCard(cr, suit, rank.pips);
    } else {
        CourtCard(cr, suit, rank.label[0]);
    }
    CornerIndices(cr, suit, rank);
}

void DrawJoker(cairo_t* cr) {
    CardBlank(cr);
    TextStyle letters;
    letters.family = fonts::kSerif;
    letters.bold = true;
    letters.size = 10;
    letters.fill = kRed;
    const char* word[] = {"J", "O", "K", "E", "R"};
    for (int corner = 0; corner < 2; ++corner) {
        cairo_save(cr);
        if (corner == 1) {
            cairo_translate(cr, kCardW, kCardH);
            cairo_rotate(cr, kPi);
        }
        for (int i = 0; i < 5; ++i)
            DrawInkCentred(cr, word[i], 8.5, 10 + i * 10.5, letters);
        cairo_restore(cr);
    }
    // Jester's cap of three coloured points with bells, above a smiling mask.
    const Colour points[] = {Hex(0xD7261E), Hex(0x2A64C8), Hex(0x1F9A4A)};
    const double tips[][2] = {{22, 22}, {37, 14}, {52, 22}};
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, 25 + i * 4, 46);
        cairo_curve_to(cr, 30, 36, tips[i][0], tips[i][1] + 8, tips[i][0], tips[i][1]);
        cairo_curve_to(cr, tips[i][0] + 4, tips[i][1] + 10, 44 - i * 2, 36, 48 - i * 4 + i * 4, 46);
        cairo_close_path(cr);
        PatternPtr cloth = VerticalPattern(tips[i][1], 46, Lighter(points[i], 0.2), Darker(points[i], 0.2));
        cairo_set_source(cr, cloth.get());
        cairo_fill(cr);
    }
    PatternPtr gold = GoldPattern(10, 90);
    for (const auto& tip : tips) {
        cairo_arc(cr, tip[0], tip[1], 2.6, 0, 2 * kPi);
        cairo_set_source(cr, gold.get());
        cairo_fill(cr);
    }
    RoundedRect(cr, 24, 44, 25, 5, 2);
    cairo_set_source(cr, gold.get());
    cairo_fill(cr);
    // Face.
    cairo_arc(cr, 36.5, 58, 10, 0, 2 * kPi);
    SetColour(cr, Hex(0xFBE3C8));
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.3, 0.2, 0.1, 0.8);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    cairo_arc(cr, 36.5, 59, 6, 0.15 * kPi, 0.85 * kPi);
    SetColour(cr, kRed);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    for (double x : {33.0, 40.0}) {
        cairo_arc(cr, x, 55.5, 1.1, 0, 2 * kPi);
        cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
        cairo_fill(cr);
    }
    // Ruff collar and stars.
    for (int i = 0; i < 7; ++i) {
        cairo_arc(cr, 25 + i * 3.8, 71, 2.6, 0, 2 * kPi);
    }
    cairo_set_source(cr, gold.get());
    cairo_fill(cr);
    Star(cr, 25, 84, 4, 1.7, 5);
    Star(cr, 48, 84, 4, 1.7, 5);
    Star(cr, 36.5, 84, 5, 2.1, 5);
    cairo_set_source(cr, gold.get());
    cairo_fill(cr);
}

} // namespace

void AddCardPictures(PictureSet& set) {
    for (const SuitInfo& suit : kSuits) {
        for (const RankInfo& rank : kRanks) {
            set.Add(std::string(1, suit.letter) + rank.code, kCardW, kCardH,
                    [&suit, &rank](cairo_t* cr) { DrawCard(cr, suit, rank); });
        }
    }
    set.Add("B00", kCardW, kCardH, [](cairo_t* cr) { DrawCardBack(cr, 0, 0, kCardW, kCardH); });
    set.Add("GH0", kCardW, kCardH, DrawJoker);
    set.Add("GL0", kCardW, kCardH, [](cairo_t* cr) {
        DrawJoker(cr);
        Desaturate(cairo_get_target(cr), 1.0, 0.95);
    });
    set.Add("MASK", kCardW, kCardH, [](cairo_t* cr) {
        RoundedRect(cr, 0, 0, kCardW, kCardH, 5);
        cairo_set_source_rgba(cr, 0.02, 0.04, 0.03, 0.55);
        cairo_fill(cr);
    });
}

} // namespace artgen
