#pragma once

#include "gui/Control.h"
#include "gui/Region.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace morvane {

using TKeyEvent = std::function<void(TControl* sender, TKey& key, TShiftState shift)>;
// One character as GBK bytes; clearing it swallows the key.
using TKeyPressEvent = std::function<void(TControl* sender, std::string& gbkChar)>;

// A control that holds other controls and can take the keyboard focus.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // Creates a child control owned by this one and parented on it, in one call: `Add<TLabel>()`.
    template <typename T, typename... Args>
    T* Add(Args&&... args) {
        return AddTo<T>(*this, std::forward<Args>(args)...);
    }
    // The same, parented on another container (this control still owns it and frees it).
    template <typename T, typename... Args>
    T* AddTo(TWinControl& parent, Args&&... args) {
        T* child = Own(std::make_unique<T>(this, std::forward<Args>(args)...));
        child->SetParent(&parent);
        return child;
    }

    int ControlCount() const { return int(controls_.size()); }
    // Children in z-order: the last is on top.
    TControl* Controls(int index) const { return controls_.at(std::size_t(index)); }
    // The topmost visible child (searching into containers) under a point of this control's client area;
    // nullptr when the point is on this control itself. Disabled controls are found only when asked.
    TControl* ControlAtPos(TPoint point, bool allowDisabled = false, bool recurse = true) const;
    // Ends the activity of every child too, whoever owns it.
    void EndActivity() override;

    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    bool CanFocus() const;
    void SetFocus();
    bool Focused() const;

    // The window shape: outside it the control neither paints nor takes the mouse. nullptr removes it.
    void SetWindowRegion(const TRegion* region);
    const TRegion* WindowRegion() const { return windowRegion_ ? &*windowRegion_ : nullptr; }
    bool HitTest(TPoint point) const;

    // Lays the aligned children out in the client area.
    void AlignControls();

    // Keyboard input, as the form routes it to the focused control.
    virtual void KeyDown(TKey& key, TShiftState shift);
    virtual void KeyUp(TKey& key, TShiftState shift);
    virtual void KeyPress(std::string& gbkChar);
    virtual void DoEnter();
    virtual void DoExit();

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    void Resized() override;
    void VisibleChanged() override;

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void MoveControl(TControl* control, bool toFront);

    std::vector<TControl*> controls_;
    bool tabStop_{false};
    bool aligning_{false};
    std::optional<TRegion> windowRegion_;
};

// A windowed control that paints itself (the base of custom controls).
class TCustomControl : public TWinControl {
public:
    using TWinControl::TWinControl;
};

// A control without children that paints on its parent.
class TGraphicControl : public TControl {
public:
    using TControl::TControl;
};

} // namespace morvane
