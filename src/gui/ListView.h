#pragma once

#include "gui/Canvas.h"
#include "gui/Label.h"
#include "gui/ScrollingControl.h"
#include "gui/SystemColors.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace morvane {

class TListView;

struct TListColumn {
    std::string caption;
    int width{50};
    std::intptr_t tag{0};
    TAlignment alignment{TAlignment::taLeftJustify};
};

// One row: its caption (first column), the texts of the further columns, and two values for the owner.
class TListItem {
public:
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    const std::vector<std::string>& SubItems() const { return subItems_; }
    void SetSubItems(std::vector<std::string> subItems);
    void SetSubItem(std::size_t index, const std::string& text);
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }
    std::int64_t Tag() const { return tag_; }
    void SetTag(std::int64_t tag) { tag_ = tag; }
    TListView& Owner() const { return *owner_; }
    int Index() const;
    bool Selected() const;

private:
    friend class TListView;
    explicit TListItem(TListView& owner) : owner_(&owner) {}
    void Changed();

    TListView* owner_;
    // Where the item stands in its list view, kept up to date as items come, go and are sorted.
    int index_{-1};
    std::string caption_;
    std::vector<std::string> subItems_;
    void* data_{nullptr};
    std::int64_t tag_{0};
};

// A report-style list view: a header of columns over rows of items, one selected item, scroll bars
// (vertical in rows, horizontal in pixels). OnCustomDrawItem may paint a row itself or only set the
// canvas's brush and font colours for the default drawing.
class TListView : public TScrollingControl {
public:
    using TCustomDrawItemEvent = std::function<void(TListView* sender, TCanvas& canvas, TListItem* item,
                                                    bool selected, bool& defaultDraw)>;
    using TSelectItemEvent = std::function<void(TListView* sender, TListItem* item, bool selected)>;
    using TColumnClickEvent = std::function<void(TListView* sender, const TListColumn& column)>;

    explicit TListView(TComponent* owner);
    ~TListView() override;

    // [SECTION] Columns
    int ColumnCount() const { return int(columns_.size()); }
    const TListColumn& Column(int index) const { return columns_.at(std::size_t(index)); }
    void AddColumn(const TListColumn& column);
    void SetColumn(int index, const TListColumn& column);
    void DeleteColumn(int index);
    int HeaderHeight() const { return headerHeight_; }
    void SetHeaderHeight(int height);
    bool ShowHeader() const { return showHeader_; }
    void SetShowHeader(bool value);

    // [SECTION] Items
    int ItemCount() const { return int(items_.size()); }
    TListItem* Item(int index) const;
    TListItem* AddItem();
    TListItem* InsertItem(int index);
    void DeleteItem(int index);
    void Clear();
    int IndexOf(const TListItem* item) const;
    // Reorders the items by `less` (stable); the selection stays with its item.
    void SortItems(const std::function<bool(const TListItem&, const TListItem&)>& less);

    // [SECTION] Selection and geometry
    TListItem* Selected() const { return selected_; }
    // Selects an item (nullptr clears), raising OnSelectItem for the item left and the item taken.
    void SetSelected(TListItem* item);
    int ItemIndex() const { return IndexOf(selected_); }
    void SetItemIndex(int index) { SetSelected(Item(index)); }
    int RowHeight() const;
    int TopIndex() const { return ScrollPos(TScrollBarKind::sbVertical); }
    void SetTopIndex(int index) { SetScrollPos(TScrollBarKind::sbVertical, index); }
    int VisibleRowCount() const;
    void MakeVisible(int index);
    // Rectangles in client coordinates: the whole row, and the cell of a column (0 is the caption).
    TRect ItemRect(int index) const;
    TRect SubItemRect(int index, int column) const;
    TListItem* ItemAt(TPoint point) const;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(TKey& key, TShiftState shift) override;

    TCustomDrawItemEvent OnCustomDrawItem;
    TSelectItemEvent OnSelectItem;
    TColumnClickEvent OnColumnClick;

protected:
    void Paint(TCanvas& canvas) override;
    // Draws the header in its rectangle; descendants with a skinned header replace it.
    virtual void PaintHeader(TCanvas& canvas, const TRect& header);
    // The default drawing of one row in the canvas's brush and font colours.
    void DrawItemDefault(TCanvas& canvas, int index);
    void Resized() override;
    void FontChanged() override;

private:
    friend class TListItem;
    void ItemChanged(TListItem& item);
    // Gives the items from `first` on their positions again.
    void RenumberItems(std::size_t first);
    void UpdateScrollRanges();
    int ColumnsWidth() const;
    int ColumnLeft(int column) const;

    std::vector<TListColumn> columns_;
    std::vector<std::unique_ptr<TListItem>> items_;
    TListItem* selected_{nullptr};
    // The height of a row in the current font; 0 until measured (measuring text is not cheap, and every
    // row's rectangle needs it).
    mutable int rowHeight_{0};
    int headerHeight_{17};
    bool showHeader_{true};
};

} // namespace morvane
