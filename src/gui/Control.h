#pragma once

#include "base/Types.h"
#include "gui/Application.h"
#include "gui/Component.h"
#include "gui/Font.h"
#include "gui/Keys.h"
#include "gui/Messages.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace morvane {

class TCanvas;
class TForm;
class TWinControl;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

using TNotifyEvent = std::function<void(TControl* sender)>;
using TMouseEvent = std::function<void(TControl* sender, TMouseButton, TShiftState, int x, int y)>;
using TMouseMoveEvent = std::function<void(TControl* sender, TShiftState, int x, int y)>;

// A visible element: a rectangle in its parent's client coordinates that paints itself and takes the mouse.
// Every control draws into its form's framebuffer; `Paint` gets a canvas whose origin is the control's
// top-left corner and whose clip is the control's visible part.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    // The form this control is on (itself for a form), or nullptr.
    virtual TForm* ParentForm() const;

    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    TRect BoundsRect() const { return bounds_; }
    TRect ClientRect() const { return {0, 0, Width(), Height()}; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible itself and through every parent up to a shown form.
    virtual bool Showing() const;
    // True when Paint covers every pixel of the control with opaque colour, so whatever lies below it
    // need not be painted first.
    virtual bool Opaque() const { return false; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    const std::string& Text() const { return caption_; }
    void SetText(const std::string& text) { SetCaption(text); }
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFont& Font() { return *font_; }
    const TFont& Font() const { return *font_; }
    void SetFont(const TFont& font) { font_->Assign(font); }
    int Cursor() const { return cursor_; }
    void SetCursor(int cursor) { cursor_ = cursor; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }

    TControlHandle Handle() const { return handle_; }

    // Marks the control's rectangle for repainting soon.
    void Invalidate();
    void InvalidateRect(const TRect& rect);
    // Paints what is marked in the control's form now.
    void Update();
    void Repaint() {
        Invalidate();
        Update();
    }
    void BringToFront();
    void SendToBack();

    TPoint ClientToForm(TPoint point) const;
    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;

    // Sends a message to the control at once and returns its result.
    std::intptr_t Perform(std::uint32_t msg, std::intptr_t wParam = 0, std::intptr_t lParam = 0);
    void PostMessage(std::uint32_t msg, std::intptr_t wParam = 0, std::intptr_t lParam = 0);
    // A window timer: WM_TIMER with the id arrives through WndProc every `intervalMs`.
    void SetTimer(std::uintptr_t id, std::uint32_t intervalMs);
    void KillTimer(std::uintptr_t id);
    // Stops every timer of the control and refuses new ones.
    void EndActivity() override;

    // Called by the form: paints the control (and, for containers, nothing more: the form paints children).
    void PaintControl(TCanvas& canvas);

    // Mouse input, in the control's client coordinates, as the form routes it.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual bool MouseWheel(TShiftState shift, int delta, TPoint at);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Click();
    virtual void DblClick();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

protected:
    virtual void Paint(TCanvas& canvas);
    // Handles a message; the default answers the timer, caption and visibility notices and otherwise
    // leaves Result at 0. Descendants handle their private messages and call the base for the rest.
    virtual void WndProc(TMessage& message);
    virtual void Resized();
    virtual void VisibleChanged();
    virtual void EnabledChanged();
    virtual void FontChanged();
    void RequestAlign();

private:
    friend class TWinControl;
    void NotifyMessageObservers(const TMessage& message);

    TWinControl* parent_{nullptr};
    TRect bounds_{};
    bool visible_{true};
    bool enabled_{true};
    std::string caption_;
    TColor color_{0xFF00000F};
    std::unique_ptr<TFont> font_;
    int cursor_{0};
    std::string hint_;
    TAlign align_{TAlign::alNone};
    std::intptr_t tag_{0};
    TControlHandle handle_{0};
    std::map<std::uintptr_t, TTimerId> timers_;
};

} // namespace morvane
