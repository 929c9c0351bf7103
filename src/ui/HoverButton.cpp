#include "ui/HoverButton.h"

namespace morvane {

THoverButton::~THoverButton() {
    KillTimer(kHoverTimer);
}

void THoverButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (PressesWith(button) && !pressed_) {
        pressed_ = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void THoverButton::MouseMove(TShiftState shift, int x, int y) {
    if (!hovered_ && Enabled()) {
        hovered_ = true;
        mouseInside_ = true;
        SetTimer(kHoverTimer, kHoverInterval);
        Invalidate();
    }
    TGraphicControl::MouseMove(shift, x, y);
}

void THoverButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (pressed_) {
        pressed_ = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void THoverButton::MouseEnter() {
    mouseInside_ = true;
    TGraphicControl::MouseEnter();
}

void THoverButton::MouseLeave() {
    mouseInside_ = false;
    CheckHover();
    TGraphicControl::MouseLeave();
}

void THoverButton::EnabledChanged() {
    if (!Enabled()) pressed_ = false;
    TGraphicControl::EnabledChanged();
}

void THoverButton::WndProc(TMessage& message) {
    if (message.Msg == WM_TIMER && std::uintptr_t(message.WParam) == kHoverTimer) {
        CheckHover();
        return;
    }
    TGraphicControl::WndProc(message);
}

void THoverButton::CheckHover() {
    if (!hovered_ || (Enabled() && mouseInside_)) return;
    hovered_ = false;
    KillTimer(kHoverTimer);
    Invalidate();
}

} // namespace morvane
