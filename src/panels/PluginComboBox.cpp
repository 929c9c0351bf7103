#include "panels/PluginComboBox.h"

#include "gui/Canvas.h"
#include "gui/Edit.h"
#include "gui/SystemColors.h"

#include <algorithm>

namespace morvane {

TPluginComboBox::TPluginComboBox(TComponent* owner) : TComboBox(owner) {}

void TPluginComboBox::Resized() {
    TComboBox::Resized();
    const int button = std::max(kButtonWidth, kMinDropButtonWidth);
    Edit().SetBounds(2, 2, std::max(0, Width() - button - 3), std::max(0, Height() - 4));
}

void TPluginComboBox::WndProc(TMessage& message) {
    TComboBox::WndProc(message);
    // The edit shows the same background as the box around it.
    if (message.Msg == CM_COLORCHANGED) Edit().SetColor(Color());
}

void TPluginComboBox::Paint(TCanvas& canvas) {
    canvas.FillRect(ClientRect(), ColorToRGB(Enabled() ? Color() : clBtnFace));
}

} // namespace morvane
