#pragma once

#include "gui/CustomPanel.h"

namespace morvane {

// A bordered box that floats over the form above everything else and closes as soon as the control
// that had the focus when it opened loses it (the chat input while faces are picked). It sizes itself
// around its one child.
class TPopupBox : public TCustomPanel {
public:
    static constexpr int kBorder = 1;

    explicit TPopupBox(TComponent* owner);
    ~TPopupBox() override;

    // Opens with its top-left corner at a screen point. A second open while one is watching does
    // nothing.
    void Popup(TPoint screenAt);
    void Close();
    bool Watching() const { return watched_ != nullptr; }
    // Fits the box around its first child.
    void FitToContent();

protected:
    void Paint(TCanvas& canvas) override;
    void Notification(TComponent* component, bool removing) override;

private:
    void Unwatch();

    TWinControl* watched_{nullptr};
    TNotifyEvent previousOnExit_;
};

} // namespace morvane
