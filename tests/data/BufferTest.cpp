#include "data/Buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

using OvCore::OV_BUFFER;

TEST(Buffer, AllocateGivesZeroedArrayAndZeroFreesEverything) {
    OV_BUFFER buffer;
    EXPECT_TRUE(buffer.IsEmpty());
    ASSERT_TRUE(buffer.Allocate(16));
    EXPECT_EQ(buffer.capacity, 16u);
    EXPECT_EQ(buffer.cursor, buffer.data);
    for (uint32_t i = 0; i < 16; ++i) EXPECT_EQ(buffer.data[i], 0);
    buffer.Move(5, OV_BUFFER::FROM_START);
    ASSERT_TRUE(buffer.Allocate(0));
    EXPECT_TRUE(buffer.IsEmpty());
    EXPECT_EQ(buffer.data, nullptr);
    EXPECT_EQ(buffer.cursor, nullptr);
    EXPECT_EQ(buffer.capacity, 0u);
}

TEST(Buffer, ReallocateKeepsLeadingBytesAndClampsCursor) {
    OV_BUFFER buffer;
    ASSERT_TRUE(buffer.Allocate(4));
    EXPECT_EQ(buffer.WriteBytes("abcd", 4), 4u);
    ASSERT_TRUE(buffer.Reallocate(8));
    EXPECT_EQ(std::memcmp(buffer.data, "abcd\0\0\0\0", 8), 0);
    EXPECT_EQ(buffer.Position(), 4u);
    ASSERT_TRUE(buffer.Reallocate(2));
    EXPECT_EQ(buffer.capacity, 2u);
    EXPECT_EQ(buffer.Position(), 2u);
    EXPECT_EQ(std::memcmp(buffer.data, "ab", 2), 0);
}

TEST(Buffer, MoveModesStayInsideTheArray) {
    OV_BUFFER buffer;
    EXPECT_FALSE(buffer.Move(3, OV_BUFFER::FROM_START));
    ASSERT_TRUE(buffer.Allocate(10));

    buffer.Move(3, OV_BUFFER::FROM_START);
    EXPECT_EQ(buffer.Position(), 3u);
    buffer.Move(30, OV_BUFFER::FROM_START);
    EXPECT_EQ(buffer.Position(), 10u);
    buffer.Move(4, OV_BUFFER::FROM_END);
    EXPECT_EQ(buffer.Position(), 6u);
    buffer.Move(40, OV_BUFFER::FROM_END);
    EXPECT_EQ(buffer.Position(), 0u);
    buffer.Move(7, OV_BUFFER::FORWARD);
    buffer.Move(UINT32_MAX, OV_BUFFER::FORWARD);
    EXPECT_EQ(buffer.Position(), 10u);
    buffer.Move(4, OV_BUFFER::BACK);
    EXPECT_EQ(buffer.Position(), 6u);
    buffer.Move(100, OV_BUFFER::BACK);
    EXPECT_EQ(buffer.Position(), 0u);
    buffer.Move(2, OV_BUFFER::TO);
    EXPECT_EQ(buffer.Position(), 2u);
    EXPECT_FALSE(buffer.Move(1, 5));
    EXPECT_FALSE(buffer.Move(1, -1));
    EXPECT_EQ(buffer.Position(), 2u);
    EXPECT_EQ(buffer.Pointer(true), buffer.data + 2);
    EXPECT_EQ(buffer.Pointer(false), buffer.data);
}

TEST(Buffer, ReadAndWriteBytesStopAtTheEndOfTheArray) {
    OV_BUFFER buffer;
    char out[8] = {};
    EXPECT_EQ(buffer.WriteBytes("ab", 2), 0u);
    EXPECT_EQ(buffer.ReadBytes(out, 2), 0u);
    ASSERT_TRUE(buffer.Allocate(5));
    EXPECT_EQ(buffer.WriteBytes("abc", 3), 3u);
    EXPECT_EQ(buffer.WriteBytes("defgh", 5), 2u);
    EXPECT_EQ(buffer.WriteBytes("x", 1), 0u);
    EXPECT_EQ(buffer.WriteBytes(nullptr, 1), 0u);
    buffer.Move(1, OV_BUFFER::FROM_START);
    EXPECT_EQ(buffer.ReadBytes(out, 0), 0u);
    EXPECT_EQ(buffer.ReadBytes(nullptr, 3), 0u);
    EXPECT_EQ(buffer.ReadBytes(out, 8), 4u);
    EXPECT_STREQ(out, "bcde");
    EXPECT_EQ(buffer.Position(), 5u);
}

TEST(Buffer, CopiesAreDeepAndMovesLeaveTheSourceEmpty) {
    OV_BUFFER original;
    ASSERT_TRUE(original.Allocate(3));
    original.WriteBytes("xyz", 3);
    original.Move(1, OV_BUFFER::FROM_START);

    OV_BUFFER copy(original);
    ASSERT_NE(copy.data, original.data);
    EXPECT_EQ(copy.Position(), 1u);
    copy.data[0] = 'Q';
    EXPECT_EQ(original.data[0], 'x');

    OV_BUFFER assigned;
    assigned.Allocate(50);
    assigned = original;
    EXPECT_EQ(assigned.capacity, 3u);
    EXPECT_EQ(std::memcmp(assigned.data, "xyz", 3), 0);

    uint8_t* array = original.data;
    OV_BUFFER moved(std::move(original));
    EXPECT_EQ(moved.data, array);
    EXPECT_EQ(moved.Position(), 1u);
    EXPECT_TRUE(original.IsEmpty());
    EXPECT_EQ(original.cursor, nullptr);

    assigned = std::move(moved);
    EXPECT_EQ(assigned.data, array);
    EXPECT_TRUE(moved.IsEmpty());
}
