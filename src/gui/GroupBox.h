#pragma once

#include "gui/WinControl.h"

namespace morvane {

// A container with an etched frame and its caption set into the top edge.
class TGroupBox : public TCustomControl {
public:
    explicit TGroupBox(TComponent* owner);

protected:
    void Paint(TCanvas& canvas) override;
};

} // namespace morvane
