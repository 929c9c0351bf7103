#include "Pictures.h"

#include <cmath>
#include <cstdio>
#include <numbers>

// The chat's ninety faces, 24 × 24 each, named FACE000 … FACE089 in the order of the chat's face names:
// fifty-five yellow faces whose eyes, mouth and extras tell the mood, then thirty-five objects and hand
// signs.

namespace artgen {
namespace {

constexpr double kSize = 24;
constexpr double kPi = std::numbers::pi;
const Colour kInk = Hex(0x3A2208);
const Colour kSkin = Hex(0xFFD23C);
const Colour kTear = Hex(0x4FA8F0);
const Colour kRed = Hex(0xE0302A);
const Colour kHand = Hex(0xFFC98A);

void Circle(cairo_t* cr, double cx, double cy, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
}

void Fill(cairo_t* cr, Colour c, double alpha = 1) {
    SetColour(cr, c, alpha);
    cairo_fill(cr);
}

void Stroke(cairo_t* cr, Colour c, double width) {
    SetColour(cr, c);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void Line(cairo_t* cr, double x0, double y0, double x1, double y1, Colour c, double width) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    Stroke(cr, c, width);
}

// An arc of a circle as a mouth or closed eye: `up` true curves like a smile.
void Curve(cairo_t* cr, double cx, double cy, double r, bool up, Colour c, double width) {
    cairo_new_sub_path(cr);
    if (up)
        cairo_arc(cr, cx, cy - r, r, 0.2 * kPi, 0.8 * kPi);
    else
        cairo_arc(cr, cx, cy + r, r, 1.2 * kPi, 1.8 * kPi);
    Stroke(cr, c, width);
}

void HeartPath(cairo_t* cr, double cx, double cy, double s) {
    cairo_move_to(cr, cx, cy + s * 0.9);
    cairo_curve_to(cr, cx - s * 1.6, cy - s * 0.2, cx - s * 0.7, cy - s * 1.3, cx, cy - s * 0.4);
    cairo_curve_to(cr, cx + s * 0.7, cy - s * 1.3, cx + s * 1.6, cy - s * 0.2, cx, cy + s * 0.9);
    cairo_close_path(cr);
}

void Tear(cairo_t* cr, double x, double y, double s) {
    cairo_move_to(cr, x, y - s);
    cairo_curve_to(cr, x + s, y, x + s * 0.8, y + s, x, y + s);
    cairo_curve_to(cr, x - s * 0.8, y + s, x - s, y, x, y - s);
    Fill(cr, kTear);
}

// [SECTION] Faces

enum class Eyes { Dots, Big, Closed, Happy, Hearts, X, Spiral, Shades, Half, Up, Side, Wink, Sad, Shiny, Angry };
enum class Mouth { Smile, Grin, Open, Flat, Frown, Pout, Tongue, Teeth, Wavy, Zip, Kiss, Small, Wide, Smirk, None };

struct FaceLook {
    Eyes eyes;
    Mouth mouth;
    Colour skin{kSkin};
};

void DrawHead(cairo_t* cr, Colour skin) {
    PatternPtr shade{cairo_pattern_create_radial(9, 8, 2, 12, 12, 12)};
    AddStop(shade.get(), 0, Lighter(skin, 0.45));
    AddStop(shade.get(), 1, Darker(skin, 0.12));
    Circle(cr, 12, 12.5, 10.5);
    cairo_set_source(cr, shade.get());
    cairo_fill_preserve(cr);
    Stroke(cr, Darker(skin, 0.5), 1);
}

void DrawEyes(cairo_t* cr, Eyes eyes) {
    const double y = 10;
    for (const double x : {8.0, 16.0}) {
        switch (eyes) {
        case Eyes::Dots:
            Circle(cr, x, y, 1.4);
            Fill(cr, kInk);
            break;
        case Eyes::Big:
        case Eyes::Shiny:
            Circle(cr, x, y, 2.6);
            Fill(cr, {1, 1, 1});
            Circle(cr, x, y + 0.4, 1.6);
            Fill(cr, kInk);
            if (eyes == Eyes::Shiny) {
                Circle(cr, x - 0.7, y - 0.5, 0.7);
                Fill(cr, {1, 1, 1});
            }
            break;
        case Eyes::Closed:
            Line(cr, x - 2, y, x + 2, y, kInk, 1.3);
            break;
        case Eyes::Happy:
            Curve(cr, x, y + 1.2, 2.2, false, kInk, 1.3);
            break;
        case Eyes::Hearts:
            HeartPath(cr, x, y, 2.2);
            Fill(cr, kRed);
            break;
        case Eyes::X:
            Line(cr, x - 1.6, y - 1.6, x + 1.6, y + 1.6, kInk, 1.2);
            Line(cr, x + 1.6, y - 1.6, x - 1.6, y + 1.6, kInk, 1.2);
            break;
        case Eyes::Spiral:
            cairo_new_sub_path(cr);
            for (int i = 0; i <= 24; ++i) {
                const double a = i * 0.5;
                const double r = 0.3 + i * 0.11;
                cairo_line_to(cr, x + r * std::cos(a), y + r * std::sin(a));
            }
            Stroke(cr, kInk, 0.7);
            break;
        case Eyes::Shades:
            break;
        case Eyes::Half:
            Line(cr, x - 2.2, y - 0.5, x + 2.2, y - 0.5, kInk, 1.1);
            Circle(cr, x, y + 0.6, 1.1);
            Fill(cr, kInk);
            break;
        case Eyes::Up:
            Circle(cr, x, y, 2.4);
            Fill(cr, {1, 1, 1});
            Circle(cr, x, y - 1.3, 1.1);
            Fill(cr, kInk);
            break;
        case Eyes::Side:
            Circle(cr, x, y, 2.2);
            Fill(cr, {1, 1, 1});
            Circle(cr, x + 1.2, y, 1.1);
            Fill(cr, kInk);
            break;
        case Eyes::Wink:
            if (x < 12) {
                Circle(cr, x, y, 1.5);
                Fill(cr, kInk);
            } else {
                Curve(cr, x, y + 1.2, 2.2, false, kInk, 1.3);
            }
            break;
        case Eyes::Sad:
            Circle(cr, x, y + 0.5, 1.3);
            Fill(cr, kInk);
            Line(cr, x - 2, x < 12 ? y - 3.5 : y - 2.2, x + 2, x < 12 ? y - 2.2 : y - 3.5, kInk, 1);
            break;
        case Eyes::Angry:
            Circle(cr, x, y + 0.6, 1.3);
            Fill(cr, kInk);
            Line(cr, x - 2.2, x < 12 ? y - 3 : y - 1.4, x + 2.2, x < 12 ? y - 1.4 : y - 3, kInk, 1.3);
            break;
        }
    }
    if (eyes == Eyes::Shades) {
        cairo_move_to(cr, 3.5, 8);
        cairo_line_to(cr, 20.5, 8);
        Stroke(cr, kInk, 1.2);
        RoundedRect(cr, 4.5, 8, 6.5, 4, 1.8);
        RoundedRect(cr, 13, 8, 6.5, 4, 1.8);
        Fill(cr, Hex(0x1A1A1A));
        Line(cr, 6, 9.2, 8, 9.2, {1, 1, 1}, 0.7);
    }
}

void DrawMouth(cairo_t* cr, Mouth mouth) {
    const double cx = 12;
    const double cy = 16.5;
    switch (mouth) {
    case Mouth::Smile:
        Curve(cr, cx, cy - 1.5, 4.5, true, kInk, 1.3);
        break;
    case Mouth::Grin:
        cairo_move_to(cr, cx - 5, cy - 1);
        cairo_curve_to(cr, cx - 3, cy + 4.5, cx + 3, cy + 4.5, cx + 5, cy - 1);
        cairo_close_path(cr);
        Fill(cr, Hex(0x8A2A10));
        break;
    case Mouth::Open:
        cairo_save(cr);
        cairo_translate(cr, cx, cy + 0.5);
        cairo_scale(cr, 1, 1.3);
        Circle(cr, 0, 0, 2.2);
        cairo_restore(cr);
        Fill(cr, Hex(0x8A2A10));
        break;
    case Mouth::Flat:
        Line(cr, cx - 3.5, cy, cx + 3.5, cy, kInk, 1.3);
        break;
    case Mouth::Frown:
        Curve(cr, cx, cy + 2.5, 4, false, kInk, 1.3);
        break;
    case Mouth::Pout:
        Curve(cr, cx + 0.5, cy + 1.5, 2.5, false, kInk, 1.3);
        Line(cr, cx - 3, cy + 1, cx - 1.5, cy + 0.2, kInk, 1.2);
        break;
    case Mouth::Tongue:
        Curve(cr, cx, cy - 1.5, 4.5, true, kInk, 1.3);
        RoundedRect(cr, cx - 0.5, cy + 1, 3.5, 4, 1.7);
        Fill(cr, Hex(0xF06A7A));
        break;
    case Mouth::Teeth:
        RoundedRect(cr, cx - 5, cy - 1.8, 10, 4.6, 1.5);
        Fill(cr, {1, 1, 1});
        RoundedRect(cr, cx - 5, cy - 1.8, 10, 4.6, 1.5);
        Stroke(cr, kInk, 0.9);
        Line(cr, cx - 5, cy + 0.5, cx + 5, cy + 0.5, kInk, 0.6);
        for (const double x : {-2.5, 0.0, 2.5})
            Line(cr, cx + x, cy - 1.8, cx + x, cy + 2.8, kInk, 0.5);
        break;
    case Mouth::Wavy:
        cairo_move_to(cr, cx - 5, cy);
        for (int i = 1; i <= 5; ++i)
            cairo_line_to(cr, cx - 5 + i * 2, cy + (i % 2 ? -1.4 : 1.4));
        Stroke(cr, kInk, 1.1);
        break;
    case Mouth::Zip:
        Line(cr, cx - 5, cy, cx + 5, cy, kInk, 1.4);
        for (int i = 0; i < 5; ++i)
            Line(cr, cx - 4 + i * 2, cy - 1.4, cx - 4 + i * 2, cy + 1.4, kInk, 0.8);
        break;
    case Mouth::Kiss:
        HeartPath(cr, cx + 1, cy, 2.2);
        Fill(cr, kRed);
        break;
    case Mouth::Small:
        Circle(cr, cx, cy, 1.2);
        Fill(cr, kInk);
        break;
    case Mouth::Wide:
        RoundedRect(cr, cx - 4.5, cy - 2.5, 9, 6, 2.5);
        Fill(cr, Hex(0x8A2A10));
        RoundedRect(cr, cx - 2.5, cy + 1.5, 5, 2, 1);
        Fill(cr, Hex(0xF06A7A));
        break;
    case Mouth::Smirk:
        cairo_move_to(cr, cx - 4, cy + 0.5);
        cairo_curve_to(cr, cx - 1, cy + 1.5, cx + 2, cy + 1, cx + 4.5, cy - 2);
        Stroke(cr, kInk, 1.3);
        break;
    case Mouth::None:
        break;
    }
}

void DrawFace(cairo_t* cr, const FaceLook& look) {
    DrawHead(cr, look.skin);
    DrawEyes(cr, look.eyes);
    DrawMouth(cr, look.mouth);
}

void Blush(cairo_t* cr) {
    for (const double x : {5.5, 18.5}) {
        cairo_save(cr);
        cairo_translate(cr, x, 14);
        cairo_scale(cr, 1.6, 1);
        Circle(cr, 0, 0, 1.5);
        cairo_restore(cr);
        Fill(cr, Hex(0xFF6A6A), 0.7);
    }
}

void Sweat(cairo_t* cr, double x = 19, double y = 5) {
    Tear(cr, x, y, 2);
}

void Puff(cairo_t* cr, double x, double y, double dir) {
    for (int i = 0; i < 3; ++i) {
        Circle(cr, x + dir * i * 2.2, y - i * 0.8, 1.4 - i * 0.3);
        Fill(cr, Hex(0xC8D8E8));
    }
}

void SmallHand(cairo_t* cr, double x, double y) {
    RoundedRect(cr, x, y, 6, 5, 2.2);
    Fill(cr, kHand);
    RoundedRect(cr, x, y, 6, 5, 2.2);
    Stroke(cr, Darker(kHand, 0.45), 0.7);
}

void DrawFaceEntry(cairo_t* cr, int n) {
    static const FaceLook looks[55] = {
        {Eyes::Dots, Mouth::Smile},   {Eyes::Dots, Mouth::Pout},    {Eyes::Hearts, Mouth::Grin},
        {Eyes::Big, Mouth::Small},    {Eyes::Shades, Mouth::Smirk}, {Eyes::Sad, Mouth::Frown},
        {Eyes::Happy, Mouth::Small},  {Eyes::Dots, Mouth::Zip},     {Eyes::Closed, Mouth::Small},
        {Eyes::Closed, Mouth::Wide},  {Eyes::Dots, Mouth::Flat},    {Eyes::Angry, Mouth::Frown, Hex(0xF2683C)},
        {Eyes::Wink, Mouth::Tongue},  {Eyes::Happy, Mouth::Teeth},  {Eyes::Big, Mouth::Open},
        {Eyes::Sad, Mouth::Frown},    {Eyes::Shades, Mouth::Flat},  {Eyes::Big, Mouth::Flat},
        {Eyes::X, Mouth::Wavy, Hex(0xF2683C)}, {Eyes::Closed, Mouth::Open, Hex(0xB8D65A)},
        {Eyes::Happy, Mouth::None},   {Eyes::Shiny, Mouth::Smile},  {Eyes::Up, Mouth::Flat},
        {Eyes::Half, Mouth::Smirk},   {Eyes::Big, Mouth::Open},     {Eyes::Half, Mouth::Small},
        {Eyes::Big, Mouth::Wide},     {Eyes::Dots, Mouth::Flat},    {Eyes::Happy, Mouth::Grin},
        {Eyes::Dots, Mouth::Smile},   {Eyes::Angry, Mouth::Teeth},  {Eyes::Angry, Mouth::Wavy},
        {Eyes::Side, Mouth::Small},   {Eyes::Dots, Mouth::None},    {Eyes::Spiral, Mouth::Small},
        {Eyes::X, Mouth::Wavy},       {Eyes::Closed, Mouth::Frown, Hex(0xC8B48A)},
        {Eyes::X, Mouth::None, Hex(0xF4F0E6)}, {Eyes::X, Mouth::Open}, {Eyes::Happy, Mouth::Smile},
        {Eyes::Closed, Mouth::Smile}, {Eyes::Half, Mouth::Flat},    {Eyes::Happy, Mouth::Grin},
        {Eyes::Closed, Mouth::Teeth, Hex(0xF5905A)}, {Eyes::Half, Mouth::Smirk}, {Eyes::Side, Mouth::Pout},
        {Eyes::Side, Mouth::Pout},    {Eyes::Closed, Mouth::Wide},  {Eyes::Side, Mouth::Flat},
        {Eyes::Sad, Mouth::Wavy},     {Eyes::Shiny, Mouth::Frown},  {Eyes::Half, Mouth::Smirk},
        {Eyes::Closed, Mouth::Kiss},  {Eyes::Big, Mouth::Wide, Hex(0xE8E0A0)}, {Eyes::Shiny, Mouth::Pout},
    };
    const FaceLook& look = looks[n];
    if (n == 37) {
        // 骷髅: a skull rather than a face.
        cairo_move_to(cr, 4, 11);
        cairo_curve_to(cr, 4, 1, 20, 1, 20, 11);
        cairo_curve_to(cr, 20, 15, 17, 16, 16, 17);
        cairo_line_to(cr, 16, 21);
        cairo_line_to(cr, 8, 21);
        cairo_line_to(cr, 8, 17);
        cairo_curve_to(cr, 7, 16, 4, 15, 4, 11);
        cairo_close_path(cr);
        SetColour(cr, Hex(0xF4F0E6));
        cairo_fill_preserve(cr);
        Stroke(cr, Hex(0x6A6458), 1);
        Circle(cr, 8.7, 11, 2.4);
        Circle(cr, 15.3, 11, 2.4);
        Fill(cr, Hex(0x2A2620));
        for (const double x : {10.0, 12.0, 14.0})
            Line(cr, x, 18, x, 21, Hex(0x6A6458), 0.8);
        return;
    }
    DrawFace(cr, look);
    switch (n) {
    case 2: // 色
    case 6: // 害羞
    case 43: // 糗大了
    case 52: // 亲亲
        Blush(cr);
        break;
    case 5: // 流泪
        Tear(cr, 7, 15, 1.8);
        Tear(cr, 17, 15, 1.8);
        break;
    case 8: // 睡
    {
        TextStyle z{fonts::kHei, 7, true, Hex(0x3A5AA0)};
        DrawText(cr, "z", 17, 5, Align::Left, z);
        DrawText(cr, "Z", 19.5, 2.5, Align::Left, z);
        break;
    }
    case 9: // 大哭
        for (const double x : {6.5, 15.5}) {
            RoundedRect(cr, x, 11, 2, 9, 1);
            Fill(cr, kTear);
        }
        break;
    case 10: // 尴尬
    case 17: // 冷汗
    case 27: // 流汗
        Sweat(cr);
        if (n == 17) {
            RoundedRect(cr, 6, 3, 12, 4, 2);
            Fill(cr, Hex(0x7AA8E0), 0.6);
        }
        break;
    case 18: // 抓狂
        for (int i = 0; i < 3; ++i)
            Line(cr, 6 + i * 6, 1, 5 + i * 6, 4, kInk, 1.2);
        break;
    case 20: // 偷笑
    case 51: // 阴险
        SmallHand(cr, 9, 15);
        break;
    case 24: // 饥饿
        Tear(cr, 15.5, 20, 1.5);
        break;
    case 26: // 惊恐
    case 53: // 吓
        RoundedRect(cr, 4, 3, 16, 5, 2.5);
        Fill(cr, Hex(0x6A88D8), 0.55);
        break;
    case 29: // 大兵
        cairo_move_to(cr, 2, 9);
        cairo_curve_to(cr, 2, -1, 22, -1, 22, 9);
        cairo_close_path(cr);
        Fill(cr, Hex(0x4E6A2E));
        Line(cr, 1, 9, 23, 9, Hex(0x34481E), 1.5);
        break;
    case 30: // 奋斗
        RoundedRect(cr, 2, 4, 20, 3, 1);
        Fill(cr, kRed);
        Circle(cr, 12, 5.5, 1);
        Fill(cr, {1, 1, 1});
        break;
    case 31: // 咒骂
    {
        TextStyle curse{fonts::kHei, 6, true, kRed};
        RoundedRect(cr, 6, 13.5, 12, 6, 2);
        Fill(cr, Hex(0x1A1A1A));
        DrawText(cr, "#@!", 12, 16.5, Align::Centre, curse);
        break;
    }
    case 32: // 疑问
    {
        TextStyle mark{fonts::kHei, 10, true, Hex(0x2A60C8)};
        DrawText(cr, "?", 19, 4, Align::Centre, mark);
        break;
    }
    case 33: // 嘘...
        RoundedRect(cr, 11, 12, 2.4, 8, 1.2);
        Fill(cr, kHand);
        RoundedRect(cr, 11, 12, 2.4, 8, 1.2);
        Stroke(cr, Darker(kHand, 0.45), 0.6);
        break;
    case 36: // 衰
        Circle(cr, 8, 2.5, 2.5);
        Circle(cr, 12, 1.8, 3);
        Circle(cr, 16, 2.5, 2.5);
        Fill(cr, Hex(0x5A5A66));
        break;
    case 38: // 敲打
        cairo_save(cr);
        cairo_translate(cr, 17, 4);
        cairo_rotate(cr, -0.6);
        RoundedRect(cr, -1, 0, 2, 8, 0.8);
        Fill(cr, Hex(0x8A5A2A));
        RoundedRect(cr, -4, -2.5, 8, 4, 1);
        Fill(cr, Hex(0x707080));
        cairo_restore(cr);
        break;
    case 39: // 再见
        SmallHand(cr, 17, 2);
        Line(cr, 15.5, 1, 14.5, 3, kInk, 0.6);
        break;
    case 40: // 擦汗
        Sweat(cr, 18, 4);
        RoundedRect(cr, 1, 4, 7, 4, 1);
        Fill(cr, Hex(0xF8F8F8));
        break;
    case 41: // 抠鼻
        RoundedRect(cr, 12, 12, 2, 6, 1);
        Fill(cr, kHand);
        SmallHand(cr, 11, 17);
        break;
    case 42: // 鼓掌
        SmallHand(cr, 2, 16);
        SmallHand(cr, 16, 16);
        Line(cr, 10, 20, 14, 20, Hex(0xF0A020), 1);
        break;
    case 44: // 坏笑
        Line(cr, 5.5, 6, 10, 7.5, kInk, 1.1);
        Line(cr, 18.5, 6, 14, 7.5, kInk, 1.1);
        break;
    case 45: // 左哼哼
        Puff(cr, 6, 18, -1);
        break;
    case 46: // 右哼哼
        Puff(cr, 18, 18, 1);
        break;
    case 47: // 哈欠
        Tear(cr, 19, 10, 1.3);
        break;
    case 48: // 鄙视
        Line(cr, 5, 6.5, 10, 7.5, kInk, 1);
        break;
    case 49: // 委屈
    case 50: // 快哭了
        Tear(cr, 7.5, 13.5, 1.4);
        if (n == 50) Tear(cr, 16.5, 13.5, 1.4);
        break;
    case 54: // 可怜
        Tear(cr, 17, 14, 1.4);
        break;
    default:
        break;
    }
}

// [SECTION] Objects and hands

void Thumb(cairo_t* cr, bool up) {
    cairo_save(cr);
    if (!up) {
        cairo_translate(cr, 24, 24);
        cairo_rotate(cr, kPi);
    }
    RoundedRect(cr, 6, 10, 11, 11, 2.5);
    SetColour(cr, kHand);
    cairo_fill_preserve(cr);
    Stroke(cr, Darker(kHand, 0.45), 1);
    RoundedRect(cr, 7.5, 2, 4.5, 10, 2.2);
    SetColour(cr, kHand);
    cairo_fill_preserve(cr);
    Stroke(cr, Darker(kHand, 0.45), 1);
    for (const double y : {14.0, 17.0})
        Line(cr, 12, y, 16.5, y, Darker(kHand, 0.45), 0.7);
    RoundedRect(cr, 4, 11, 3, 10, 1);
    Fill(cr, Hex(0x2A60C8));
    cairo_restore(cr);
}

void Fist(cairo_t* cr, double x, double y, double s) {
    RoundedRect(cr, x, y, 11 * s, 10 * s, 3 * s);
    SetColour(cr, kHand);
    cairo_fill_preserve(cr);
    Stroke(cr, Darker(kHand, 0.45), 1);
    for (int i = 1; i < 4; ++i)
        Line(cr, x + i * 2.75 * s, y + 0.5, x + i * 2.75 * s, y + 4 * s, Darker(kHand, 0.45), 0.7);
}

void Finger(cairo_t* cr, double x, double y, double len, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    RoundedRect(cr, -1.6, -len, 3.2, len + 1, 1.6);
    SetColour(cr, kHand);
    cairo_fill_preserve(cr);
    Stroke(cr, Darker(kHand, 0.45), 0.8);
    cairo_restore(cr);
}

void Rose(cairo_t* cr, bool wilted) {
    const Colour petal = wilted ? Hex(0x8A5A50) : Hex(0xE02040);
    cairo_move_to(cr, 12, 11);
    if (wilted)
        cairo_curve_to(cr, 12, 17, 16, 20, 19, 22);
    else
        cairo_curve_to(cr, 11, 16, 13, 19, 12, 23);
    Stroke(cr, Hex(0x2E8A2E), 1.6);
    cairo_save(cr);
    if (wilted) {
        cairo_translate(cr, 12, 8);
        cairo_rotate(cr, 1.9);
        cairo_translate(cr, -12, -8);
    }
    Circle(cr, 12, 7, 5.5);
    Fill(cr, petal);
    Circle(cr, 10, 6, 2.5);
    Circle(cr, 14, 7.5, 2.5);
    Fill(cr, Darker(petal, 0.25));
    cairo_restore(cr);
    cairo_move_to(cr, 12, 16);
    cairo_curve_to(cr, 8, 13, 6, 16, 6, 17);
    cairo_curve_to(cr, 8, 18, 11, 17, 12, 16);
    Fill(cr, Hex(0x3EA83E));
}

void Ball(cairo_t* cr, Colour base, Colour lines) {
    Circle(cr, 12, 12, 9.5);
    SetColour(cr, base);
    cairo_fill_preserve(cr);
    Stroke(cr, Darker(base, 0.5), 1);
    cairo_save(cr);
    Circle(cr, 12, 12, 9.5);
    cairo_clip(cr);
    Line(cr, 2, 12, 22, 12, lines, 1);
    Line(cr, 12, 2, 12, 22, lines, 1);
    Circle(cr, 2, 12, 7);
    Stroke(cr, lines, 1);
    Circle(cr, 22, 12, 7);
    Stroke(cr, lines, 1);
    cairo_restore(cr);
}

// A round badge with two white letters.
void Badge(cairo_t* cr, Colour colour, const char* letters) {
    Circle(cr, 12, 12, 10);
    Fill(cr, colour);
    TextStyle style{fonts::kHei, 10, true, {1, 1, 1}};
    DrawInkCentred(cr, letters, 12, 12, style);
}

void DrawObject(cairo_t* cr, int n) {
    switch (n) {
    case 55: // 菜刀
        RoundedRect(cr, 3, 4, 14, 10, 1);
        SetColour(cr, Hex(0xC8D0D8));
        cairo_fill_preserve(cr);
        Stroke(cr, Hex(0x606870), 1);
        Circle(cr, 6, 7, 1);
        Fill(cr, Hex(0x606870));
        RoundedRect(cr, 15, 12, 7, 4, 1.5);
        Fill(cr, Hex(0x6A3A1A));
        break;
    case 56: // 西瓜
        cairo_move_to(cr, 2, 8);
        cairo_arc_negative(cr, 12, 8, 10, kPi, 0);
        cairo_close_path(cr);
        Fill(cr, Hex(0x2E8A2E));
        cairo_move_to(cr, 3.5, 8);
        cairo_arc_negative(cr, 12, 8, 8.5, kPi, 0);
        cairo_close_path(cr);
        Fill(cr, Hex(0xF03A40));
        for (const double x : {8.0, 12.0, 16.0}) {
            Circle(cr, x, 11.5, 0.9);
            Fill(cr, Hex(0x1A1A1A));
        }
        break;
    case 57: // 啤酒
        RoundedRect(cr, 4, 6, 12, 16, 2);
        Fill(cr, Hex(0xF0B020));
        RoundedRect(cr, 3.5, 3, 13, 5, 2.5);
        Fill(cr, Hex(0xFFFDF0));
        cairo_arc(cr, 17, 14, 3.5, -kPi / 2, kPi / 2);
        Stroke(cr, Hex(0xC88A10), 2);
        break;
    case 58: // 篮球
        Ball(cr, Hex(0xF07A20), Hex(0x4A2008));
        break;
    case 59: // 乒乓
        Circle(cr, 10, 10, 7.5);
        Fill(cr, Hex(0xD82828));
        RoundedRect(cr, 14, 15, 3, 8, 1.2);
        Fill(cr, Hex(0x8A5A2A));
        Circle(cr, 19, 5, 2.5);
        Fill(cr, Hex(0xFFFFFF));
        Circle(cr, 19, 5, 2.5);
        Stroke(cr, Hex(0xB0B0B0), 0.6);
        break;
    case 60: // 咖啡
        RoundedRect(cr, 4, 9, 12, 11, 3);
        Fill(cr, Hex(0xF8F4EC));
        RoundedRect(cr, 4, 9, 12, 11, 3);
        Stroke(cr, Hex(0x806040), 1);
        RoundedRect(cr, 5.5, 10, 9, 3, 1.5);
        Fill(cr, Hex(0x6A3A1A));
        cairo_arc(cr, 16.5, 14, 3, -kPi / 2, kPi / 2);
        Stroke(cr, Hex(0x806040), 1.5);
        for (const double x : {8.0, 12.0}) {
            cairo_move_to(cr, x, 7);
            cairo_curve_to(cr, x - 1.5, 5, x + 1.5, 4, x, 2);
            Stroke(cr, Hex(0xA0A0A0), 0.9);
        }
        break;
    case 61: // 吃饭
        cairo_move_to(cr, 2, 12);
        cairo_arc_negative(cr, 12, 12, 10, kPi, 0);
        cairo_close_path(cr);
        Fill(cr, Hex(0x2A60C8));
        cairo_move_to(cr, 3, 12);
        cairo_curve_to(cr, 5, 6, 19, 6, 21, 12);
        Fill(cr, {1, 1, 1});
        Line(cr, 14, 2, 20, 11, Hex(0x8A5A2A), 1.3);
        Line(cr, 17, 1, 21, 10, Hex(0x8A5A2A), 1.3);
        break;
    case 62: // 猪头
        Circle(cr, 12, 13, 9.5);
        SetColour(cr, Hex(0xF8A8B8));
        cairo_fill_preserve(cr);
        Stroke(cr, Hex(0xC06070), 1);
        for (const double x : {5.0, 19.0}) {
            cairo_move_to(cr, x - 3, 6);
            cairo_line_to(cr, x, 1);
            cairo_line_to(cr, x + 3, 6);
            Fill(cr, Hex(0xF08898));
        }
        RoundedRect(cr, 8, 13, 8, 6, 3);
        Fill(cr, Hex(0xF07890));
        for (const double x : {10.5, 13.5}) {
            Circle(cr, x, 16, 1);
            Fill(cr, Hex(0x8A2A40));
        }
        for (const double x : {8.0, 16.0}) {
            Circle(cr, x, 10, 1.2);
            Fill(cr, kInk);
        }
        break;
    case 63: // 玫瑰
        Rose(cr, false);
        break;
    case 64: // 凋谢
        Rose(cr, true);
        break;
    case 65: // 示爱
        cairo_move_to(cr, 2, 12);
        cairo_curve_to(cr, 6, 5, 10, 8, 12, 9);
        cairo_curve_to(cr, 14, 8, 18, 5, 22, 12);
        cairo_curve_to(cr, 18, 20, 6, 20, 2, 12);
        Fill(cr, Hex(0xE0204A));
        Line(cr, 3, 12, 21, 12, Hex(0x8A1030), 1);
        break;
    case 66: // 爱心
        HeartPath(cr, 12, 12, 8);
        Fill(cr, Hex(0xE82040));
        break;
    case 67: // 心碎
        HeartPath(cr, 12, 12, 8);
        Fill(cr, Hex(0xB02040));
        cairo_move_to(cr, 12, 5);
        cairo_line_to(cr, 10, 10);
        cairo_line_to(cr, 14, 13);
        cairo_line_to(cr, 11, 20);
        Stroke(cr, {1, 1, 1}, 1.5);
        break;
    case 68: // 蛋糕
        RoundedRect(cr, 3, 12, 18, 10, 2);
        Fill(cr, Hex(0xF8D8A0));
        RoundedRect(cr, 3, 12, 18, 3.5, 1.5);
        Fill(cr, Hex(0xF080A8));
        for (const double x : {8.0, 12.0, 16.0}) {
            RoundedRect(cr, x - 0.8, 6, 1.6, 6, 0.6);
            Fill(cr, Hex(0x60A0F0));
            Tear(cr, x, 4.3, 1.2);
        }
        break;
    case 69: // 闪电
        cairo_move_to(cr, 14, 1);
        cairo_line_to(cr, 5, 13);
        cairo_line_to(cr, 11, 13);
        cairo_line_to(cr, 8, 23);
        cairo_line_to(cr, 19, 9);
        cairo_line_to(cr, 13, 9);
        cairo_close_path(cr);
        SetColour(cr, Hex(0xFFD820));
        cairo_fill_preserve(cr);
        Stroke(cr, Hex(0xB08010), 1);
        break;
    case 70: // 炸弹
        Circle(cr, 11, 14, 8);
        Fill(cr, Hex(0x2A2A34));
        Circle(cr, 8, 11, 2);
        Fill(cr, Hex(0x6A6A7A));
        cairo_move_to(cr, 15, 8);
        cairo_curve_to(cr, 16, 4, 19, 5, 20, 3);
        Stroke(cr, Hex(0x8A5A2A), 1.2);
        Star(cr, 20.5, 2.5, 2.5, 1, 6);
        Fill(cr, Hex(0xFF8A10));
        break;
    case 71: // 刀
        cairo_move_to(cr, 3, 21);
        cairo_line_to(cr, 17, 4);
        cairo_line_to(cr, 20, 3);
        cairo_line_to(cr, 19, 6);
        cairo_line_to(cr, 6, 22);
        cairo_close_path(cr);
        SetColour(cr, Hex(0xD0D8E0));
        cairo_fill_preserve(cr);
        Stroke(cr, Hex(0x606870), 0.8);
        Line(cr, 2, 18, 8, 23, Hex(0x6A3A1A), 2.5);
        break;
    case 72: // 足球
        Circle(cr, 12, 12, 9.5);
        SetColour(cr, {1, 1, 1});
        cairo_fill_preserve(cr);
        Stroke(cr, Hex(0x303030), 1);
        Star(cr, 12, 12, 3.5, 3.5 * 0.81, 5, -kPi / 2);
        Fill(cr, Hex(0x202020));
        for (int i = 0; i < 5; ++i) {
            const double a = -kPi / 2 + i * 2 * kPi / 5;
            Circle(cr, 12 + 8 * std::cos(a), 12 + 8 * std::sin(a), 2);
            Fill(cr, Hex(0x202020));
        }
        break;
    case 73: // 瓢虫
        Circle(cr, 12, 14, 8);
        Fill(cr, Hex(0xE02020));
        Circle(cr, 12, 5.5, 3.5);
        Fill(cr, Hex(0x1A1A1A));
        Line(cr, 12, 7, 12, 22, Hex(0x1A1A1A), 1);
        for (const auto& [x, y] : {std::pair{8.0, 12.0}, {16.0, 12.0}, {8.5, 17.5}, {15.5, 17.5}}) {
            Circle(cr, x, y, 1.5);
            Fill(cr, Hex(0x1A1A1A));
        }
        break;
    case 74: // 便便
        for (const auto& [y, w] : {std::pair{18.0, 18.0}, {13.0, 13.0}, {8.5, 8.0}}) {
            RoundedRect(cr, 12 - w / 2, y - 2.5, w, 5.5, 2.7);
            SetColour(cr, Hex(0x8A5020));
            cairo_fill_preserve(cr);
            Stroke(cr, Hex(0x5A3010), 0.8);
        }
        cairo_move_to(cr, 12, 6.5);
        cairo_curve_to(cr, 12, 3, 14, 3, 13.5, 1.5);
        Stroke(cr, Hex(0x8A5020), 1.6);
        break;
    case 75: // 月亮
        // A crescent: the disc with an offset disc cut out of it.
        Circle(cr, 12, 12, 9);
        Fill(cr, Hex(0xFFD850));
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
        Circle(cr, 16.5, 9, 7.5);
        cairo_fill(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        break;
    case 76: // 太阳
        for (int i = 0; i < 8; ++i) {
            const double a = i * kPi / 4;
            Line(cr, 12 + 7 * std::cos(a), 12 + 7 * std::sin(a), 12 + 10.5 * std::cos(a), 12 + 10.5 * std::sin(a),
                 Hex(0xF89010), 1.8);
        }
        Circle(cr, 12, 12, 5.5);
        Fill(cr, Hex(0xFF6A10));
        break;
    case 77: // 礼物
        RoundedRect(cr, 3, 9, 18, 13, 1);
        Fill(cr, Hex(0xD82050));
        RoundedRect(cr, 2, 7, 20, 4, 1);
        Fill(cr, Hex(0xE83868));
        RoundedRect(cr, 10.5, 7, 3, 15, 0.5);
        Fill(cr, Hex(0xFFD030));
        Circle(cr, 9, 5, 2.5);
        Circle(cr, 15, 5, 2.5);
        Stroke(cr, Hex(0xFFD030), 1.5);
        break;
    case 78: // 拥抱
        Circle(cr, 8, 8, 4.5);
        Fill(cr, kSkin);
        Circle(cr, 16, 8, 4.5);
        Fill(cr, Hex(0xF8A8B8));
        RoundedRect(cr, 3, 13, 10, 9, 3);
        Fill(cr, Hex(0x3A7AD8));
        RoundedRect(cr, 11, 13, 10, 9, 3);
        Fill(cr, Hex(0xE05080));
        Line(cr, 4, 16, 17, 17, kHand, 2);
        Line(cr, 20, 16, 7, 18.5, kHand, 2);
        break;
    case 79: // 强
        Thumb(cr, true);
        break;
    case 80: // 弱
        Thumb(cr, false);
        break;
    case 81: // 握手
        RoundedRect(cr, 1, 10, 8, 5, 1);
        Fill(cr, Hex(0x3A7AD8));
        RoundedRect(cr, 15, 10, 8, 5, 1);
        Fill(cr, Hex(0x5A5A5A));
        RoundedRect(cr, 7, 8, 10, 8, 3.5);
        SetColour(cr, kHand);
        cairo_fill_preserve(cr);
        Stroke(cr, Darker(kHand, 0.45), 1);
        for (const double x : {10.0, 12.5, 15.0})
            Line(cr, x, 9, x - 1, 12, Darker(kHand, 0.45), 0.7);
        break;
    case 82: // 胜利
        Finger(cr, 10, 13, 10, -0.3);
        Finger(cr, 14, 13, 10, 0.3);
        Fist(cr, 6.5, 12, 1);
        break;
    case 83: // 抱拳
        Fist(cr, 4, 8, 1.1);
        cairo_move_to(cr, 14, 6);
        cairo_line_to(cr, 21, 6);
        cairo_curve_to(cr, 22, 12, 21, 19, 18, 20);
        cairo_line_to(cr, 14, 20);
        cairo_close_path(cr);
        SetColour(cr, Lighter(kHand, 0.2));
        cairo_fill_preserve(cr);
        Stroke(cr, Darker(kHand, 0.45), 1);
        break;
    case 84: // 勾引
        Fist(cr, 7, 12, 1);
        cairo_move_to(cr, 10, 12);
        cairo_curve_to(cr, 10, 4, 17, 3, 16, 8);
        Stroke(cr, Darker(kHand, 0.45), 3.6);
        cairo_move_to(cr, 10, 12);
        cairo_curve_to(cr, 10, 4, 17, 3, 16, 8);
        Stroke(cr, kHand, 2.4);
        break;
    case 85: // 拳头
        Fist(cr, 4, 6, 1.45);
        Line(cr, 5, 13, 12, 13, Darker(kHand, 0.45), 0.9);
        break;
    case 86: // 差劲
        Finger(cr, 8, 12, 8, -0.1);
        Fist(cr, 6, 11, 1.05);
        break;
    case 87: // 爱你
        Finger(cr, 7, 13, 9, -0.45);
        Finger(cr, 10, 12, 10, -0.05);
        Finger(cr, 17, 12, 9, 0.15);
        Fist(cr, 7, 11, 1);
        HeartPath(cr, 19, 4, 2.4);
        Fill(cr, kRed);
        break;
    case 88: // No
        Badge(cr, Hex(0xD82828), "NO");
        break;
    case 89: // OK
        Badge(cr, Hex(0x2E9A3E), "OK");
        break;
    default:
        break;
    }
}

} // namespace

void AddFacePictures(PictureSet& set) {
    for (int n = 0; n < 90; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "FACE%03d", n);
        set.Add(name, int(kSize), int(kSize), [n](cairo_t* cr) {
            if (n < 55)
                DrawFaceEntry(cr, n);
            else
                DrawObject(cr, n);
        });
    }
}

} // namespace artgen
