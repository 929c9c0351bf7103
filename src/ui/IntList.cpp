#include "ui/IntList.h"

#include <algorithm>
#include <cstdio>

namespace morvane {

void TIntList::Error(const char* format, int value) {
    char message[64];
    std::snprintf(message, sizeof message, format, value);
    throw EListError(message);
}

void TIntList::CheckIndex(int index) const {
    if (index < 0 || index >= count_) Error("List index out of bounds (%d)", index);
}

std::intptr_t TIntList::Get(int index) const {
    CheckIndex(index);
    return items_[index];
}

void TIntList::Put(int index, std::intptr_t item) {
    CheckIndex(index);
    const std::intptr_t old = items_[index];
    if (item == old) return;
    items_[index] = item;
    if (old != 0) Notify(old, TListNotification::lnDeleted);
    if (item != 0) Notify(item, TListNotification::lnAdded);
}

int TIntList::Add(std::intptr_t item) {
    const int index = count_;
    Insert(index, item);
    return index;
}

void TIntList::Insert(int index, std::intptr_t item) {
    if (index < 0 || index > count_) Error("List index out of bounds (%d)", index);
    if (count_ == Capacity()) Grow();
    std::copy_backward(items_.begin() + index, items_.begin() + count_, items_.begin() + count_ + 1);
    items_[index] = item;
    ++count_;
    if (item != 0) Notify(item, TListNotification::lnAdded);
}

void TIntList::Delete(int index) {
    CheckIndex(index);
    const std::intptr_t item = items_[index];
    std::copy(items_.begin() + index + 1, items_.begin() + count_, items_.begin() + index);
    --count_;
    if (item != 0) Notify(item, TListNotification::lnDeleted);
}

int TIntList::IndexOf(std::intptr_t item) const {
    const auto end = items_.begin() + count_;
    const auto found = std::find(items_.begin(), end, item);
    return found == end ? -1 : int(found - items_.begin());
}

void TIntList::SetCapacity(int capacity) {
    if (capacity < count_ || capacity > kMaxListSize) Error("List capacity out of bounds (%d)", capacity);
    if (capacity == Capacity()) return;
    items_.resize(capacity);
    items_.shrink_to_fit();
}

void TIntList::SetCount(int count) {
    if (count < 0 || count > kMaxListSize) Error("List count out of bounds (%d)", count);
    if (count > Capacity()) SetCapacity(count);
    if (count > count_) {
        std::fill(items_.begin() + count_, items_.begin() + count, 0);
        count_ = count;
    } else {
        for (int i = count_ - 1; i >= count; --i)
            Delete(i);
    }
}

void TIntList::Clear() {
    SetCount(0);
    SetCapacity(0);
}

void TIntList::Notify(std::intptr_t, TListNotification) {}

void TIntList::Grow() {
    const int capacity = Capacity();
    int delta = 4;
    if (capacity > 64)
        delta = capacity / 4;
    else if (capacity > 8)
        delta = 16;
    SetCapacity(capacity + delta);
}

} // namespace morvane
