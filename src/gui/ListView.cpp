#include "gui/ListView.h"

#include "gui/Frame3D.h"

#include <algorithm>

namespace morvane {
namespace {

constexpr int kCellIndent = 6;
constexpr int kCaptionIndent = 2;

std::uint32_t AlignmentFlags(TAlignment alignment) {
    if (alignment == TAlignment::taRightJustify) return dtRight;
    if (alignment == TAlignment::taCenter) return dtCenter;
    return dtLeft;
}

} // namespace

// [SECTION] Items

void TListItem::Changed() {
    owner_->ItemChanged(*this);
}

void TListItem::SetCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    Changed();
}

void TListItem::SetSubItems(std::vector<std::string> subItems) {
    subItems_ = std::move(subItems);
    Changed();
}

void TListItem::SetSubItem(std::size_t index, const std::string& text) {
    if (index >= subItems_.size()) subItems_.resize(index + 1);
    if (subItems_[index] == text) return;
    subItems_[index] = text;
    Changed();
}

int TListItem::Index() const {
    return owner_->IndexOf(this);
}

bool TListItem::Selected() const {
    return owner_->Selected() == this;
}

TListView::TListView(TComponent* owner) : TScrollingControl(owner) {
    SetBounds(0, 0, 250, 150);
}

TListView::~TListView() = default;

// [SECTION] Columns

void TListView::AddColumn(const TListColumn& column) {
    columns_.push_back(column);
    UpdateScrollRanges();
    Invalidate();
}

void TListView::SetColumn(int index, const TListColumn& column) {
    if (index < 0 || index >= ColumnCount()) return;
    columns_[std::size_t(index)] = column;
    UpdateScrollRanges();
    Invalidate();
}

void TListView::DeleteColumn(int index) {
    if (index < 0 || index >= ColumnCount()) return;
    columns_.erase(columns_.begin() + index);
    UpdateScrollRanges();
    Invalidate();
}

void TListView::SetHeaderHeight(int height) {
    if (headerHeight_ == height) return;
    headerHeight_ = std::max(0, height);
    UpdateScrollRanges();
    Invalidate();
}

void TListView::SetShowHeader(bool value) {
    if (showHeader_ == value) return;
    showHeader_ = value;
    UpdateScrollRanges();
    Invalidate();
}

int TListView::ColumnsWidth() const {
    int width = 0;
    for (const TListColumn& c : columns_)
        width += c.width;
    return width;
}

int TListView::ColumnLeft(int column) const {
    int left = ContentRect().left - ScrollPos(TScrollBarKind::sbHorizontal);
    for (int i = 0; i < column && i < ColumnCount(); ++i)
        left += columns_[std::size_t(i)].width;
    return left;
}

// [SECTION] Items

TListItem* TListView::Item(int index) const {
    return index >= 0 && index < ItemCount() ? items_[std::size_t(index)].get() : nullptr;
}

TListItem* TListView::AddItem() {
    return InsertItem(ItemCount());
}

TListItem* TListView::InsertItem(int index) {
    index = std::clamp(index, 0, ItemCount());
    auto item = std::unique_ptr<TListItem>(new TListItem(*this));
    TListItem* raw = item.get();
    items_.insert(items_.begin() + index, std::move(item));
    RenumberItems(std::size_t(index));
    UpdateScrollRanges();
    Invalidate();
    return raw;
}

void TListView::DeleteItem(int index) {
    TListItem* item = Item(index);
    if (!item) return;
    if (item == selected_) SetSelected(nullptr);
    items_.erase(items_.begin() + index);
    RenumberItems(std::size_t(index));
    UpdateScrollRanges();
    Invalidate();
}

void TListView::Clear() {
    SetSelected(nullptr);
    items_.clear();
    UpdateScrollRanges();
    Invalidate();
}

int TListView::IndexOf(const TListItem* item) const {
    if (!item || item->owner_ != this) return -1;
    const std::size_t index = std::size_t(item->index_);
    // An item of this view that was deleted is no longer in its slot.
    return index < items_.size() && items_[index].get() == item ? item->index_ : -1;
}

void TListView::RenumberItems(std::size_t first) {
    for (std::size_t i = first; i < items_.size(); ++i)
        items_[i]->index_ = int(i);
}

void TListView::SortItems(const std::function<bool(const TListItem&, const TListItem&)>& less) {
    std::stable_sort(items_.begin(), items_.end(),
                     [&less](const std::unique_ptr<TListItem>& a, const std::unique_ptr<TListItem>& b) {
                         return less(*a, *b);
                     });
    RenumberItems(0);
    Invalidate();
}

