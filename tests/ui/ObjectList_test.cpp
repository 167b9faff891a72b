#include "ui/ObjectList.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
void* P(intptr_t n) {
    return reinterpret_cast<void*>(n);
}

struct ListFixture : ::testing::Test {
    ObjectList* list = CreateList();
    ~ListFixture() override { FreeObject(list); }
    std::vector<intptr_t> Items() const {
        std::vector<intptr_t> v;
        for (int i = 0; i < list->count; ++i)
            v.push_back(reinterpret_cast<intptr_t>(ListGet(list, i)));
        return v;
    }
};
} // namespace

TEST_F(ListFixture, AutomaticGrowthAddsAQuarterPlusOne) {
    std::vector<int> capacities;
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(ListAdd(list, P(i)), i - 1);
        capacities.push_back(list->capacity);
    }
    EXPECT_EQ(capacities, (std::vector<int>{1, 2, 3, 4, 6, 6}));
    for (int i = 7; i <= 7; ++i)
        ListAdd(list, P(i));
    EXPECT_EQ(list->capacity, 6 + 6 / 4 + 1);
}

TEST_F(ListFixture, FixedStepAndCapacityNeverBelowCount) {
    list->step = 10;
    ListAdd(list, P(1));
    EXPECT_EQ(list->capacity, 10);
    ListAdd(list, P(2));
    ListSetCapacity(list, 1);
    EXPECT_EQ(list->capacity, 2);
    EXPECT_EQ(Items(), (std::vector<intptr_t>{1, 2}));
}

TEST_F(ListFixture, ReadsAndWritesOutsideTheListAreHarmless) {
    EXPECT_EQ(ListGet(list, 0), nullptr);
    ListAdd(list, P(5));
    EXPECT_EQ(ListGet(list, -1), nullptr);
    EXPECT_EQ(ListGet(list, 1), nullptr);
    ListPut(list, 1, P(9));
    ListPut(list, -1, P(9));
    ListDelete(list, 1);
    ListDelete(list, 7);
    EXPECT_EQ(Items(), (std::vector<intptr_t>{5}));
    ListPut(list, 0, P(6));
    EXPECT_EQ(Items(), (std::vector<intptr_t>{6}));
}

TEST_F(ListFixture, InsertDeleteAndSearchKeepOrder) {
    for (int i = 1; i <= 4; ++i)
        ListAdd(list, P(i));
    ListInsert(list, 0, P(10));
    ListInsert(list, 5, P(11));
    ListInsert(list, 2, P(12));
    EXPECT_EQ(Items(), (std::vector<intptr_t>{10, 1, 12, 2, 3, 4, 11}));
    ListDelete(list, 0);
    ListDeleteRange(list, 4, 99);
    EXPECT_EQ(Items(), (std::vector<intptr_t>{1, 12, 2, 3}));
    ListDeleteRange(list, 1, 0);
    ListDeleteRange(list, 1, -3);
    ListAdd(list, P(2));
    EXPECT_EQ(ListIndexOf(list, P(2)), 2);
    EXPECT_EQ(ListIndexOf(list, P(99)), -1);
    ListRemove(list, P(2));
    EXPECT_EQ(Items(), (std::vector<intptr_t>{1, 12, 3, 2}));
    ListClear(list);
    EXPECT_EQ(list->count, 0);
    EXPECT_EQ(list->capacity, 0);
    EXPECT_EQ(ListGet(list, 0), nullptr);
}
