#include "gui/ListBox.h"

#include "gui/Canvas.h"
#include "gui/SystemColors.h"

#include <algorithm>

namespace morvane {

TListBox::TListBox(TComponent* owner) : TScrollingControl(owner) {
    SetBounds(0, 0, 121, 97);
}

void TListBox::SetItems(const std::vector<std::string>& items) {
    items_ = items;
    itemIndex_ = std::min(itemIndex_, Count() - 1);
    UpdateScrollRange();
    Invalidate();
}

int TListBox::AddItem(const std::string& item) {
    items_.push_back(item);
    UpdateScrollRange();
    Invalidate();
    return Count() - 1;
}

void TListBox::InsertItem(int index, const std::string& item) {
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    if (itemIndex_ >= index) ++itemIndex_;
    UpdateScrollRange();
    Invalidate();
}

void TListBox::DeleteItem(int index) {
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
    if (itemIndex_ == index)
        itemIndex_ = -1;
    else if (itemIndex_ > index)
        --itemIndex_;
    UpdateScrollRange();
    Invalidate();
}

void TListBox::SetItemIndex(int index) {
    if (index < -1 || index >= Count()) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    MakeVisible(index);
    Invalidate();
}

int TListBox::ItemHeight() const {
    if (itemHeight_ > 0) return itemHeight_;
    TBitmap none;
    TCanvas measure(none);
    measure.Font().Assign(Font());
    return std::max(1, measure.TextHeight("Wg") + 2);
}

void TListBox::SetItemHeight(int height) {
    itemHeight_ = height;
    UpdateScrollRange();
    Invalidate();
}

void TListBox::UpdateScrollRange() {
    const int rows = std::max(1, (Height() - 4) / ItemHeight());
    SetScrollRange(TScrollBarKind::sbVertical, 0, Count() - 1, rows);
}

void TListBox::MakeVisible(int index) {
    if (index < 0) return;
    const int rows = std::max(1, ContentRect().Height() / ItemHeight());
    if (index < TopIndex()) SetTopIndex(index);
    if (index >= TopIndex() + rows) SetTopIndex(index - rows + 1);
}

TRect TListBox::ItemRect(int index) const {
    const TRect content = ContentRect();
    const int top = content.top + (index - TopIndex()) * ItemHeight();
    return {content.left, top, content.right, top + ItemHeight()};
}

int TListBox::ItemAtPos(TPoint point) const {
    const TRect content = ContentRect();
    if (!content.Contains(point)) return -1;
    const int index = TopIndex() + (point.y - content.top) / ItemHeight();
    return index < Count() ? index : -1;
}

void TListBox::Resized() {
    UpdateScrollRange();
    TScrollingControl::Resized();
}

void TListBox::FontChanged() {
    UpdateScrollRange();
    TScrollingControl::FontChanged();
}

void TListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TScrollingControl::MouseDown(button, shift, x, y);
    if (ScrollBarBusy() || button != TMouseButton::mbLeft) return;
    if (CanFocus()) SetFocus();
    const int index = ItemAtPos({x, y});
    if (index >= 0) SetItemIndex(index);
}

void TListBox::KeyDown(TKey& key, TShiftState shift) {
    TScrollingControl::KeyDown(key, shift);
    int next = itemIndex_;
    const int rows = std::max(1, ContentRect().Height() / ItemHeight());
    switch (key) {
    case VK_UP:
        next = std::max(0, itemIndex_ - 1);
        break;
    case VK_DOWN:
        next = std::min(Count() - 1, itemIndex_ + 1);
        break;
    case VK_PRIOR:
        next = std::max(0, itemIndex_ - rows);
        break;
    case VK_NEXT:
        next = std::min(Count() - 1, itemIndex_ + rows);
        break;
    case VK_HOME:
        next = Count() > 0 ? 0 : -1;
        break;
    case VK_END:
        next = Count() - 1;
        break;
    default:
        return;
    }
    key = 0;
    if (next == itemIndex_) return;
    SetItemIndex(next);
    TControl::Click();
}

void TListBox::Paint(TCanvas& canvas) {
    canvas.FillRect(ClientRect(), ColorToRGB(Color()));
    {
        TCanvasSaver saver(canvas);
        canvas.IntersectClipRect(ContentRect());
        canvas.Font().Assign(Font());
        canvas.Brush().style = TBrushStyle::bsClear;
        const int last = std::min(Count(), TopIndex() + ContentRect().Height() / ItemHeight() + 1);
        for (int i = TopIndex(); i < last; ++i) {
            const TRect row = ItemRect(i);
            const bool selected = i == itemIndex_;
            if (selected) canvas.FillRect(row, ColorToRGB(clHighlight));
            canvas.Font().SetColor(ColorToRGB(selected    ? clHighlightText
                                              : Enabled() ? Font().Color()
                                                          : clGrayText));
            canvas.DrawText({row.left + 2, row.top, row.right - 2, row.bottom}, items_[std::size_t(i)],
                            dtSingleLine | dtVCenter | dtNoPrefix);
        }
    }
    PaintFrame(canvas);
}

} // namespace morvane
