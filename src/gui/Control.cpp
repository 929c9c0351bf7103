#include "gui/Control.h"

#include "gui/Canvas.h"
#include "gui/Form.h"
#include "gui/WinControl.h"

namespace morvane {

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this] { FontChanged(); };
    if (HasApplication()) handle_ = Application().RegisterControl(this);
}

TControl::~TControl() {
    for (const auto& [id, timer] : timers_)
        if (HasApplication()) Application().System().StopTimer(timer);
    timers_.clear();
    if (parent_) {
        Invalidate();
        parent_->RemoveControl(this);
    }
    if (HasApplication() && handle_) Application().UnregisterControl(handle_);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) {
        Invalidate();
        parent_->RemoveControl(this);
    }
    if (parent) parent->InsertControl(this);
    if (parent_) {
        if (align_ != TAlign::alNone) RequestAlign();
        Invalidate();
    }
}

TForm* TControl::ParentForm() const {
    return parent_ ? parent_->ParentForm() : nullptr;
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    TRect next = Bounds(left, top, width, height);
    if (next == bounds_) return;
    bool resized = next.Width() != bounds_.Width() || next.Height() != bounds_.Height();
    Invalidate();
    bounds_ = next;
    Invalidate();
    if (resized) Resized();
    if (parent_ && align_ != TAlign::alNone) RequestAlign();
    Perform(WM_WINDOWPOSCHANGED);
}

void TControl::Resized() {
    if (OnResize) OnResize(this);
}

void TControl::SetVisible(bool visible) {
    if (visible_ == visible) return;
    if (!visible) Invalidate();
    visible_ = visible;
    if (visible) Invalidate();
    if (parent_ && align_ != TAlign::alNone) RequestAlign();
    VisibleChanged();
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
}

void TControl::VisibleChanged() {}

bool TControl::Showing() const {
    return visible_ && parent_ && parent_->Showing();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    EnabledChanged();
    Invalidate();
    Perform(WM_ENABLE, enabled ? 1 : 0);
}

void TControl::EnabledChanged() {}

void TControl::SetCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    Invalidate();
    Perform(CM_TEXTCHANGED);
}

void TControl::SetColor(TColor color) {
    if (color_ == color) return;
    color_ = color;
    Invalidate();
    Perform(CM_COLORCHANGED);
}

void TControl::FontChanged() {
    Invalidate();
    Perform(CM_FONTCHANGED);
}

void TControl::SetAlign(TAlign align) {
    if (align_ == align) return;
    align_ = align;
    RequestAlign();
}

void TControl::RequestAlign() {
    if (parent_) parent_->AlignControls();
}

void TControl::Invalidate() {
    InvalidateRect(ClientRect());
}

void TControl::InvalidateRect(const TRect& rect) {
    TForm* form = ParentForm();
    if (!form || !visible_) return;
    TPoint topLeft = ClientToForm({rect.left, rect.top});
    form->InvalidateFormRect(Bounds(topLeft.x, topLeft.y, rect.Width(), rect.Height()));
}

void TControl::Update() {
    if (TForm* form = ParentForm()) form->PaintPending();
}

void TControl::BringToFront() {
    if (parent_) parent_->MoveControl(this, true);
}

void TControl::SendToBack() {
    if (parent_) parent_->MoveControl(this, false);
}

TPoint TControl::ClientToForm(TPoint point) const {
    const TControl* c = this;
    while (c && c->parent_) {
        point.x += c->Left();
        point.y += c->Top();
        c = c->parent_;
    }
    return point;
}

TPoint TControl::ClientToScreen(TPoint point) const {
    TPoint inForm = ClientToForm(point);
    TForm* form = ParentForm();
    if (!form) return inForm;
    return {inForm.x + form->Left(), inForm.y + form->Top()};
}

TPoint TControl::ScreenToClient(TPoint point) const {
    TPoint origin = ClientToScreen({0, 0});
    return {point.x - origin.x, point.y - origin.y};
}

std::intptr_t TControl::Perform(std::uint32_t msg, std::intptr_t wParam, std::intptr_t lParam) {
    TMessage message{msg, wParam, lParam, 0};
    WndProc(message);
    NotifyMessageObservers(message);
    return message.Result;
}

void TControl::PostMessage(std::uint32_t msg, std::intptr_t wParam, std::intptr_t lParam) {
    if (HasApplication()) Application().PostMessage(handle_, msg, wParam, lParam);
}

void TControl::NotifyMessageObservers(const TMessage& message) {
    if (HasApplication() && handle_) Application().RunMessageHooks(*this, message);
}

void TControl::SetTimer(std::uintptr_t id, std::uint32_t intervalMs) {
    if (!HasApplication() || ActivityEnded()) return;
    KillTimer(id);
    TControlHandle handle = handle_;
    TApplication* app = &Application();
    timers_[id] = app->System().StartTimer(intervalMs, [app, handle, id] {
        if (TControl* control = app->FindControl(handle)) control->Perform(WM_TIMER, std::intptr_t(id));
    });
}

void TControl::EndActivity() {
    TComponent::EndActivity();
    for (const auto& [id, timer] : timers_)
        if (HasApplication()) Application().System().StopTimer(timer);
    timers_.clear();
}

void TControl::KillTimer(std::uintptr_t id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    if (HasApplication()) Application().System().StopTimer(it->second);
    timers_.erase(it);
}

void TControl::PaintControl(TCanvas& canvas) {
    Paint(canvas);
    NotifyMessageObservers(TMessage{WM_PAINT, 0, 0, 0});
}

void TControl::Paint(TCanvas&) {}

void TControl::WndProc(TMessage&) {}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
    if (button == TMouseButton::mbLeft) Perform(WM_LBUTTONDOWN, shift, (y << 16) | (x & 0xFFFF));
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
    if (button == TMouseButton::mbLeft) Perform(WM_LBUTTONUP, shift, (y << 16) | (x & 0xFFFF));
}

bool TControl::MouseWheel(TShiftState, int delta, TPoint) {
    Perform(WM_MOUSEWHEEL, std::intptr_t(delta) << 16);
    return false;
}

void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
    Perform(CM_MOUSEENTER);
}

void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
    Perform(CM_MOUSELEAVE);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

} // namespace morvane
