#pragma once

#include "gui/Bitmap.h"
#include "gui/WinControl.h"
#include "gui/WindowSystem.h"

namespace morvane {

enum class TCloseAction { caNone, caHide, caFree, caMinimize };

// A top-level window of the platform: it owns the framebuffer every control on it paints into, collects
// the dirty rectangles, routes mouse and keyboard input to its controls and runs modal loops.
// Its bounds are in screen coordinates; the whole window is client area (skinned windows have no frame).
class TForm : public TWinControl, private IWindowClient {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    TForm* ParentForm() const override { return const_cast<TForm*>(this); }
    bool Showing() const override { return Visible() && shown_; }

    void Show();
    void Hide();
    void Close();
    // Shows the form and runs messages until ModalResult is set; returns it. The form is hidden after.
    int ShowModal();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    bool Modal() const { return modal_; }
    // Ends a modal run (as cancelled), refuses new ones and takes no more input.
    void EndActivity() override;

    bool TopMost() const { return topMost_; }
    void SetTopMost(bool topMost);
    void SetFormRegion(const TRegion* region);
    // The window's icon as colour image and AND mask (white where the screen shows through).
    void SetIcon(const TBitmap& colour, const TBitmap& mask);
    const TBitmap& Icon() const { return icon_; }
    const TBitmap& IconMask() const { return iconMask_; }
    // Whether the keyboard focus is in this form's window.
    bool HasFocusWindow() const;
    void Minimize(bool minimize);
    // Whether the form was last minimised rather than restored.
    bool Minimized() const { return minimized_; }
    void BringWindowToFront();
    void StartTitleDrag();

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // The control that gets every mouse event until the buttons are released (or capture is released).
    void SetCaptureControl(TControl* control) { captureControl_ = control; }
    TControl* CaptureControl() const { return captureControl_; }
    void ReleaseCapture() { captureControl_ = nullptr; }

    // Dirty-rectangle painting: marks a part of the form, and paints what is marked now. Past
    // kMostDirtyRects marked rectangles (a window that is not painted for a long time, hidden by the boss
    // key, while bets keep arriving) the mark becomes the one rectangle around them all, so marking stays
    // cheap however long the paint waits.
    static constexpr std::size_t kMostDirtyRects = 32;
    void InvalidateFormRect(const TRect& rect);
    void PaintPending();
    const TRegion& PendingPaint() const { return dirty_; }
    const TBitmap& Framebuffer() const { return framebuffer_; }
    // How many paint passes ran and how many pixels they covered, for checking that a change repaints
    // only what it must.
    int PaintCount() const { return paintCount_; }
    long long PaintedPixels() const { return paintedPixels_; }

    TWindowId WindowId() const { return window_; }
    bool WindowCreated() const { return window_ != 0; }

    // Called by a container whose child leaves (destroyed, hidden, re-parented).
    void ControlGoingAway(TControl* control);

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnDestroy;
    std::function<void(TControl* sender, TCloseAction& action)> OnClose;
    std::function<void(TControl* sender, bool& canClose)> OnCloseQuery;
    // Keys reach the form before the focused control when KeyPreview is on.
    bool KeyPreview{false};

    // The input the platform hands the window, reachable for tests and the replay driver.
    IWindowClient& Input() { return *this; }

protected:
    void Paint(TCanvas& canvas) override;
    void Resized() override;
    // A move of the form moves its window (a resize does so in Resized), a new caption captions it.
    void WndProc(TMessage& message) override;
    virtual bool CloseQuery();

private:
    void EnsureWindow();
    void PaintTree(TCanvas& canvas, TControl& control);
    // A container need not paint itself where an opaque child covers the whole area being painted.
    // True when a visible child from `firstChild` on paints every pixel of `clip` (container coordinates).
    static bool CoveredByOpaqueChild(const TWinControl& container, const TRect& clip, int firstChild = 0);
    // The same over the shown children of a container that reach into the clip, in z-order, from `first`
    // on: only they can hide anything inside it.
    static bool CoveredByOpaqueChild(const std::vector<TControl*>& inClip, std::size_t first,
                                     const TRect& clip);
    TControl* TargetAt(TPoint formPoint) const;
    TPoint ToControl(const TControl& control, TPoint formPoint) const;
    void UpdateHover(TControl* target);

    // IWindowClient
    void WindowPaint(const TRect& dirty) override;
    void WindowMouseDown(TMouseButton button, TShiftState shift, TPoint at) override;
    void WindowMouseUp(TMouseButton button, TShiftState shift, TPoint at) override;
    void WindowMouseMove(TShiftState shift, TPoint at) override;
    void WindowMouseWheel(TShiftState shift, int delta, TPoint at) override;
    void WindowMouseLeave() override;
    void WindowKeyDown(TKey key, TShiftState shift) override;
    void WindowKeyUp(TKey key, TShiftState shift) override;
    void WindowChar(const std::string& gbkChar) override;
    void WindowCloseRequest() override;
    void WindowActivated(bool active) override;
    void WindowMoved(const TRect& bounds) override;

    TWindowId window_{0};
    TBitmap framebuffer_;
    TBitmap icon_;
    TBitmap iconMask_;
    TRegion dirty_;
    bool shown_{false};
    bool topMost_{false};
    bool minimized_{false};
    bool modal_{false};
    int modalResult_{0};
    int paintCount_{0};
    long long paintedPixels_{0};
    TWinControl* activeControl_{nullptr};
    TControl* captureControl_{nullptr};
    TControl* hoverControl_{nullptr};
    TControl* pressedControl_{nullptr};
    // The last press, to tell a double click.
    TControl* lastDownControl_{nullptr};
    std::uint32_t lastDownTime_{0};
    TPoint lastDownAt_{};
    TMouseButton lastDownButton_{TMouseButton::mbLeft};
};

} // namespace morvane
