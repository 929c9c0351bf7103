#include "graphics/BarLabel.h"

#include "gui/SystemColors.h"

namespace morvane {

TBarLabel::TBarLabel(TComponent* owner) : TGraphicControl(owner) {}

void TBarLabel::SetTextFlags(std::uint32_t flags) {
    if (textFlags_ == flags) return;
    textFlags_ = flags;
    Invalidate();
}

void TBarLabel::ShowText(const std::string& text, bool withHint) {
    SetCaption(text);
    SetHint(withHint ? text : std::string());
}

void TBarLabel::Paint(TCanvas& canvas) {
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(ColorToRGB(Font().Color()));
    canvas.Brush().style = TBrushStyle::bsClear;
    canvas.DrawText(ClientRect(), Caption(), textFlags_);
}

} // namespace morvane
