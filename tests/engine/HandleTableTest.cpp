#include "ovcore/engine/core/HandleTable.h"

#include <gtest/gtest.h>

namespace {

// Ids are never handed out twice, retired and empty handles find nothing,
// and the null handle is the one every failure gives.
TEST(HandleTable, NamesEachObjectOnceAndForgetsRetiredHandles) {
    ov::HandleTable<int> table;
    const OvHandle first = table.Add(std::make_unique<int>(7));
    const OvHandle second = table.Add(std::make_unique<int>(8));
    EXPECT_EQ(first.word0, 0u);
    EXPECT_NE(first.word1, second.word1);
    ASSERT_NE(table.Find(second), nullptr);
    EXPECT_EQ(*table.Find(second), 8);

    EXPECT_TRUE(table.Destroy(first));
    EXPECT_FALSE(table.Destroy(first));
    EXPECT_EQ(table.Find(first), nullptr);
    const OvHandle third = table.Add(std::make_unique<int>(9));
    EXPECT_NE(third.word1, first.word1);

    EXPECT_EQ(table.Find(OvHandle{0x100, second.word1}), table.Find(second)) << "only word0's low byte counts";
    EXPECT_EQ(table.Find(OvHandle{1, second.word1}), nullptr);
    EXPECT_EQ(table.Find(OV_NULL_HANDLE), nullptr);
    EXPECT_TRUE(OvHandleIsEmpty(table.Add(nullptr)));

    std::unique_ptr<int> taken = table.Take(third);
    ASSERT_TRUE(taken);
    EXPECT_EQ(*taken, 9);
    EXPECT_EQ(table.Size(), 1u);
    table.Clear();
    EXPECT_EQ(table.Find(second), nullptr);
}

}  // namespace
