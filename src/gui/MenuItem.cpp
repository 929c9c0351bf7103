#include "gui/MenuItem.h"

namespace morvane {

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem* TMenuItem::Add(const std::string& caption, TNotifyEvent onClick) {
    TMenuItem* item = Own(std::make_unique<TMenuItem>(this));
    item->caption_ = caption;
    item->OnClick = std::move(onClick);
    item->parentItem_ = this;
    items_.push_back(item);
    return item;
}

void TMenuItem::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    TMenuItem* item = items_[std::size_t(index)];
    items_.erase(items_.begin() + index);
    FreeComponent(item);
}

void TMenuItem::Clear() {
    while (Count() > 0)
        Delete(Count() - 1);
}

void TMenuItem::Click() {
    // The menu item has no control; handlers get nullptr as sender and use the item they captured.
    if (OnClick) OnClick(nullptr);
}

} // namespace morvane
