#include "gui/ScrollingControl.h"

#include "gui/Form.h"
#include "gui/Frame3D.h"

#include <algorithm>

namespace morvane {
namespace {

constexpr int kMinThumb = 8;
constexpr int kWheelLines = 3;

bool IsVertical(TScrollBarKind kind) {
    return kind == TScrollBarKind::sbVertical;
}

// A small filled triangle pointing up or left (towards the start) or down or right (towards the end).
void Arrow(TCanvas& canvas, const TRect& box, TScrollBarKind kind, bool towardsEnd, TColor colour) {
    const int cx = box.left + box.Width() / 2;
    const int cy = box.top + box.Height() / 2;
    const int d = towardsEnd ? 3 : -3;
    TCanvasSaver saver(canvas);
    canvas.Brush().color = colour;
    canvas.Brush().style = TBrushStyle::bsSolid;
    canvas.Pen().width = 0;
    if (IsVertical(kind))
        canvas.Polygon({{cx - 4, cy - d + (towardsEnd ? 0 : 1)},
                        {cx + 5, cy - d + (towardsEnd ? 0 : 1)},
                        {cx, cy + d + (towardsEnd ? 1 : 0)}});
    else
        canvas.Polygon({{cx - d + (towardsEnd ? 0 : 1), cy - 4},
                        {cx - d + (towardsEnd ? 0 : 1), cy + 5},
                        {cx + d + (towardsEnd ? 1 : 0), cy}});
}

} // namespace

TScrollingControl::TScrollingControl(TComponent* owner) : TCustomControl(owner) {
    SetColor(clWindow);
    SetTabStop(true);
}

void TScrollingControl::SetBorderVisible(bool value) {
    if (border_ == value) return;
    border_ = value;
    Invalidate();
}

bool TScrollingControl::BarVisible(TScrollBarKind kind) const {
    const TBarState& bar = Bar(kind);
    return bar.page > 0 && bar.max - bar.min + 1 > bar.page;
}

int TScrollingControl::MaxScrollPos(TScrollBarKind kind) const {
    const TBarState& bar = Bar(kind);
    return std::max(bar.min, bar.max - std::max(bar.page - 1, 0));
}

TRect TScrollingControl::BarRect(TScrollBarKind kind) const {
    if (!BarVisible(kind)) return {};
    const int b = border_ ? 2 : 0;
    const bool other =
        BarVisible(IsVertical(kind) ? TScrollBarKind::sbHorizontal : TScrollBarKind::sbVertical);
    if (IsVertical(kind))
        return {Width() - b - kBarSize, b, Width() - b, Height() - b - (other ? kBarSize : 0)};
    return {b, Height() - b - kBarSize, Width() - b - (other ? kBarSize : 0), Height() - b};
}

TRect TScrollingControl::ContentRect() const {
    const int b = border_ ? 2 : 0;
    TRect r{b, b, Width() - b, Height() - b};
    if (BarVisible(TScrollBarKind::sbVertical)) r.right -= kBarSize;
    if (BarVisible(TScrollBarKind::sbHorizontal)) r.bottom -= kBarSize;
    return r;
}

void TScrollingControl::Geometry(TScrollBarKind kind, int& arrow, int& thumbStart, int& thumbEnd) const {
    const TRect rect = BarRect(kind);
    const int length = IsVertical(kind) ? rect.Height() : rect.Width();
    const int thickness = IsVertical(kind) ? rect.Width() : rect.Height();
    arrow = std::min(thickness, length / 2);
    thumbStart = thumbEnd = 0;
    const TBarState& bar = Bar(kind);
    const int track = length - 2 * arrow;
    const int range = bar.max - bar.min + 1;
    if (!bar.enabled || range <= 0 || track <= 0) return;
    const int thumb = std::max(kMinThumb, int(std::int64_t(track) * bar.page / range));
    if (thumb >= track) return;
    const int travel = MaxScrollPos(kind) - bar.min;
    const int at = travel > 0 ? int(std::int64_t(track - thumb) * (bar.trackPos - bar.min) / travel) : 0;
    thumbStart = arrow + at;
    thumbEnd = thumbStart + thumb;
}

TScrollBarInfo TScrollingControl::ScrollBarInfo(TScrollBarKind kind) const {
    TScrollBarInfo info;
    const TBarState& bar = Bar(kind);
    info.visible = Visible() && BarVisible(kind);
    info.enabled = bar.enabled && Enabled();
    info.min = bar.min;
    info.max = bar.max;
    info.page = bar.page;
    info.pos = bar.pos;
    info.trackPos = bar.trackPos;
    info.rect = BarRect(kind).Offset(Left(), Top());
    int arrow = 0;
    Geometry(kind, arrow, info.thumbStart, info.thumbEnd);
    return info;
}

void TScrollingControl::SetScrollRange(TScrollBarKind kind, int min, int max, int page) {
    TBarState& bar = Bar(kind);
    if (bar.min == min && bar.max == max && bar.page == page) return;
    const bool wasVisible = BarVisible(kind);
    bar.min = min;
    bar.max = std::max(min, max);
    bar.page = std::max(0, page);
    const int clamped = std::clamp(bar.pos, bar.min, MaxScrollPos(kind));
    Invalidate();
    if (clamped != bar.pos || !BarVisible(kind)) {
        SetScrollPos(kind, BarVisible(kind) ? clamped : bar.min);
    } else if (wasVisible != BarVisible(kind)) {
        ScrollChanged(kind);
    }
    Perform(IsVertical(kind) ? WM_VSCROLL : WM_HSCROLL);
}

void TScrollingControl::SetScrollBarEnabled(TScrollBarKind kind, bool enabled) {
    if (Bar(kind).enabled == enabled) return;
    Bar(kind).enabled = enabled;
    Invalidate();
}

void TScrollingControl::SetScrollPos(TScrollBarKind kind, int pos) {
    TBarState& bar = Bar(kind);
    pos = std::clamp(pos, bar.min, MaxScrollPos(kind));
    bar.trackPos = pos;
    if (pos == bar.pos) return;
    bar.pos = pos;
    ScrollChanged(kind);
    Perform(IsVertical(kind) ? WM_VSCROLL : WM_HSCROLL);
}

void TScrollingControl::ScrollChanged(TScrollBarKind) {
    Invalidate();
}

void TScrollingControl::ScrollBarPress(TScrollBarKind kind, TPoint hitPoint) {
    const TPoint client{hitPoint.x - Left(), hitPoint.y - Top()};
    // A press meant for one bar that lands outside it (a cover slightly off) goes to that bar's nearest
    // point.
    const TRect rect = BarRect(kind);
    if (rect.IsEmpty()) return;
    // The release that follows belongs to the bar, not to the content.
    pressOnBar_ = true;
    PressAt(
        {std::clamp(client.x, rect.left, rect.right - 1), std::clamp(client.y, rect.top, rect.bottom - 1)});
}

bool TScrollingControl::PressAt(TPoint client) {
    for (TScrollBarKind kind : {TScrollBarKind::sbVertical, TScrollBarKind::sbHorizontal}) {
        const TRect rect = BarRect(kind);
        if (!rect.Contains(client)) continue;
        TBarState& bar = Bar(kind);
        if (!bar.enabled) return true;
        int arrow = 0, thumbStart = 0, thumbEnd = 0;
        Geometry(kind, arrow, thumbStart, thumbEnd);
        const int along = IsVertical(kind) ? client.y - rect.top : client.x - rect.left;
        const int length = IsVertical(kind) ? rect.Height() : rect.Width();
        const int page = std::max(1, bar.page);
        if (along < arrow)
            SetScrollPos(kind, bar.pos - LineStep(kind));
        else if (along >= length - arrow)
            SetScrollPos(kind, bar.pos + LineStep(kind));
        else if (thumbEnd > thumbStart && along < thumbStart)
            SetScrollPos(kind, bar.pos - page);
        else if (thumbEnd > thumbStart && along >= thumbEnd)
            SetScrollPos(kind, bar.pos + page);
        else if (thumbEnd > thumbStart) {
            dragging_ = kind;
            thumbDrag_ = true;
            dragOffset_ = along - thumbStart;
            if (TForm* form = ParentForm()) form->SetCaptureControl(this);
        }
        return true;
    }
    return false;
}

void TScrollingControl::DragTo(TPoint client) {
    const TScrollBarKind kind = dragging_;
    TBarState& bar = Bar(kind);
    const TRect rect = BarRect(kind);
    int arrow = 0, thumbStart = 0, thumbEnd = 0;
    Geometry(kind, arrow, thumbStart, thumbEnd);
    const int length = IsVertical(kind) ? rect.Height() : rect.Width();
    const int travelPixels = length - 2 * arrow - (thumbEnd - thumbStart);
    if (travelPixels <= 0) return;
    const int along = (IsVertical(kind) ? client.y - rect.top : client.x - rect.left) - dragOffset_ - arrow;
    const int travel = MaxScrollPos(kind) - bar.min;
    const int pos =
        bar.min +
        int((std::int64_t(std::clamp(along, 0, travelPixels)) * travel + travelPixels / 2) / travelPixels);
    SetScrollPos(kind, pos);
}

void TScrollingControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    pressOnBar_ = button == TMouseButton::mbLeft && PressAt({x, y});
    if (!pressOnBar_) TCustomControl::MouseDown(button, shift, x, y);
}

