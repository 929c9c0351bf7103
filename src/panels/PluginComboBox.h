#pragma once

#include "gui/ComboBox.h"

namespace morvane {

// The chat's input line: a flat combo box in its own colour (the button face while disabled) whose edit
// fills it up to the drop button.
class TPluginComboBox : public TComboBox {
public:
    static constexpr int kMinDropButtonWidth = 16;

    explicit TPluginComboBox(TComponent* owner);

protected:
    void Paint(TCanvas& canvas) override;
    void Resized() override;
    void WndProc(TMessage& message) override;
};

} // namespace morvane