void TListView::ItemChanged(TListItem& item) {
    const int index = IndexOf(&item);
    if (index >= 0) InvalidateRect(ItemRect(index));
}

// [SECTION] Selection and geometry

void TListView::SetSelected(TListItem* item) {
    if (item == selected_ || (item && IndexOf(item) < 0)) return;
    TListItem* previous = selected_;
    selected_ = item;
    if (previous) {
        ItemChanged(*previous);
        if (OnSelectItem) OnSelectItem(this, previous, false);
    }
    if (item) {
        MakeVisible(IndexOf(item));
        ItemChanged(*item);
        if (OnSelectItem && selected_ == item) OnSelectItem(this, item, true);
    }
}

int TListView::RowHeight() const {
    if (rowHeight_ == 0) {
        TBitmap none;
        TCanvas measure(none);
        measure.Font().Assign(Font());
        rowHeight_ = std::max(1, measure.TextHeight("Wg") + 4);
    }
    return rowHeight_;
}

int TListView::VisibleRowCount() const {
    const int header = showHeader_ ? headerHeight_ : 0;
    return std::max(0, (ContentRect().Height() - header) / RowHeight());
}

void TListView::UpdateScrollRanges() {
    const int header = showHeader_ ? headerHeight_ : 0;
    const TRect content = ContentRect();
    // The horizontal bar takes height from the rows, so it is settled first.
    SetScrollRange(TScrollBarKind::sbHorizontal, 0, ColumnsWidth() - 1, std::max(1, content.Width()));
    const int rows = std::max(1, (ContentRect().Height() - header) / RowHeight());
    SetScrollRange(TScrollBarKind::sbVertical, 0, ItemCount() - 1, rows);
    SetScrollRange(TScrollBarKind::sbHorizontal, 0, ColumnsWidth() - 1, std::max(1, ContentRect().Width()));
}

void TListView::MakeVisible(int index) {
    if (index < 0) return;
    const int rows = std::max(1, VisibleRowCount());
    if (index < TopIndex()) SetTopIndex(index);
    if (index >= TopIndex() + rows) SetTopIndex(index - rows + 1);
}

TRect TListView::ItemRect(int index) const {
    const TRect content = ContentRect();
    const int top = content.top + (showHeader_ ? headerHeight_ : 0) + (index - TopIndex()) * RowHeight();
    const int left = content.left - ScrollPos(TScrollBarKind::sbHorizontal);
    return {left, top, left + std::max(ColumnsWidth(), content.Width()), top + RowHeight()};
}

TRect TListView::SubItemRect(int index, int column) const {
    const TRect row = ItemRect(index);
    const int left = ColumnLeft(column);
    const int width = column >= 0 && column < ColumnCount() ? columns_[std::size_t(column)].width : 0;
    return {left, row.top, left + width, row.bottom};
}

TListItem* TListView::ItemAt(TPoint point) const {
    const TRect content = ContentRect();
    const int top = content.top + (showHeader_ ? headerHeight_ : 0);
    if (!content.Contains(point) || point.y < top) return nullptr;
    return Item(TopIndex() + (point.y - top) / RowHeight());
}

void TListView::Resized() {
    UpdateScrollRanges();
    TScrollingControl::Resized();
}

void TListView::FontChanged() {
    rowHeight_ = 0;
    UpdateScrollRanges();
    TScrollingControl::FontChanged();
}

void TListView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TScrollingControl::MouseDown(button, shift, x, y);
    if (ScrollBarBusy()) return;
    if (CanFocus()) SetFocus();
    const TRect content = ContentRect();
    if (showHeader_ && y >= content.top && y < content.top + headerHeight_) {
        for (int c = 0; c < ColumnCount(); ++c)
            if (button == TMouseButton::mbLeft && x >= ColumnLeft(c) && x < ColumnLeft(c + 1)) {
                if (OnColumnClick) OnColumnClick(this, columns_[std::size_t(c)]);
                return;
            }
        return;
    }
    // Both buttons select, as the system's list view does, so a right click acts on the row under it.
    if (TListItem* item = ItemAt({x, y})) SetSelected(item);
}

