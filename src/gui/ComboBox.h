#pragma once

#include "gui/WinControl.h"

#include <string>
#include <vector>

namespace morvane {

class TEdit;
class TListBox;

// An edit with a list that drops down under it (inside the form). The list is the history of the chat
// input: picking an entry copies it into the text and raises OnSelect; typing raises OnChange. Keys typed
// into the edit reach the combo box's OnKeyDown / OnKeyPress first.
class TComboBox : public TCustomControl {
public:
    static constexpr int kButtonWidth = 17;

    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    TEdit& Edit() const { return *edit_; }
    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(const std::vector<std::string>& items) { items_ = items; }
    void AddItem(const std::string& item) { items_.push_back(item); }
    void InsertItem(int index, const std::string& item);
    void DeleteItem(int index);
    void ClearItems() { items_.clear(); }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count) { dropDownCount_ = count; }
    void SetMaxLength(std::size_t bytes);

    bool DroppedDown() const;
    void SetDroppedDown(bool dropped);

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoEnter() override;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;

protected:
    void Paint(TCanvas& canvas) override;
    void Resized() override;
    void WndProc(TMessage& message) override;

private:
    void PickFromList();

    TEdit* edit_{nullptr};
    TListBox* list_{nullptr};
    std::vector<std::string> items_;
    int itemIndex_{-1};
    int dropDownCount_{8};
    bool syncing_{false};
};

} // namespace morvane
