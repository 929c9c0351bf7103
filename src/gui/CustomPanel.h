#pragma once

#include "gui/WinControl.h"

namespace morvane {

// A plain container that fills itself with its colour (clNone leaves the parent's pixels showing).
class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* owner);

    bool ParentBackground() const { return parentBackground_; }
    void SetParentBackground(bool value);

protected:
    void Paint(TCanvas& canvas) override;

private:
    bool parentBackground_{false};
};

} // namespace morvane
