#include "ovcore/engine/core/HandleTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using Table = ov::HandleTable<int>;

// Retired and empty handles find nothing, and the null handle is the one
// every failure gives.
TEST(HandleTable, NamesEachObjectAndForgetsRetiredHandles) {
    Table table("number");
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
    EXPECT_EQ(table.Find(first), nullptr) << "the slot's new object is not the old handle's";
    EXPECT_FALSE(table.Destroy(first));
    EXPECT_EQ(*table.Find(third), 9);

    EXPECT_EQ(table.Find(OvHandle{0x100, second.word1}), table.Find(second)) << "only word0's low byte counts";
    EXPECT_EQ(table.Find(OvHandle{1, second.word1}), nullptr);
    EXPECT_EQ(table.Find(OV_NULL_HANDLE), nullptr);
    EXPECT_TRUE(OvHandleIsEmpty(table.Add(nullptr)));
    // Made up from a live handle: other generations of its slot, slots never
    // used, slot number 0.
    const uint32_t generation = 1u << Table::kSlotBits;
    for (uint32_t word1 : {0u, second.word1 + generation, second.word1 - generation, second.word1 + 1000,
                           second.word1 & ~Table::kMaxSlots, ~0u}) {
        EXPECT_EQ(table.Find(OvHandle{0, word1}), nullptr) << std::hex << word1;
    }

    std::unique_ptr<int> taken = table.Take(third);
    ASSERT_TRUE(taken);
    EXPECT_EQ(*taken, 9);
    EXPECT_EQ(table.Take(third), nullptr);
    EXPECT_EQ(table.Size(), 1u);
}

// One slot given back again and again: every handle it ever had is
// different, each finds only its own object, and once the generations run
// out the slot is retired and a new one serves.
TEST(HandleTable, NoHandleIsEverGivenTwice) {
    Table table("number");
    std::set<uint32_t> seen;
    std::set<uint32_t> slots;
    OvHandle previous = OV_NULL_HANDLE;
    const int rounds = (1 << (32 - Table::kSlotBits)) + 10;
    for (int i = 0; i < rounds; ++i) {
        const OvHandle handle = table.Add(std::make_unique<int>(i));
        ASSERT_FALSE(OvHandleIsEmpty(handle));
        ASSERT_TRUE(seen.insert(handle.word1).second) << "round " << i;
        slots.insert(handle.word1 & Table::kMaxSlots);
        ASSERT_EQ(table.Find(previous), nullptr);
        ASSERT_EQ(*table.Find(handle), i);
        ASSERT_TRUE(table.Destroy(handle));
        previous = handle;
    }
    EXPECT_EQ(slots.size(), 2u) << "the first slot serves every generation, then retires";
    EXPECT_EQ(table.Size(), 0u);
}

// Clear destroys everything and retires every handle: the new objects that
// take the slots afterwards are not found through the old handles.
TEST(HandleTable, ClearRetiresEveryHandle) {
    Table table("number");
    std::vector<OvHandle> before;
    for (int i = 0; i < 5; ++i) before.push_back(table.Add(std::make_unique<int>(i)));
    table.Destroy(before[2]);
    table.Clear();
    EXPECT_EQ(table.Size(), 0u);
    for (int i = 0; i < 5; ++i) table.Add(std::make_unique<int>(10 + i));
    for (OvHandle old : before) EXPECT_EQ(table.Find(old), nullptr);
    int visited = 0, sum = 0;
    table.ForEach([&](OvHandle handle, int& value) {
        ++visited;
        sum += value;
        EXPECT_EQ(table.Find(handle), &value);
    });
    EXPECT_EQ(visited, 5);
    EXPECT_EQ(sum, 60);
}

// A full table refuses with the null handle and a report, and serves again
// once an object goes.
TEST(HandleTable, FullTableRefusesUntilASlotIsFree) {
    Table table("number");
    OvHandle last = OV_NULL_HANDLE;
    for (uint32_t i = 0; i < Table::kMaxSlots; ++i) last = table.Add(std::make_unique<int>(0));
    ASSERT_FALSE(OvHandleIsEmpty(last));
    const OvHandle refused = table.Add(std::make_unique<int>(1));
    EXPECT_EQ(refused.word0, OV_NULL_HANDLE.word0);
    EXPECT_EQ(refused.word1, OV_NULL_HANDLE.word1);
    EXPECT_EQ(std::string(OvLastError()), "engine: cannot name object: number: all 1048575 slots are used");
    EXPECT_EQ(table.Size(), Table::kMaxSlots);
    ASSERT_TRUE(table.Destroy(last));
    const OvHandle again = table.Add(std::make_unique<int>(2));
    EXPECT_NE(again.word1, last.word1);
    EXPECT_EQ(again.word1 & Table::kMaxSlots, last.word1 & Table::kMaxSlots);
    EXPECT_EQ(*table.Find(again), 2);
}

}  // namespace
