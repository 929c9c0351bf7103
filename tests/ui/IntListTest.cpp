#include "ui/IntList.h"

#include "ui/IntMap.h"

#include <gtest/gtest.h>
#include <thread>
#include <utility>
#include <vector>

namespace morvane {
namespace {

// Records every notification as (item, action).
class TRecordingList : public TIntList {
public:
    ~TRecordingList() override { Clear(); }
    std::vector<std::pair<std::intptr_t, TListNotification>> notes;

protected:
    void Notify(std::intptr_t item, TListNotification action) override { notes.emplace_back(item, action); }
};

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EListError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(IntList, InsertsAnywhereUpToTheCountAndNamesTheBadIndex) {
    TIntList list;
    list.Add(10);
    list.Add(30);
    list.Insert(1, 20);
    list.Insert(3, 40); // at the count: appends
    ASSERT_EQ(list.Count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(list.Get(i), 10 * (i + 1));

    EXPECT_EQ(ErrorOf([&] { list.Insert(5, 1); }), "List index out of bounds (5)");
    EXPECT_EQ(ErrorOf([&] { list.Insert(-1, 1); }), "List index out of bounds (-1)");
    EXPECT_EQ(ErrorOf([&] { list.Get(4); }), "List index out of bounds (4)");
    EXPECT_EQ(ErrorOf([&] { list.Delete(4); }), "List index out of bounds (4)");
    EXPECT_EQ(ErrorOf([&] { list.SetCapacity(3); }), "List capacity out of bounds (3)");
    EXPECT_EQ(ErrorOf([&] { list.SetCapacity(TIntList::kMaxListSize + 1); }),
              "List capacity out of bounds (134217728)");
    EXPECT_EQ(ErrorOf([&] { list.SetCount(-1); }), "List count out of bounds (-1)");
    EXPECT_EQ(list.Count(), 4) << "failed calls change nothing";

    list.Delete(0);
    EXPECT_EQ(list.Get(0), 20);
    EXPECT_EQ(list.IndexOf(40), 2);
    EXPECT_EQ(list.IndexOf(10), -1);
}

TEST(IntList, GrowsByFourThenSixteenThenAQuarter) {
    TIntList list;
    std::vector<int> capacities;
    for (int i = 0; i < 100; ++i) {
        const int before = list.Capacity();
        list.Add(i);
        if (list.Capacity() != before) capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
}

TEST(IntList, NotifiesNonZeroItemsAddedAndDeleted) {
    TRecordingList list;
    list.Add(5);
    list.Add(0);
    list.Add(7);
    list.Add(9);
    list.Delete(0);
    list.SetCount(5); // grows with zeros, silently
    EXPECT_EQ(list.Get(4), 0);
    list.SetCount(1); // shrinks from the end
    using enum TListNotification;
    EXPECT_EQ(list.notes,
              (std::vector<std::pair<std::intptr_t, TListNotification>>{
                  {5, lnAdded}, {7, lnAdded}, {9, lnAdded}, {5, lnDeleted}, {9, lnDeleted}, {7, lnDeleted}}));
    list.notes.clear();
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_TRUE(list.notes.empty()) << "the remaining item was 0";
}

TEST(IntMap, KeepsUniqueKeysInSignedOrder) {
    TIntMap map;
    EXPECT_TRUE(map.Add(300, 3));
    EXPECT_TRUE(map.Add(-5, 1));
    EXPECT_TRUE(map.Add(20, 2));
    EXPECT_FALSE(map.Add(20, 99));
    ASSERT_EQ(map.Count(), 3);
    EXPECT_EQ(map.KeyAt(0), -5);
    EXPECT_EQ(map.KeyAt(1), 20);
    EXPECT_EQ(map.ValueAt(1), 2) << "adding an existing key keeps the old value";
    EXPECT_EQ(map.KeyAt(2), 300);
    EXPECT_EQ(map.Find(300), 2);
    EXPECT_EQ(map.Find(21), -1);
    EXPECT_THROW(map.KeyAt(3), EListError);

    EXPECT_EQ(map.Remove(20), 2);
    EXPECT_EQ(map.Remove(20), 0);
    EXPECT_FALSE(map.Contains(20));
    EXPECT_TRUE(map.Contains(-5));
    map.Clear();
    EXPECT_EQ(map.Count(), 0);
}

TEST(IntMap, AddressesThatShareTheirLow32BitsStayApart) {
    if constexpr (sizeof(std::intptr_t) > 4) {
        TIntMap map;
        const std::intptr_t low = 0x1000;
        const std::intptr_t high = (std::intptr_t(1) << 32) + 0x1000;
        EXPECT_TRUE(map.Add(high, 2));
        EXPECT_TRUE(map.Add(low, 1));
        EXPECT_EQ(map.Remove(low), 1);
        EXPECT_EQ(map.Remove(high), 2);
    }
}

TEST(IntMap, EnabledLockIsReentrantAndGuardsThreads) {
    TIntMap map;
    map.Enable(true);
    map.Lock();
    EXPECT_TRUE(map.Add(1, 1)); // the holder may call in again
    map.Unlock();

    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&map, t] {
            for (int i = 0; i < 500; ++i)
                map.Add(1000 * (t + 1) + i, i);
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(map.Count(), 2001);
    map.Enable(false);
    EXPECT_FALSE(map.Enabled());
}

} // namespace
} // namespace morvane
