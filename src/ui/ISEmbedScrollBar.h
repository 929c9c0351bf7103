#pragma once

#include "gui/Bitmap.h"
#include "gui/ScrollingControl.h"

namespace morvane {

// The geometry a skin bar was last painted for; a repaint is skipped while it stays the same.
struct TEmbedBarGeometry {
    int width{0};
    int height{0};
    int thumbStart{0};
    int thumbEnd{0};
    bool enabled{false};
    friend bool operator==(const TEmbedBarGeometry&, const TEmbedBarGeometry&) = default;
};

// A skin bar laid over one scroll bar of a control (a sibling of the control, above it). It shows the
// picture the skin painted last; a left press on it is handed to the control as a press on its own bar.
class TISEmbedScrollBar : public TCustomControl {
public:
    TISEmbedScrollBar(TComponent* owner, TScrollBarKind kind, TScrollingControl& target);

    TScrollBarKind Kind() const { return kind_; }
    TScrollingControl& Target() const { return target_; }
    const TBitmap& Picture() const { return picture_; }
    // An empty picture hides the bar.
    void SetPicture(TBitmap picture, const TEmbedBarGeometry& geometry);
    const TEmbedBarGeometry& Geometry() const { return geometry_; }

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    void Paint(TCanvas& canvas) override;

private:
    // Sends the control WM_NCLBUTTONDOWN or WM_NCLBUTTONUP for its bar at the point (parent coordinates).
    void Forward(std::uint32_t msg, int x, int y);

    TScrollBarKind kind_;
    TScrollingControl& target_;
    TBitmap picture_;
    TEmbedBarGeometry geometry_;
};

} // namespace morvane
