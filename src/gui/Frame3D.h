#pragma once

#include "gui/Canvas.h"
#include "gui/SystemColors.h"

namespace morvane {

// Two-colour bevel: `light` on the top and left edges, `dark` on the bottom and right.
inline void Frame3D(TCanvas& canvas, const TRect& rect, TColor light, TColor dark) {
    if (rect.IsEmpty()) return;
    canvas.FillRect({rect.left, rect.top, rect.right - 1, rect.top + 1}, ColorToRGB(light));
    canvas.FillRect({rect.left, rect.top, rect.left + 1, rect.bottom - 1}, ColorToRGB(light));
    canvas.FillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, ColorToRGB(dark));
    canvas.FillRect({rect.right - 1, rect.top, rect.right, rect.bottom}, ColorToRGB(dark));
}

// The sunken one-pixel border of edits, lists and views.
inline void SunkenBorder(TCanvas& canvas, const TRect& rect) {
    Frame3D(canvas, rect, clBtnShadow, clBtnHighlight);
}

// A dotted outline marking the focused control.
inline void DrawFocusRect(TCanvas& canvas, const TRect& rect, TColor colour = clBlack) {
    for (int x = rect.left; x < rect.right; x += 2) {
        canvas.SetPixel(x, rect.top, colour);
        canvas.SetPixel(x, rect.bottom - 1, colour);
    }
    for (int y = rect.top; y < rect.bottom; y += 2) {
        canvas.SetPixel(rect.left, y, colour);
        canvas.SetPixel(rect.right - 1, y, colour);
    }
}

} // namespace morvane
