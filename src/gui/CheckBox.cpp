#include "gui/CheckBox.h"

#include "gui/Frame3D.h"

#include <algorithm>

namespace morvane {
namespace {

constexpr int kBoxSize = 13;

} // namespace

TCheckBox::TCheckBox(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
    SetColor(clBtnFace);
}

void TCheckBox::SetChecked(bool value) {
    if (checked_ == value) return;
    checked_ = value;
    Invalidate();
    TCustomControl::Click();
}

void TCheckBox::Click() {
    SetChecked(!checked_);
}

void TCheckBox::KeyDown(TKey& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == VK_SPACE) {
        key = 0;
        Click();
    }
}

void TCheckBox::Paint(TCanvas& canvas) {
    canvas.FillRect(ClientRect(), ColorToRGB(Color()));
    const int top = (Height() - kBoxSize) / 2;
    const TRect box = Bounds(0, top, kBoxSize, kBoxSize);
    canvas.FillRect(box, ColorToRGB(Enabled() ? clWindow : clBtnFace));
    canvas.FrameRect(box, ColorToRGB(cl3DDkShadow));
    if (checked_) {
        // A tick of three-pixel-thick strokes.
        const TColor tick = ColorToRGB(Enabled() ? clWindowText : clGrayText);
        for (int i = 0; i < 3; ++i) {
            canvas.FillRect(Bounds(3 + i, top + 5 + i, 1, 3), tick);
            canvas.FillRect(Bounds(6 + i, top + 6 - i, 1, 3), tick);
            canvas.FillRect(Bounds(9, top + 3, 1, 3), tick);
        }
    }
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(ColorToRGB(Enabled() ? Font().Color() : clGrayText));
    canvas.Brush().style = TBrushStyle::bsClear;
    const TRect text{kBoxSize + 4, 0, Width(), Height()};
    canvas.DrawText(text, Caption(), dtSingleLine | dtVCenter);
    if (Focused()) {
        const int w = canvas.TextWidth(Caption());
        DrawFocusRect(canvas, {text.left - 1, 1, std::min(Width(), text.left + w + 1), Height() - 1});
    }
}

} // namespace morvane
