#pragma once

#include "gui/ScrollingControl.h"

#include <string>
#include <vector>

namespace morvane {

// A scrolling list of GBK lines with one selected item (-1 for none). Clicking or the arrow keys select
// and raise OnClick; a double click raises OnDblClick.
class TListBox : public TScrollingControl {
public:
    explicit TListBox(TComponent* owner);

    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(const std::vector<std::string>& items);
    int AddItem(const std::string& item);
    void InsertItem(int index, const std::string& item);
    void DeleteItem(int index);
    void Clear() { SetItems({}); }
    int Count() const { return int(items_.size()); }

    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    // Row height in pixels; 0 takes the font's line height plus 2.
    int ItemHeight() const;
    void SetItemHeight(int height);
    int TopIndex() const { return ScrollPos(TScrollBarKind::sbVertical); }
    void SetTopIndex(int index) { SetScrollPos(TScrollBarKind::sbVertical, index); }
    // The item under a point of the client area, or -1.
    int ItemAtPos(TPoint point) const;
    TRect ItemRect(int index) const;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(TKey& key, TShiftState shift) override;

protected:
    void Paint(TCanvas& canvas) override;
    void Resized() override;
    void FontChanged() override;

private:
    void UpdateScrollRange();
    void MakeVisible(int index);

    std::vector<std::string> items_;
    int itemIndex_{-1};
    int itemHeight_{0};
};

} // namespace morvane
