#include "ovcore/data/Buffer.h"

#include <gtest/gtest.h>

#include <cstring>

using OvCore::OV_BUFFER;

TEST(Buffer, ReallocateKeepsLeadingBytesAndAllocateZeroFreesEverything) {
    OV_BUFFER buffer;
    ASSERT_TRUE(buffer.Allocate(4));
    EXPECT_EQ(buffer.WriteBytes("abcd", 4), 4u);
    ASSERT_TRUE(buffer.Reallocate(8));
    EXPECT_EQ(std::memcmp(buffer.data, "abcd\0\0\0\0", 8), 0);
    EXPECT_EQ(buffer.Position(), 4u);
    ASSERT_TRUE(buffer.Reallocate(2));
    EXPECT_EQ(buffer.Position(), 2u);
    ASSERT_TRUE(buffer.Allocate(0));
    EXPECT_TRUE(buffer.IsEmpty());
    EXPECT_EQ(buffer.cursor, nullptr);
}

TEST(Buffer, MoveModesStayInsideTheArray) {
    OV_BUFFER buffer;
    EXPECT_FALSE(buffer.Move(3, OV_BUFFER::FROM_START));
    ASSERT_TRUE(buffer.Allocate(10));
    const struct {
        uint32_t n;
        int how;
        uint32_t expected;
    } steps[] = {{3, 0, 3},           {30, 0, 10}, {4, 1, 6},   {40, 1, 0}, {7, 2, 7},
                 {UINT32_MAX, 2, 10}, {4, 3, 6},   {100, 3, 0}, {2, 4, 2}};
    for (const auto& step : steps) {
        EXPECT_TRUE(buffer.Move(step.n, step.how));
        EXPECT_EQ(buffer.Position(), step.expected) << step.n << " mode " << step.how;
    }
    EXPECT_FALSE(buffer.Move(1, 5));
    EXPECT_FALSE(buffer.Move(1, -1));
    EXPECT_EQ(buffer.Pointer(true), buffer.data + 2);
}

TEST(Buffer, ReadAndWriteBytesStopAtTheEndOfTheArray) {
    OV_BUFFER buffer;
    char out[8] = {};
    EXPECT_EQ(buffer.WriteBytes("ab", 2), 0u);
    ASSERT_TRUE(buffer.Allocate(5));
    EXPECT_EQ(buffer.WriteBytes("abc", 3), 3u);
    EXPECT_EQ(buffer.WriteBytes("defgh", 5), 2u);
    EXPECT_EQ(buffer.WriteBytes(nullptr, 1), 0u);
    buffer.Move(1, OV_BUFFER::FROM_START);
    EXPECT_EQ(buffer.ReadBytes(nullptr, 3), 0u);
    EXPECT_EQ(buffer.ReadBytes(out, 8), 4u);
    EXPECT_STREQ(out, "bcde");
    EXPECT_EQ(buffer.ReadBytes(out, 1), 0u);
}
