#include "gui/Form.h"

#include "gui/Button.h"
#include "gui/Canvas.h"

#include <cstdlib>
#include <stdexcept>

namespace morvane {
namespace {

constexpr int kDoubleClickSlop = 4; // pixels the second press may stray from the first

} // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    SetVisible(false);
}

TForm::~TForm() {
    if (OnDestroy) OnDestroy(this);
    DestroyComponents();
    activeControl_ = nullptr;
    captureControl_ = hoverControl_ = pressedControl_ = lastDownControl_ = nullptr;
    if (window_ && HasApplication()) Application().System().DestroyTopWindow(window_);
}

void TForm::EnsureWindow() {
    if (window_ || !HasApplication()) return;
    window_ = Application().System().CreateTopWindow(*this, BoundsRect(), topMost_);
    Application().System().SetWindowCaption(window_, Caption());
}

void TForm::Show() {
    EnsureWindow();
    SetVisible(true);
    if (shown_) return;
    shown_ = true;
    if (window_) Application().System().ShowTopWindow(window_, true, true);
    InvalidateFormRect(ClientRect());
    if (OnShow) OnShow(this);
}

void TForm::Hide() {
    if (!shown_) {
        SetVisible(false);
        return;
    }
    shown_ = false;
    SetVisible(false);
    dirty_.Clear();
    captureControl_ = hoverControl_ = pressedControl_ = nullptr;
    if (window_) Application().System().ShowTopWindow(window_, false, false);
    if (OnHide) OnHide(this);
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::Close() {
    if (modal_) {
        if (CloseQuery()) modalResult_ = 2; // a closed dialog counts as cancelled
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = TCloseAction::caHide;
    if (OnClose) OnClose(this, action);
    if (action == TCloseAction::caHide || action == TCloseAction::caFree) Hide();
    if (action == TCloseAction::caMinimize) Minimize(true);
}

void TForm::EndActivity() {
    TWinControl::EndActivity();
    if (modal_ && modalResult_ == 0) modalResult_ = 2;
    captureControl_ = pressedControl_ = nullptr;
    // The system's message boxes over the window run loops of their own, which wait for an answer.
    if (window_ && HasApplication()) Application().System().EndMessageBoxes(window_);
}

int TForm::ShowModal() {
    if (modal_) throw std::logic_error("the form is already shown modally");
    // A window of a closed table no longer opens.
    if (ActivityEnded()) return 2;
    modal_ = true;
    modalResult_ = 0;
    Show();
    TApplication& app = Application();
    // The loop is code of the table on the stack: nothing it belongs to may be freed before it ends.
    TApplication::THandlerScope running(app);
    while (modalResult_ == 0 && !app.Terminated() && !ActivityEnded()) {
        if (app.HandleMessage()) continue;
        if (app.OnModalIdle && app.OnModalIdle()) continue;
        modal_ = false;
        Hide();
        throw std::runtime_error("a modal window waits for input that never comes");
    }
    int result = modalResult_;
    modal_ = false;
    Hide();
    return result;
}

void TForm::SetTopMost(bool topMost) {
    if (topMost_ == topMost) return;
    topMost_ = topMost;
    if (window_) Application().System().SetWindowTopMost(window_, topMost);
}

void TForm::SetFormRegion(const TRegion* region) {
    SetWindowRegion(region);
    EnsureWindow();
    if (window_) Application().System().SetWindowRegion(window_, region);
}

void TForm::SetIcon(const TBitmap& colour, const TBitmap& mask) {
    icon_ = colour;
    iconMask_ = mask;
    EnsureWindow();
    if (window_) Application().System().SetWindowIcon(window_, icon_, iconMask_);
}

bool TForm::HasFocusWindow() const {
    return window_ && HasApplication() && Application().System().ActiveWindow() == window_;
}

void TForm::Minimize(bool minimize) {
    minimized_ = minimize;
    if (window_) Application().System().MinimizeWindow(window_, minimize);
}

void TForm::BringWindowToFront() {
    if (window_) Application().System().BringWindowToFront(window_);
}

void TForm::StartTitleDrag() {
    captureControl_ = nullptr;
    if (window_) Application().System().BeginWindowDrag(window_);
}

void TForm::SetActiveControl(TWinControl* control) {
    if (control == activeControl_) return;
    if (control && !control->CanFocus()) return;
    TWinControl* previous = activeControl_;
    activeControl_ = control;
    if (previous) {
        previous->DoExit();
        previous->Invalidate();
    }
    if (control) {
        control->DoEnter();
        control->Invalidate();
    }
}

void TForm::ControlGoingAway(TControl* control) {
    // A container going away takes its children with it.
    auto inside = [control](TControl* c) {
        for (; c; c = c->Parent())
            if (c == control) return true;
        return false;
    };
    if (inside(activeControl_)) activeControl_ = nullptr;
    if (inside(captureControl_)) captureControl_ = nullptr;
    if (inside(hoverControl_)) hoverControl_ = nullptr;
    if (inside(pressedControl_)) pressedControl_ = nullptr;
    if (inside(lastDownControl_)) lastDownControl_ = nullptr;
}

void TForm::Resized() {
    // A window that has not painted yet (a dialog most tables never open) gets its pixels when it first
    // paints.
    if (!framebuffer_.Empty()) framebuffer_.SetSize(Width(), Height());
    if (window_) Application().System().SetWindowBounds(window_, BoundsRect());
    InvalidateFormRect(ClientRect());
    TWinControl::Resized();
}

void TForm::WndProc(TMessage& message) {
    if (message.Msg == WM_WINDOWPOSCHANGED && window_ && HasApplication() &&
        Application().System().WindowBounds(window_) != BoundsRect())
        Application().System().SetWindowBounds(window_, BoundsRect());
    if (message.Msg == CM_TEXTCHANGED && window_ && HasApplication())
        Application().System().SetWindowCaption(window_, Caption());
    TWinControl::WndProc(message);
}

void TForm::InvalidateFormRect(const TRect& rect) {
    // A hidden window keeps no damage: nothing of it is on the screen, and Show repaints it whole. So an
    // animation that repaints at once paints nothing while its table is hidden.
    if (window_ && !shown_) return;
    TRect visible = rect.Intersect(ClientRect());
    if (visible.IsEmpty()) return;
    dirty_.Add(visible);
    if (dirty_.Rects().size() > kMostDirtyRects) dirty_ = TRegion(dirty_.Bounds());
    if (window_ && shown_) Application().System().InvalidateWindow(window_, visible);
}

void TForm::PaintPending() {
    if (!dirty_.Empty()) WindowPaint(dirty_.Bounds());
}

void TForm::WindowPaint(const TRect&) {
    if (framebuffer_.Empty() && !dirty_.Empty()) framebuffer_.SetSize(Width(), Height());
    if (dirty_.Empty() || framebuffer_.Empty()) {
        dirty_.Clear();
        return;
    }
    TRegion region = std::move(dirty_);
    dirty_.Clear();
    for (const TRect& rect : region.Rects()) {
        TCanvas canvas(framebuffer_);
        canvas.IntersectClipRect(rect);
        PaintTree(canvas, *this);
        ++paintCount_;
        paintedPixels_ += (long long)rect.Width() * rect.Height();
        if (window_) Application().System().PresentWindow(window_, framebuffer_, rect);
    }
}

namespace {

// The shown children of `container` that reach into `clip`, bottom first.
std::vector<TControl*> ChildrenInClip(const TWinControl& container, const TRect& clip) {
    std::vector<TControl*> inClip;
    for (int i = 0; i < container.ControlCount(); ++i) {
        TControl* child = container.Controls(i);
        if (child->Visible() && !child->BoundsRect().Intersect(clip).IsEmpty()) inClip.push_back(child);
    }
    return inClip;
}

} // namespace

void TForm::PaintTree(TCanvas& canvas, TControl& control) {
    TCanvasSaver saver(canvas);
    if (&control != this) canvas.MoveOrigin(control.Left(), control.Top());
    canvas.IntersectClipRect(control.ClientRect());
    const TRect clip = canvas.ClipRect();
    if (clip.IsEmpty()) return;
    auto* container = dynamic_cast<TWinControl*>(&control);
    if (!container) {
        control.PaintControl(canvas);
        return;
    }
    // A small change touches few of a container's many children: the others are passed over once here
    // rather than once for every child painted (the table has hundreds).
    std::vector<TControl*> inClip = ChildrenInClip(*container, clip);
    if (!CoveredByOpaqueChild(inClip, 0, clip)) control.PaintControl(canvas);
    if (canvas.ClipRect() != clip) inClip = ChildrenInClip(*container, canvas.ClipRect());
    for (std::size_t i = 0; i < inClip.size(); ++i) {
        TControl* child = inClip[i];
        if (!child->Visible()) continue;
        const TRect shown = child->BoundsRect().Intersect(canvas.ClipRect());
        // A child that a sibling above it hides entirely (the skin frame under the table) is not painted.
        if (!shown.IsEmpty() && !CoveredByOpaqueChild(inClip, i + 1, shown)) PaintTree(canvas, *child);
    }
}

bool TForm::CoveredByOpaqueChild(const std::vector<TControl*>& inClip, std::size_t first, const TRect& clip) {
    for (std::size_t i = inClip.size(); i-- > first;) {
        const TControl* child = inClip[i];
        if (!child->Visible() || child->BoundsRect().Intersect(clip) != clip) continue;
        if (child->Opaque()) return true;
        const auto* inner = dynamic_cast<const TWinControl*>(child);
        if (inner && CoveredByOpaqueChild(*inner, clip.Offset(-child->Left(), -child->Top()))) return true;
    }
    return false;
}

bool TForm::CoveredByOpaqueChild(const TWinControl& container, const TRect& clip, int firstChild) {
    // Any one covering child answers, so the order is free: bottom first finds a background soonest.
    for (int i = firstChild; i < container.ControlCount(); ++i) {
        const TControl* child = container.Controls(i);
        if (!child->Visible() || child->BoundsRect().Intersect(clip) != clip) continue;
        if (child->Opaque()) return true;
        // A child container whose own opaque child covers the clip paints every pixel of it too (the
        // table over its felt), so nothing below it needs painting.
        const auto* inner = dynamic_cast<const TWinControl*>(child);
        if (inner && CoveredByOpaqueChild(*inner, clip.Offset(-child->Left(), -child->Top()))) return true;
    }
    return false;
}

void TForm::Paint(TCanvas& canvas) {
    if (Color() != clNone) canvas.FillRect(ClientRect(), Color());
}

TControl* TForm::TargetAt(TPoint formPoint) const {
    if (!HitTest(formPoint)) return nullptr;
    TControl* found = ControlAtPos(formPoint, true, true);
    TControl* target = found ? found : const_cast<TForm*>(this);
    // A disabled control, or one inside a disabled container, gives the mouse to nobody.
    for (TControl* c = target; c; c = c->Parent())
        if (!c->Enabled()) return nullptr;
    return target;
}

TPoint TForm::ToControl(const TControl& control, TPoint formPoint) const {
    TPoint origin = control.ClientToForm({0, 0});
    return {formPoint.x - origin.x, formPoint.y - origin.y};
}

void TForm::UpdateHover(TControl* target) {
    if (target == hoverControl_) return;
    TControl* previous = hoverControl_;
    hoverControl_ = target;
    if (previous) previous->MouseLeave();
    if (target && target == hoverControl_) target->MouseEnter();
    if (HasApplication() && window_)
        Application().System().SetCursorShape(window_, target ? target->Cursor() : 0);
}

void TForm::WindowMouseDown(TMouseButton button, TShiftState shift, TPoint at) {
    if (ActivityEnded()) return; // a closed table's windows only show; this holds for every input below
    TControl* target = captureControl_ ? captureControl_ : TargetAt(at);
    if (!target) return;
    UpdateHover(captureControl_ ? hoverControl_ : target);
    std::uint32_t now = Application().System().TickCount();
    bool isDouble = target == lastDownControl_ && button == lastDownButton_ &&
                    now - lastDownTime_ <= Application().System().DoubleClickTime() &&
                    std::abs(at.x - lastDownAt_.x) <= kDoubleClickSlop &&
                    std::abs(at.y - lastDownAt_.y) <= kDoubleClickSlop;
    lastDownControl_ = isDouble ? nullptr : target;
    lastDownTime_ = now;
    lastDownAt_ = at;
    lastDownButton_ = button;
    if (auto* focusable = dynamic_cast<TWinControl*>(target); focusable && focusable->TabStop())
        SetActiveControl(focusable);
    captureControl_ = target;
    pressedControl_ = target;
    TPoint local = ToControl(*target, at);
    target->MouseDown(button, TShiftState(shift | (isDouble ? ssDouble : 0)), local.x, local.y);
    if (isDouble && button == TMouseButton::mbLeft && pressedControl_ == target) target->DblClick();
}

void TForm::WindowMouseUp(TMouseButton button, TShiftState shift, TPoint at) {
    if (ActivityEnded()) return;
    TControl* target = captureControl_ ? captureControl_ : TargetAt(at);
    if (!target) return;
    TControl* pressed = pressedControl_;
    captureControl_ = nullptr;
    pressedControl_ = nullptr;
    TPoint local = ToControl(*target, at);
    target->MouseUp(button, shift, local.x, local.y);
    // The control may be gone or hidden after its own handler; a click needs it still under the mouse.
    if (button == TMouseButton::mbLeft && pressed == target && hoverControl_ != nullptr &&
        TargetAt(at) == target && target->ClientRect().Contains(local))
        target->Click();
    UpdateHover(TargetAt(at));
}

void TForm::WindowMouseMove(TShiftState shift, TPoint at) {
    if (ActivityEnded()) return;
    TControl* under = TargetAt(at);
    UpdateHover(under);
    TControl* target = captureControl_ ? captureControl_ : under;
    if (!target) return;
    TPoint local = ToControl(*target, at);
    target->MouseMove(shift, local.x, local.y);
}

void TForm::WindowMouseWheel(TShiftState shift, int delta, TPoint at) {
    if (ActivityEnded()) return;
    for (TControl* c = activeControl_ ? static_cast<TControl*>(activeControl_) : TargetAt(at); c;
         c = c->Parent())
        if (c->MouseWheel(shift, delta, at)) return;
}

void TForm::WindowMouseLeave() {
    UpdateHover(nullptr);
}

void TForm::WindowKeyDown(TKey key, TShiftState shift) {
    if (ActivityEnded()) return;
    if (KeyPreview) {
        KeyDown(key, shift);
        if (key == 0) return;
    }
    TWinControl* target = activeControl_ ? activeControl_ : this;
    target->KeyDown(key, shift);
    // Enter and Escape that the focused control left alone go to the form's Default and Cancel buttons,
    // as in any dialog.
    if (key != 0 && shift == 0) PressDialogKey(*this, key);
}

void TForm::WindowKeyUp(TKey key, TShiftState shift) {
    if (ActivityEnded()) return;
    if (KeyPreview) {
        KeyUp(key, shift);
        if (key == 0) return;
    }
    TWinControl* target = activeControl_ ? activeControl_ : this;
    target->KeyUp(key, shift);
}

void TForm::WindowChar(const std::string& gbkChar) {
    if (ActivityEnded()) return;
    std::string ch = gbkChar;
    if (KeyPreview) {
        KeyPress(ch);
        if (ch.empty()) return;
    }
    TWinControl* target = activeControl_ ? activeControl_ : this;
    if (target != this || !KeyPreview) target->KeyPress(ch);
}

void TForm::WindowCloseRequest() {
    if (ActivityEnded()) return;
    Close();
}

void TForm::WindowActivated(bool) {}

void TForm::WindowMoved(const TRect& bounds) {
    // The platform moved the window (a title drag): keep the bounds without moving it back.
    if (bounds.Width() == Width() && bounds.Height() == Height())
        SetBounds(bounds.left, bounds.top, Width(), Height());
}

} // namespace morvane
