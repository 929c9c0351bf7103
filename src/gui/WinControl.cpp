#include "gui/WinControl.h"

#include "gui/Form.h"

#include <algorithm>

namespace morvane {

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    if (TForm* form = ParentForm(); form && form != static_cast<TControl*>(this))
        form->ControlGoingAway(this);
    // Children owned by this control reach back into it while dying, so they go first; children owned
    // elsewhere are only let go.
    DestroyComponents();
    for (TControl* child : controls_)
        child->parent_ = nullptr;
    controls_.clear();
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    control->parent_ = this;
}

void TWinControl::RemoveControl(TControl* control) {
    if (TForm* form = ParentForm()) form->ControlGoingAway(control);
    std::erase(controls_, control);
    control->parent_ = nullptr;
    if (control->Align() != TAlign::alNone) AlignControls();
}

void TWinControl::MoveControl(TControl* control, bool toFront) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    controls_.erase(it);
    if (toFront)
        controls_.push_back(control);
    else
        controls_.insert(controls_.begin(), control);
    control->Invalidate();
}

TControl* TWinControl::ControlAtPos(TPoint point, bool allowDisabled, bool recurse) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* child = *it;
        if (!child->Visible() || (!allowDisabled && !child->Enabled())) continue;
        if (!child->BoundsRect().Contains(point)) continue;
        TPoint local{point.x - child->Left(), point.y - child->Top()};
        auto* container = dynamic_cast<TWinControl*>(child);
        if (container && !container->HitTest(local)) continue;
        if (recurse && container) {
            if (TControl* inner = container->ControlAtPos(local, allowDisabled, true)) return inner;
        }
        return child;
    }
    return nullptr;
}

bool TWinControl::HitTest(TPoint point) const {
    return !windowRegion_ || windowRegion_->Contains(point);
}

void TWinControl::SetWindowRegion(const TRegion* region) {
    if (region)
        windowRegion_ = *region;
    else
        windowRegion_.reset();
    Invalidate();
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return ParentForm() != nullptr;
}

void TWinControl::SetFocus() {
    if (TForm* form = ParentForm()) form->SetActiveControl(this);
}

bool TWinControl::Focused() const {
    TForm* form = ParentForm();
    return form && form->ActiveControl() == this;
}

void TWinControl::AlignControls() {
    if (aligning_) return;
    aligning_ = true;
    TRect space = ClientRect();
    auto place = [&](TAlign which) {
        for (TControl* c : controls_) {
            if (c->Align() != which || !c->Visible()) continue;
            switch (which) {
            case TAlign::alTop:
                c->SetBounds(space.left, space.top, space.Width(), c->Height());
                space.top += c->Height();
                break;
            case TAlign::alBottom:
                c->SetBounds(space.left, space.bottom - c->Height(), space.Width(), c->Height());
                space.bottom -= c->Height();
                break;
            case TAlign::alLeft:
                c->SetBounds(space.left, space.top, c->Width(), space.Height());
                space.left += c->Width();
                break;
            case TAlign::alRight:
                c->SetBounds(space.right - c->Width(), space.top, c->Width(), space.Height());
                space.right -= c->Width();
                break;
            case TAlign::alClient:
                c->SetBounds(space.left, space.top, space.Width(), space.Height());
                break;
            case TAlign::alNone:
                break;
            }
        }
    };
    for (TAlign a : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient})
        place(a);
    aligning_ = false;
}

void TWinControl::Resized() {
    AlignControls();
    TControl::Resized();
}

void TWinControl::VisibleChanged() {
    if (!Visible())
        if (TForm* form = ParentForm(); form && form != static_cast<TControl*>(this))
            form->ControlGoingAway(this);
}

void TWinControl::KeyDown(TKey& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(TKey& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(std::string& gbkChar) {
    if (OnKeyPress) OnKeyPress(this, gbkChar);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::EndActivity() {
    TControl::EndActivity();
    // A copy: nothing should change the children now, but the walk must not depend on it.
    const std::vector<TControl*> children = controls_;
    for (TControl* child : children)
        EndActivityOfTree(*child);
}

} // namespace morvane
