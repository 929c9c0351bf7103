#pragma once

#include "gui/Canvas.h"
#include "gui/WinControl.h"

#include <cstdint>

namespace morvane {

// A fixed-size, transparent text cell of the table bars: the caption is laid out in the cell by dt flags,
// so a long name can end in an ellipsis instead of running into the next cell.
class TBarLabel : public TGraphicControl {
public:
    explicit TBarLabel(TComponent* owner);

    std::uint32_t TextFlags() const { return textFlags_; }
    void SetTextFlags(std::uint32_t flags);
    // The caption and, when `withHint`, the same text as hint (a cut text can still be read in full).
    void ShowText(const std::string& text, bool withHint);

protected:
    void Paint(TCanvas& canvas) override;

private:
    std::uint32_t textFlags_{dtNoPrefix | dtSingleLine};
};

} // namespace morvane
