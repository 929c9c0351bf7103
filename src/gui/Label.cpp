#include "gui/Label.h"

#include "gui/Canvas.h"
#include "gui/SystemColors.h"

#include <algorithm>

namespace morvane {

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 13);
}

void TLabel::SetAutoSize(bool value) {
    if (autoSize_ == value) return;
    autoSize_ = value;
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment value) {
    if (alignment_ == value) return;
    alignment_ = value;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout value) {
    if (layout_ == value) return;
    layout_ = value;
    Invalidate();
}

void TLabel::SetTransparent(bool value) {
    if (transparent_ == value) return;
    transparent_ = value;
    Invalidate();
}

void TLabel::SetWordWrap(bool value) {
    if (wordWrap_ == value) return;
    wordWrap_ = value;
    AdjustBounds();
    Invalidate();
}

std::uint32_t TLabel::TextFlags() const {
    std::uint32_t flags = dtNoPrefix | (wordWrap_ ? dtWordBreak : 0);
    if (alignment_ == TAlignment::taCenter) flags |= dtCenter;
    if (alignment_ == TAlignment::taRightJustify) flags |= dtRight;
    if (layout_ == TTextLayout::tlCenter) flags |= dtVCenter;
    if (layout_ == TTextLayout::tlBottom) flags |= dtBottom;
    return flags;
}

void TLabel::AdjustBounds() {
    if (!autoSize_ || !HasApplication()) return;
    TBitmap none;
    TCanvas measure(none);
    measure.Font().Assign(Font());
    if (wordWrap_) {
        int height = measure.DrawText({0, 0, Width(), 0}, Caption(), TextFlags() | dtCalcRect);
        SetBounds(Left(), Top(), Width(), height);
        return;
    }
    TSize size{0, measure.TextHeight("Wg")};
    // Every line counts: the widest gives the width.
    std::size_t start = 0;
    int lines = 0;
    const std::string& text = Caption();
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size.cx = std::max(size.cx, measure.TextWidth(line));
        ++lines;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    SetBounds(Left(), Top(), size.cx, size.cy * lines);
}

void TLabel::WndProc(TMessage& message) {
    if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED) AdjustBounds();
    TGraphicControl::WndProc(message);
}

void TLabel::Paint(TCanvas& canvas) {
    if (!transparent_) canvas.FillRect(ClientRect(), ColorToRGB(Color()));
    canvas.Font().Assign(Font());
    if (!Enabled()) canvas.Font().SetColor(ColorToRGB(clGrayText));
    canvas.Font().SetColor(ColorToRGB(canvas.Font().Color()));
    canvas.Brush().style = TBrushStyle::bsClear;
    canvas.DrawText(ClientRect(), Caption(), TextFlags());
}

} // namespace morvane
