#pragma once

#include "base/Types.h"

namespace morvane {

// System colours: the high byte 0xFF marks them, the low byte is the system's index.
inline constexpr TColor clScrollBar = 0xFF000000;
inline constexpr TColor clMenu = 0xFF000004;
inline constexpr TColor clWindow = 0xFF000005;
inline constexpr TColor clWindowText = 0xFF000008;
inline constexpr TColor clHighlight = 0xFF00000D;
inline constexpr TColor clHighlightText = 0xFF00000E;
inline constexpr TColor clBtnFace = 0xFF00000F;
inline constexpr TColor clBtnShadow = 0xFF000010;
inline constexpr TColor clGrayText = 0xFF000011;
inline constexpr TColor clBtnText = 0xFF000012;
inline constexpr TColor clBtnHighlight = 0xFF000014;
inline constexpr TColor cl3DDkShadow = 0xFF000015;

// The real colour of a system colour (the classic light scheme); other colours come back unchanged.
constexpr TColor ColorToRGB(TColor colour) {
    if ((colour & 0xFF000000) != 0xFF000000) return colour;
    switch (colour & 0xFF) {
    case 0x00:
        return RGB(200, 200, 200);
    case 0x04:
        return RGB(240, 240, 240);
    case 0x05:
        return clWhite;
    case 0x08:
        return clBlack;
    case 0x0D:
        return RGB(51, 153, 255);
    case 0x0E:
        return clWhite;
    case 0x0F:
        return RGB(240, 240, 240);
    case 0x10:
        return RGB(160, 160, 160);
    case 0x11:
        return RGB(109, 109, 109);
    case 0x12:
        return clBlack;
    case 0x14:
        return clWhite;
    case 0x15:
        return RGB(105, 105, 105);
    default:
        return RGB(240, 240, 240);
    }
}

} // namespace morvane
