#pragma once

#include "gui/WinControl.h"

namespace morvane {

// The square between two skinned bars, filled with the skin's corner colour. The mouse passes through it
// to what lies below.
class TISScrollBarCorner : public TCustomControl {
public:
    explicit TISScrollBarCorner(TComponent* owner);

    TColor CornerColor() const { return cornerColor_; }
    void SetCornerColor(TColor colour);

protected:
    void Paint(TCanvas& canvas) override;

private:
    TColor cornerColor_{clNone};
};

} // namespace morvane
