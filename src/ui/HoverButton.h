#pragma once

#include "gui/WinControl.h"

namespace morvane {

// What the skinned buttons share: a pressed state while a mouse button is held, and a hover state that a
// 200 ms timer keeps checking, so a button the mouse has left (or that was disabled meanwhile) drops its
// hover look even when the leave notice went elsewhere.
class THoverButton : public TGraphicControl {
public:
    static constexpr std::uintptr_t kHoverTimer = 1;
    static constexpr std::uint32_t kHoverInterval = 200;

    explicit THoverButton(TComponent* owner) : TGraphicControl(owner) {}
    ~THoverButton() override;

    bool Pressed() const { return pressed_; }
    bool Hovered() const { return hovered_; }

protected:
    // Whether a press of this button shows the pressed look.
    virtual bool PressesWith(TMouseButton button) const = 0;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void EnabledChanged() override;
    void WndProc(TMessage& message) override;

private:
    void CheckHover();

    bool pressed_{false};
    bool hovered_{false};
    bool mouseInside_{false};
};

} // namespace morvane