void TListView::KeyDown(TKey& key, TShiftState shift) {
    TScrollingControl::KeyDown(key, shift);
    const int index = ItemIndex();
    int next = index;
    switch (key) {
    case VK_UP:
        next = std::max(0, index - 1);
        break;
    case VK_DOWN:
        next = std::min(ItemCount() - 1, index + 1);
        break;
    case VK_PRIOR:
        next = std::max(0, index - std::max(1, VisibleRowCount()));
        break;
    case VK_NEXT:
        next = std::min(ItemCount() - 1, index + std::max(1, VisibleRowCount()));
        break;
    case VK_HOME:
        next = 0;
        break;
    case VK_END:
        next = ItemCount() - 1;
        break;
    default:
        return;
    }
    key = 0;
    SetItemIndex(next);
}

// [SECTION] Painting

void TListView::PaintHeader(TCanvas& canvas, const TRect& header) {
    canvas.FillRect(header, ColorToRGB(clBtnFace));
    canvas.Font().Assign(Font());
    canvas.Brush().style = TBrushStyle::bsClear;
    for (int c = 0; c < ColumnCount(); ++c) {
        const TRect cell{ColumnLeft(c), header.top, ColumnLeft(c + 1), header.bottom};
        Frame3D(canvas, cell, clBtnHighlight, clBtnShadow);
        const TListColumn& column = columns_[std::size_t(c)];
        canvas.DrawText({cell.left + 4, cell.top, cell.right - 4, cell.bottom}, column.caption,
                        dtSingleLine | dtVCenter | dtEndEllipsis | AlignmentFlags(column.alignment));
    }
    const int end = ColumnLeft(ColumnCount());
    if (end < header.right)
        Frame3D(canvas, {end, header.top, header.right, header.bottom}, clBtnHighlight, clBtnShadow);
}

void TListView::DrawItemDefault(TCanvas& canvas, int index) {
    const TListItem& item = *items_[std::size_t(index)];
    if (canvas.Brush().style == TBrushStyle::bsSolid)
        canvas.FillRect(ItemRect(index), ColorToRGB(canvas.Brush().color));
    TCanvasSaver saver(canvas);
    canvas.Brush().style = TBrushStyle::bsClear;
    for (int c = 0; c < ColumnCount(); ++c) {
        TRect cell = SubItemRect(index, c);
        const std::string* text = c == 0 ? &item.Caption()
                                  : std::size_t(c - 1) < item.SubItems().size()
                                      ? &item.SubItems()[std::size_t(c - 1)]
                                      : nullptr;
        if (!text) continue;
        cell = c == 0 ? TRect{cell.left + kCaptionIndent, cell.top, cell.right - kCaptionIndent, cell.bottom}
                      : TRect{cell.left + kCellIndent, cell.top, cell.right - kCellIndent, cell.bottom};
        canvas.DrawText(cell, *text,
                        dtSingleLine | dtVCenter | dtEndEllipsis | dtNoPrefix |
                            AlignmentFlags(columns_[std::size_t(c)].alignment));
    }
}

void TListView::Paint(TCanvas& canvas) {
    const TRect content = ContentRect();
    canvas.FillRect(ClientRect(), ColorToRGB(Color()));
    {
        TCanvasSaver saver(canvas);
        canvas.IntersectClipRect(content);
        if (showHeader_)
            PaintHeader(canvas, {content.left, content.top, content.right, content.top + headerHeight_});
        canvas.IntersectClipRect(
            {content.left, content.top + (showHeader_ ? headerHeight_ : 0), content.right, content.bottom});
        const int last = std::min(ItemCount(), TopIndex() + VisibleRowCount() + 1);
        canvas.Font().Assign(Font());
        for (int i = TopIndex(); i < last; ++i) {
            // What a row's custom drawing changes ends with the row.
            TCanvasSaver rowSaver(canvas);
            const bool selected = items_[std::size_t(i)].get() == selected_;
            canvas.Font().SetColor(ColorToRGB(selected ? clHighlightText : Font().Color()));
            canvas.Brush().style = selected ? TBrushStyle::bsSolid : TBrushStyle::bsClear;
            canvas.Brush().color = ColorToRGB(selected ? clHighlight : Color());
            bool defaultDraw = true;
            if (OnCustomDrawItem) {
                canvas.Brush().style = TBrushStyle::bsSolid;
                OnCustomDrawItem(this, canvas, items_[std::size_t(i)].get(), selected, defaultDraw);
            }
            if (defaultDraw) DrawItemDefault(canvas, i);
        }
    }
    PaintFrame(canvas);
}

} // namespace morvane
