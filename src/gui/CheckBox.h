#pragma once

#include "gui/WinControl.h"

namespace morvane {

// A box with a tick and a caption; a click (or Space) toggles Checked and raises OnClick.
class TCheckBox : public TCustomControl {
public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const { return checked_; }
    // Changing the state by code raises OnClick too, as the system's check box does.
    void SetChecked(bool value);

    void Click() override;
    void KeyDown(TKey& key, TShiftState shift) override;

protected:
    void Paint(TCanvas& canvas) override;

private:
    bool checked_{false};
};

} // namespace morvane
