#pragma once

#include "Art.h"

#include <array>
#include <string_view>

// Every group of the catalogue has one function that adds its pictures to the set.
namespace artgen {

struct Denomination {
    std::string_view name;  // resource prefix: 100, 500, … 1W … 500W
    std::string_view label; // printed on the chip: 100 … 1万 … 500万
    std::uint32_t colour;
};

inline constexpr std::array<Denomination, 10> kDenominations{{
    {"100", "100", 0x3C7FD9},
    {"500", "500", 0x8E44AD},
    {"1000", "1000", 0xD9A300},
    {"5000", "5000", 0xE0631B},
    {"1W", "1万", 0x16966A},
    {"5W", "5万", 0xC3302A},
    {"10W", "10万", 0x2A2A33},
    {"50W", "50万", 0xD2388A},
    {"100W", "100万", 0x0B7C8E},
    {"500W", "500万", 0xB07A12},
}};

// The bottom bar's flat colour behind its two arrow buttons; the opaque arrow picture is painted on it.
inline Colour BottomBarArrowGround() {
    return Hex(0x0C2214);
}

void AddTablePictures(PictureSet& set);
void AddBarPictures(PictureSet& set);
void AddRegionPictures(PictureSet& set);
void AddChipPictures(PictureSet& set);
void AddCursorPictures(PictureSet& cursors);
void AddCardPictures(PictureSet& set);
void AddMarkPictures(PictureSet& set);
void AddButtonPictures(PictureSet& set);
void AddHallPictures(PictureSet& set);
// The table window's frame, its right-hand box and the title strip's buttons.
void AddFormPictures(PictureSet& set);
// The chat's ninety faces, FACE000 … FACE089.
void AddFacePictures(PictureSet& set);
// The library's 32 × 32 icon: a card and a gold chip on a felt tile; the corners stay transparent.
void AddTableIcon(PictureSet& set);

// Shared by the table pictures and the decorations: one card back drawn into a card-sized box.
void DrawCardBack(cairo_t* cr, double x, double y, double w, double h);
// One chip seen from above, centred at (cx, cy).
void DrawChipFace(cairo_t* cr, const Denomination& chip, double cx, double cy, double radius);

} // namespace artgen
