#include "gui/Button.h"

#include "gui/Form.h"
#include "gui/Frame3D.h"

namespace morvane {

TButton::TButton(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
    SetColor(clBtnFace);
}

void TButton::SetDefault(bool value) {
    if (default_ == value) return;
    default_ = value;
    Invalidate();
}

void TButton::Click() {
    TCustomControl::Click();
    if (modalResult_ == 0) return;
    if (TForm* form = ParentForm()) form->SetModalResult(modalResult_);
}

void TButton::KeyDown(TKey& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == VK_SPACE || key == VK_RETURN) {
        key = 0;
        Click();
    }
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        pressed_ = true;
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (pressed_) {
        pressed_ = false;
        Invalidate();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TButton::Paint(TCanvas& canvas) {
    TRect r = ClientRect();
    canvas.FillRect(r, ColorToRGB(Color()));
    if (default_ || Focused()) {
        canvas.FrameRect(r, ColorToRGB(cl3DDkShadow));
        r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    if (pressed_)
        Frame3D(canvas, r, clBtnShadow, clBtnShadow);
    else
        Frame3D(canvas, r, clBtnHighlight, cl3DDkShadow);
    if (!pressed_) Frame3D(canvas, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, Color(), clBtnShadow);
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(ColorToRGB(Enabled() ? Font().Color() : clGrayText));
    canvas.Brush().style = TBrushStyle::bsClear;
    const int shift = pressed_ ? 1 : 0;
    canvas.DrawText(ClientRect().Offset(shift, shift), Caption(), dtSingleLine | dtCenter | dtVCenter);
    if (Focused()) DrawFocusRect(canvas, {4, 4, Width() - 4, Height() - 4});
}

bool PressDialogKey(TWinControl& container, TKey key) {
    if (key != VK_RETURN && key != VK_ESCAPE) return false;
    for (int i = 0; i < container.ControlCount(); ++i) {
        TControl* child = container.Controls(i);
        if (!child->Visible() || !child->Enabled()) continue;
        if (auto* button = dynamic_cast<TButton*>(child)) {
            if ((key == VK_RETURN && button->Default()) || (key == VK_ESCAPE && button->Cancel())) {
                button->Click();
                return true;
            }
        } else if (auto* inner = dynamic_cast<TWinControl*>(child); inner && PressDialogKey(*inner, key)) {
            return true;
        }
    }
    return false;
}

} // namespace morvane
