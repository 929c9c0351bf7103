#pragma once

#include "gui/WinControl.h"

namespace morvane {

// A push button. Clicking it (mouse, Space or Enter while focused) raises OnClick and, when ModalResult
// is set, ends the modal run of its form with that result. Default and Cancel buttons answer Enter and
// Escape for a whole dialog through PressDialogKey.
class TButton : public TCustomControl {
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }

    void Click() override;
    void KeyDown(TKey& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    void Paint(TCanvas& canvas) override;

private:
    bool default_{false};
    bool cancel_{false};
    bool pressed_{false};
    int modalResult_{0};
};

// Enter clicks the first visible, enabled Default button inside `container`, Escape the first Cancel
// button; returns true when a button took the key.
bool PressDialogKey(TWinControl& container, TKey key);

} // namespace morvane
