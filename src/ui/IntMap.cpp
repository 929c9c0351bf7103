#include "ui/IntMap.h"

namespace morvane {

int TIntMap::Search(std::intptr_t key) const {
    int low = 0;
    int high = keys_.Count() - 1;
    while (low <= high) {
        const int middle = low + (high - low) / 2;
        const std::intptr_t found = keys_.Get(middle);
        if (found < key)
            low = middle + 1;
        else if (found > key)
            high = middle - 1;
        else
            return middle;
    }
    return ~low;
}

int TIntMap::Count() {
    TSyncLock lock(*this);
    return keys_.Count();
}

int TIntMap::Find(std::intptr_t key) {
    TSyncLock lock(*this);
    const int index = Search(key);
    return index >= 0 ? index : -1;
}

bool TIntMap::Add(std::intptr_t key, std::intptr_t value) {
    TSyncLock lock(*this);
    const int index = Search(key);
    if (index >= 0) return false;
    keys_.Insert(~index, key);
    values_.Insert(~index, value);
    return true;
}

std::intptr_t TIntMap::Remove(std::intptr_t key) {
    TSyncLock lock(*this);
    const int index = Search(key);
    if (index < 0) return 0;
    const std::intptr_t value = values_.Get(index);
    keys_.Delete(index);
    values_.Delete(index);
    return value;
}

std::intptr_t TIntMap::KeyAt(int index) {
    TSyncLock lock(*this);
    return keys_.Get(index);
}

std::intptr_t TIntMap::ValueAt(int index) {
    TSyncLock lock(*this);
    return values_.Get(index);
}

void TIntMap::Clear() {
    TSyncLock lock(*this);
    keys_.Clear();
    values_.Clear();
}

} // namespace morvane
