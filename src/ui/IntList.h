#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace morvane {

// Raised by TIntList for an index, capacity or count out of range; the message names the offending value.
class EListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TListNotification { lnAdded = 0, lnExtracted = 1, lnDeleted = 2 };

// A growable list of pointer-sized integers. Inserting a non-zero item notifies lnAdded after the insert,
// removing one notifies lnDeleted after the removal.
class TIntList {
public:
    static constexpr int kMaxListSize = 0x7FFFFFF;

    TIntList() = default;
    // Derived lists that need notifications for the remaining items call Clear in their own destructor:
    // by the time this one runs, their Notify is gone.
    virtual ~TIntList() { TIntList::Clear(); }
    TIntList(const TIntList&) = delete;
    TIntList& operator=(const TIntList&) = delete;

    int Count() const { return count_; }
    int Capacity() const { return int(items_.size()); }
    std::intptr_t Get(int index) const;
    void Put(int index, std::intptr_t item);
    // Appends and returns the new item's index.
    int Add(std::intptr_t item);
    void Insert(int index, std::intptr_t item);
    void Delete(int index);
    int IndexOf(std::intptr_t item) const;
    void SetCapacity(int capacity);
    // Growing fills with 0; shrinking deletes the items from the end, with notifications.
    void SetCount(int count);
    // Deletes every item (with notifications) and frees the storage.
    virtual void Clear();

protected:
    virtual void Notify(std::intptr_t item, TListNotification action);
    virtual void Grow();

private:
    [[noreturn]] static void Error(const char* format, int value);
    void CheckIndex(int index) const;

    std::vector<std::intptr_t> items_; // sized to the capacity
    int count_{0};
};

} // namespace morvane
