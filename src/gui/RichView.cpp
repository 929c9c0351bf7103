#include "gui/RichView.h"

#include "base/Gbk.h"
#include "gui/Canvas.h"
#include "gui/PngImage.h"
#include "gui/SystemColors.h"

#include <algorithm>

namespace morvane {
namespace {

constexpr int kMargin = 2;

bool IsBlankChar(std::string_view ch) {
    return ch == " ";
}

} // namespace

TRichView::TRichView(TComponent* owner) : TScrollingControl(owner) {
    SetBounds(0, 0, 185, 89);
}

void TRichView::Changed(bool keepAtEnd) {
    dirty_ = true;
    Relayout();
    if (keepAtEnd) ScrollToEnd();
    Invalidate();
}

void TRichView::AddLine(std::vector<TRichRun> runs) {
    const bool follow = AtEnd();
    lines_.push_back(std::move(runs));
    // A long chat lays out only its new line.
    if (dirty_ || layoutWidth_ != TextWidthAvailable()) {
        Changed(follow);
        return;
    }
    LayoutLine(lines_.size() - 1, layoutWidth_, contentHeight_);
    UpdateRange();
    if (follow) ScrollToEnd();
    Invalidate();
}

void TRichView::DeleteFirstLines(int count) {
    count = std::clamp(count, 0, LineCount());
    if (count == 0) return;
    Relayout();
    const bool follow = AtEnd();
    const int pos = ScrollPos(TScrollBarKind::sbVertical);
    const int removed =
        std::size_t(count) < lineTops_.size() ? lineTops_[std::size_t(count)] : contentHeight_;
    lines_.erase(lines_.begin(), lines_.begin() + count);
    // The remaining lines keep their layout, moved up.
    std::erase_if(pieces_, [count](const TPiece& piece) { return piece.line < std::size_t(count); });
    for (TPiece& piece : pieces_) {
        piece.line -= std::size_t(count);
        piece.rect = piece.rect.Offset(0, -removed);
    }
    lineTops_.erase(lineTops_.begin(), lineTops_.begin() + count);
    for (int& top : lineTops_)
        top -= removed;
    contentHeight_ -= removed;
    UpdateRange();
    Invalidate();
    if (follow)
        ScrollToEnd();
    else
        SetScrollPos(TScrollBarKind::sbVertical, pos - removed);
}

void TRichView::Clear() {
    lines_.clear();
    Changed(false);
    SetScrollPos(TScrollBarKind::sbVertical, 0);
}

std::string TRichView::LineText(int index) const {
    std::string text;
    for (const TRichRun& run : Line(index))
        text += run.text;
    return text;
}

void TRichView::SetWordWrap(bool value) {
    if (wordWrap_ == value) return;
    wordWrap_ = value;
    Changed(AtEnd());
}

int TRichView::ContentHeight() const {
    Relayout();
    return contentHeight_;
}

bool TRichView::AtEnd() const {
    return ScrollPos(TScrollBarKind::sbVertical) >= MaxScrollPos(TScrollBarKind::sbVertical);
}

void TRichView::ScrollToEnd() {
    SetScrollPos(TScrollBarKind::sbVertical, MaxScrollPos(TScrollBarKind::sbVertical));
}

void TRichView::Resized() {
    Changed(AtEnd());
    TScrollingControl::Resized();
}

void TRichView::FontChanged() {
    Changed(AtEnd());
    TScrollingControl::FontChanged();
}

void TRichView::LayoutLine(std::size_t index, int width, int& top) const {
    TBitmap none;
    TCanvas measure(none);
    measure.Font().Assign(Font());
    const int textHeight = measure.TextHeight("Wg");
    lineTops_.push_back(top);
    const std::size_t firstPiece = pieces_.size();
    int x = 0;
    int rowHeight = textHeight;
    std::size_t rowStart = firstPiece;
    // Closes a row: its pieces sit on its bottom line.
    auto endRow = [&] {
        for (std::size_t p = rowStart; p < pieces_.size(); ++p) {
            TRect& r = pieces_[p].rect;
            const int h = r.Height();
            r.top = top + rowHeight - h;
            r.bottom = r.top + h;
        }
        top += rowHeight;
        x = 0;
        rowHeight = textHeight;
        rowStart = pieces_.size();
    };
    const std::vector<TRichRun>& runs = lines_[index];
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const TRichRun& run = runs[r];
        if (run.kind == TRichRun::TKind::rkPicture) {
            if (!run.picture || run.picture->Empty()) continue;
            if (wordWrap_ && x > 0 && x + run.picture->Width() > width) endRow();
            pieces_.push_back({Bounds(x, 0, run.picture->Width(), run.picture->Height()), index, r, {}});
            x += run.picture->Width();
            rowHeight = std::max(rowHeight, run.picture->Height());
            continue;
        }
        measure.Font().SetStyle(run.style);
        std::string piece;
        int pieceX = x;
        auto flush = [&] {
            if (!piece.empty())
                pieces_.push_back({Bounds(pieceX, 0, measure.TextWidth(piece), textHeight), index, r, piece});
            piece.clear();
        };
        for (std::size_t pos = 0; pos < run.text.size();) {
            const std::size_t length = gbk::CharLength(run.text, pos);
            const std::string ch = run.text.substr(pos, length);
            pos += length;
            if (ch == "\r" || ch == "\n") continue;
            const int w = measure.TextWidth(ch);
            if (wordWrap_ && x > 0 && x + w > width) {
                if (IsBlankChar(ch)) continue; // a blank at the break is dropped
                flush();
                endRow();
                pieceX = 0;
            }
            piece += ch;
            x += w;
        }
        flush();
    }
    endRow();
}

