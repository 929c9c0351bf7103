#pragma once

#include "gui/WinControl.h"

namespace morvane {

enum class TScrollBarKind { sbHorizontal, sbVertical };

// What a control's built-in scroll bar looks like now: its rectangle in the control's parent coordinates,
// its state and range, and where its thumb lies (pixels from the bar's start; both 0 without a thumb).
struct TScrollBarInfo {
    TRect rect;
    bool visible{false};
    bool enabled{true};
    int min{0};
    int max{0};
    int page{0};
    int pos{0};
    int trackPos{0};
    int thumbStart{0};
    int thumbEnd{0};
};

// A control with built-in horizontal and vertical scroll bars along its right and bottom edges, shown
// while the range is larger than the page. The bars can be pressed by code (the scroll-bar skin forwards
// presses on its covers here) or by WM_NCLBUTTONDOWN with HTHSCROLL / HTVSCROLL and the point, in parent
// coordinates, packed in LParam. Each change of position sends the control WM_HSCROLL or WM_VSCROLL.
class TScrollingControl : public TCustomControl {
public:
    static constexpr int kBarSize = 17;

    explicit TScrollingControl(TComponent* owner);

    TScrollBarInfo ScrollBarInfo(TScrollBarKind kind) const;
    // Presses the bar at a point in parent coordinates: arrows scroll a line, the track a page, the thumb
    // starts a drag that follows the mouse until the button is released.
    void ScrollBarPress(TScrollBarKind kind, TPoint hitPoint);
    int ScrollPos(TScrollBarKind kind) const { return Bar(kind).pos; }
    void SetScrollPos(TScrollBarKind kind, int pos);
    // The bar shows while max - min + 1 > page.
    void SetScrollRange(TScrollBarKind kind, int min, int max, int page);
    void SetScrollBarEnabled(TScrollBarKind kind, bool enabled);
    int MaxScrollPos(TScrollBarKind kind) const;
    bool BorderVisible() const { return border_; }
    void SetBorderVisible(bool value);
    // The client area without border and bars: where the content is drawn.
    TRect ContentRect() const;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool MouseWheel(TShiftState shift, int delta, TPoint at) override;

protected:
    // Told after a position changed; the default repaints.
    virtual void ScrollChanged(TScrollBarKind kind);
    // How far one arrow press scrolls.
    virtual int LineStep(TScrollBarKind) const { return 1; }
    // Paints border and bars; descendants paint their content inside ContentRect first.
    void PaintFrame(TCanvas& canvas);
    void WndProc(TMessage& message) override;
    // True while the mouse is busy with a bar (a press there or a thumb drag).
    bool ScrollBarBusy() const { return thumbDrag_ || pressOnBar_; }

private:
    struct TBarState {
        int min{0};
        int max{0};
        int page{0};
        int pos{0};
        int trackPos{0};
        bool enabled{true};
    };
    const TBarState& Bar(TScrollBarKind kind) const {
        return kind == TScrollBarKind::sbVertical ? vbar_ : hbar_;
    }
    TBarState& Bar(TScrollBarKind kind) { return kind == TScrollBarKind::sbVertical ? vbar_ : hbar_; }
    bool BarVisible(TScrollBarKind kind) const;
    // The bar's rectangle in client coordinates (empty when hidden).
    TRect BarRect(TScrollBarKind kind) const;
    // Arrow length and thumb start/end along the bar, in pixels from its start.
    void Geometry(TScrollBarKind kind, int& arrow, int& thumbStart, int& thumbEnd) const;
    void PaintBar(TCanvas& canvas, TScrollBarKind kind);
    bool PressAt(TPoint client);
    void DragTo(TPoint client);

    TBarState hbar_;
    TBarState vbar_;
    bool border_{true};
    bool thumbDrag_{false};
    TScrollBarKind dragging_{TScrollBarKind::sbVertical};
    int dragOffset_{0};
    bool pressOnBar_{false};
};

} // namespace morvane
