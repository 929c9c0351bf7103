#pragma once

#include "ui/IntList.h"
#include "ui/SyncObject.h"

#include <cstdint>

namespace morvane {

// A map of unique pointer-sized keys (usually object addresses) to pointer-sized values, kept sorted by
// signed key in two parallel lists. Every operation takes the map's own lock, which is absent until the
// owner enables it.
class TIntMap : public TSyncObject {
public:
    TIntMap() = default;

    int Count();
    // The index of the key, or -1.
    int Find(std::intptr_t key);
    // Adds the pair when the key is absent; an existing key keeps its value and the result is false.
    bool Add(std::intptr_t key, std::intptr_t value);
    // Removes the key's pair and gives its value, or 0 when the key is absent.
    std::intptr_t Remove(std::intptr_t key);
    bool Contains(std::intptr_t key) { return Find(key) >= 0; }
    // The pair at an index in key order; an index out of range raises EListError.
    std::intptr_t KeyAt(int index);
    std::intptr_t ValueAt(int index);
    void Clear();

private:
    // The index of the key, or the bitwise complement of where it would be inserted.
    int Search(std::intptr_t key) const;

    TIntList keys_;
    TIntList values_;
};

} // namespace morvane