int TRichView::TextWidthAvailable() const {
    return std::max(1, ContentRect().Width() - 2 * kMargin);
}

void TRichView::Relayout() const {
    if (!dirty_) return;
    dirty_ = false;
    pieces_.clear();
    lineTops_.clear();
    layoutWidth_ = TextWidthAvailable();
    contentHeight_ = 0;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        LayoutLine(i, layoutWidth_, contentHeight_);
    UpdateRange();
}

void TRichView::UpdateRange() const {
    // The range follows the content; a bar that appears or goes narrows or widens the text, so the text is
    // laid out once more.
    auto* self = const_cast<TRichView*>(this);
    const bool hadBar = ScrollBarInfo(TScrollBarKind::sbVertical).visible;
    self->SetScrollRange(TScrollBarKind::sbVertical, 0, std::max(0, contentHeight_ - 1),
                         std::max(1, ContentRect().Height()));
    if (hadBar != ScrollBarInfo(TScrollBarKind::sbVertical).visible && layoutWidth_ != TextWidthAvailable()) {
        dirty_ = true;
        Relayout();
    }
}

const TRichRun* TRichView::LinkAt(TPoint point) const {
    Relayout();
    const TRect content = ContentRect();
    const TPoint at{point.x - content.left - kMargin,
                    point.y - content.top + ScrollPos(TScrollBarKind::sbVertical)};
    for (const TPiece& piece : pieces_) {
        if (!piece.rect.Contains(at)) continue;
        const TRichRun& run = lines_[piece.line][piece.run];
        return run.kind == TRichRun::TKind::rkLink ? &run : nullptr;
    }
    return nullptr;
}

void TRichView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TScrollingControl::MouseDown(button, shift, x, y);
    if (ScrollBarBusy()) return;
    if (CanFocus()) SetFocus();
    if (const TRichRun* link = LinkAt({x, y}); link && OnLinkClick) {
        const std::string target = link->link; // the handler may delete lines
        OnLinkClick(this, target, button);
    }
}

void TRichView::Paint(TCanvas& canvas) {
    Relayout();
    canvas.FillRect(ClientRect(), ColorToRGB(Color()));
    {
        TCanvasSaver saver(canvas);
        const TRect content = ContentRect();
        canvas.IntersectClipRect(content);
        const int dx = content.left + kMargin;
        const int dy = content.top - ScrollPos(TScrollBarKind::sbVertical);
        canvas.Font().Assign(Font());
        canvas.Brush().style = TBrushStyle::bsClear;
        for (const TPiece& piece : pieces_) {
            const TRect r = piece.rect.Offset(dx, dy);
            if (r.bottom <= content.top || r.top >= content.bottom) continue;
            const TRichRun& run = lines_[piece.line][piece.run];
            if (run.kind == TRichRun::TKind::rkPicture) {
                canvas.Draw(r.left, r.top, *run.picture);
                continue;
            }
            canvas.Font().SetStyle(run.style);
            canvas.Font().SetColor(run.color);
            canvas.TextOut(r.left, r.top, piece.text);
            if (run.kind == TRichRun::TKind::rkLink)
                canvas.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, ColorToRGB(run.color));
        }
    }
    PaintFrame(canvas);
}

} // namespace morvane
