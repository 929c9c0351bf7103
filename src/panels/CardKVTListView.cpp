#include "panels/CardKVTListView.h"

#include "base/Gbk.h"
#include "gui/Canvas.h"

#include <algorithm>

namespace morvane {
namespace {

std::unique_ptr<TPngImage> CopyPicture(const TPngImage* picture) {
    if (!picture || picture->Empty()) return nullptr;
    return std::make_unique<TPngImage>(*picture);
}

// Byte length of the first `chars` characters (a double-byte character counts as one).
std::size_t PrefixBytes(const std::string& text, std::size_t chars) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < chars && pos < text.size(); ++i)
        pos += gbk::IsLeadByte(std::uint8_t(text[pos])) && pos + 1 < text.size() ? 2 : 1;
    return pos;
}

} // namespace

TCardKVTCustomListView::TCardKVTCustomListView(TComponent* owner) : TListView(owner) {
    SetHeaderHeight(kHeaderHeight);
}

void TCardKVTCustomListView::SetHeaderBgPicture(const TPngImage* picture) {
    headerBgPicture_ = CopyPicture(picture);
    Invalidate();
}

void TCardKVTCustomListView::SetHeaderSplitPicture(const TPngImage* picture) {
    headerSplitPicture_ = CopyPicture(picture);
    Invalidate();
}

std::string TCardKVTCustomListView::ShortenedCaption(const TCanvas& canvas, const std::string& caption,
                                                     int available) {
    if (canvas.TextWidth(caption) <= available) return caption;
    std::string best;
    for (std::size_t chars = 1;; ++chars) {
        const std::size_t bytes = PrefixBytes(caption, chars);
        if (bytes >= caption.size()) break;
        std::string candidate = caption.substr(0, bytes) + "...";
        if (!best.empty() && canvas.TextWidth(candidate) > available) break;
        best = std::move(candidate);
    }
    return best.empty() ? caption : best;
}

void TCardKVTCustomListView::PaintHeaderBackground(TCanvas& canvas, TRect rect, bool first) const {
    if (headerBgPicture_) {
        if (!first && headerSplitPicture_ && headerSplitPicture_->Width() > 1)
            rect.left += headerSplitPicture_->Width() - 1;
        canvas.StretchDraw(rect, *headerBgPicture_);
    } else {
        canvas.FillRect(rect, headerBgColor_);
    }
}

void TCardKVTCustomListView::PaintHeader(TCanvas& canvas, const TRect& header) {
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(headerFontColor_);
    canvas.Brush().style = TBrushStyle::bsClear;
    int right = header.left;
    int left = header.left - ScrollPos(TScrollBarKind::sbHorizontal);
    for (int c = 0; c < ColumnCount(); ++c) {
        const TListColumn& column = Column(c);
        const TRect cell{left, header.top, left + column.width, header.bottom};
        left = cell.right;
        right = cell.right;
        PaintHeaderBackground(canvas, cell, c == 0);
        const int width = canvas.TextWidth(column.caption);
        int x = cell.left + 4;
        if (column.alignment == TAlignment::taRightJustify)
            x = std::max(cell.left + 4, cell.right - width - 2);
        else if (column.alignment == TAlignment::taCenter)
            x = cell.left + (cell.Width() - width) / 2;
        const std::string text = ShortenedCaption(canvas, column.caption, cell.right - x - 2);
        canvas.DrawText({x, cell.top, cell.right, cell.bottom}, text, dtSingleLine | dtVCenter | dtNoPrefix);
        if (c + 1 < ColumnCount()) {
            if (headerSplitPicture_)
                canvas.Draw(cell.right - 1, cell.top, *headerSplitPicture_);
            else
                canvas.FillRect({cell.right - 1, cell.top, cell.right, cell.bottom}, headerSplitColor_);
        }
    }
    if (right < header.right)
        PaintHeaderBackground(canvas, {right, header.top, header.right, header.bottom}, false);
}

} // namespace morvane