void TScrollingControl::MouseMove(TShiftState shift, int x, int y) {
    if (thumbDrag_) {
        DragTo({x, y});
        return;
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TScrollingControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (thumbDrag_ || pressOnBar_) {
        thumbDrag_ = false;
        pressOnBar_ = false;
        return;
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

bool TScrollingControl::MouseWheel(TShiftState shift, int delta, TPoint at) {
    TCustomControl::MouseWheel(shift, delta, at);
    if (!BarVisible(TScrollBarKind::sbVertical)) return false;
    const int lines = delta / 120 * kWheelLines;
    SetScrollPos(TScrollBarKind::sbVertical,
                 ScrollPos(TScrollBarKind::sbVertical) - lines * LineStep(TScrollBarKind::sbVertical));
    return true;
}

void TScrollingControl::WndProc(TMessage& message) {
    if (message.Msg == WM_NCLBUTTONDOWN && (message.WParam == HTHSCROLL || message.WParam == HTVSCROLL)) {
        const TPoint at{std::int16_t(message.LParam & 0xFFFF), std::int16_t((message.LParam >> 16) & 0xFFFF)};
        ScrollBarPress(
            message.WParam == HTVSCROLL ? TScrollBarKind::sbVertical : TScrollBarKind::sbHorizontal, at);
    } else if (message.Msg == WM_NCLBUTTONUP) {
        thumbDrag_ = false;
    }
    TCustomControl::WndProc(message);
}

void TScrollingControl::PaintBar(TCanvas& canvas, TScrollBarKind kind) {
    const TRect rect = BarRect(kind);
    if (rect.IsEmpty()) return;
    canvas.FillRect(rect, ColorToRGB(clScrollBar));
    int arrow = 0, thumbStart = 0, thumbEnd = 0;
    Geometry(kind, arrow, thumbStart, thumbEnd);
    const bool vertical = IsVertical(kind);
    const TRect first = vertical ? Bounds(rect.left, rect.top, rect.Width(), arrow)
                                 : Bounds(rect.left, rect.top, arrow, rect.Height());
    const TRect second = vertical ? TRect{rect.left, rect.bottom - arrow, rect.right, rect.bottom}
                                  : TRect{rect.right - arrow, rect.top, rect.right, rect.bottom};
    const TColor arrowColour = ColorToRGB(Bar(kind).enabled ? clBtnText : clGrayText);
    for (const TRect& box : {first, second}) {
        canvas.FillRect(box, ColorToRGB(clBtnFace));
        Frame3D(canvas, box, clBtnHighlight, clBtnShadow);
    }
    Arrow(canvas, first, kind, false, arrowColour);
    Arrow(canvas, second, kind, true, arrowColour);
    if (thumbEnd > thumbStart) {
        const TRect thumb = vertical
                                ? TRect{rect.left, rect.top + thumbStart, rect.right, rect.top + thumbEnd}
                                : TRect{rect.left + thumbStart, rect.top, rect.left + thumbEnd, rect.bottom};
        canvas.FillRect(thumb, ColorToRGB(clBtnFace));
        Frame3D(canvas, thumb, clBtnHighlight, cl3DDkShadow);
        Frame3D(canvas, {thumb.left + 1, thumb.top + 1, thumb.right - 1, thumb.bottom - 1}, clBtnFace,
                clBtnShadow);
    }
}

void TScrollingControl::PaintFrame(TCanvas& canvas) {
    if (border_) {
        SunkenBorder(canvas, ClientRect());
        Frame3D(canvas, {1, 1, Width() - 1, Height() - 1}, cl3DDkShadow, clBtnFace);
    }
    PaintBar(canvas, TScrollBarKind::sbHorizontal);
    PaintBar(canvas, TScrollBarKind::sbVertical);
    if (BarVisible(TScrollBarKind::sbHorizontal) && BarVisible(TScrollBarKind::sbVertical)) {
        const TRect v = BarRect(TScrollBarKind::sbVertical);
        const TRect h = BarRect(TScrollBarKind::sbHorizontal);
        canvas.FillRect({v.left, h.top, v.right, h.bottom}, ColorToRGB(clBtnFace));
    }
}

} // namespace morvane
