#include "ovcore/data/MemoryFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

using OvCore::OV_MEMORY_FILE;
using OvCore::OV_STRING;

TEST(MemoryFileWrite, GrowsInWholeStepsAndEndsTheContentAtTheWrite) {
    OV_MEMORY_FILE file;
    file.growStep = 8;
    ASSERT_TRUE(file.Write("abc", 3));
    EXPECT_EQ(file.capacity, 8u);
    ASSERT_TRUE(file.Write("defghi", 6));
    EXPECT_EQ(file.capacity, 16u);
    EXPECT_EQ(OvTest::ContentOf(file), "abcdefghi");
    file.Seek(1, false, false);
    ASSERT_TRUE(file.Write("X", 1));
    EXPECT_EQ(OvTest::ContentOf(file), "aX");
    EXPECT_EQ(file.capacity, 16u);
    file.Seek(0, false, false);
    ASSERT_TRUE(file.Write(std::string(41, 'z').c_str(), 41));
    EXPECT_EQ(file.capacity, 48u);
}

TEST(MemoryFileWrite, ZeroStepKeepsTheArrayAsLargeAsTheContent) {
    OV_MEMORY_FILE file;
    ASSERT_TRUE(file.Write("hello", 5));
    ASSERT_TRUE(file.Write(" world", 6));
    EXPECT_EQ(file.capacity, 11u);
    file.Seek(2, false, false);
    ASSERT_TRUE(file.Write("y", 1));
    EXPECT_EQ(file.capacity, 3u);
    EXPECT_EQ(OvTest::ContentOf(file), "hey");
    file.Clear();
    ASSERT_TRUE(file.WriteText("a", false));
    ASSERT_TRUE(file.WriteText("b", true));
    EXPECT_EQ(OvTest::ContentOf(file), std::string("ab\0", 3));
}

TEST(MemoryFileWrite, RefusesNullAndCopesWithItsOwnBytes) {
    OV_MEMORY_FILE file;
    EXPECT_FALSE(file.Write(nullptr, 4));
    EXPECT_FALSE(file.WriteText(nullptr, true));
    ASSERT_TRUE(file.WriteText("abcdef", false));
    ASSERT_TRUE(file.Write(file.Data(), 6));
    EXPECT_EQ(OvTest::ContentOf(file), "abcdefabcdef");
}

TEST(MemoryFileRead, ReadAndReadTextStopAtTheContentNotTheArray) {
    OV_MEMORY_FILE file;
    file.growStep = 64;
    file.Write("ab\0cd", 5);
    char out[16] = {};
    EXPECT_EQ(file.Read(out, 4), 0u);
    file.Seek(0, false, false);
    OV_STRING text;
    EXPECT_EQ(file.ReadText(text, true), 3u);
    EXPECT_STREQ(text.Get(), "ab");
    EXPECT_EQ(file.Tell(), 3u);
    EXPECT_EQ(file.ReadText(text, true), 2u);
    EXPECT_STREQ(text.Get(), "cd");
    EXPECT_EQ(file.Tell(), 5u);
    EXPECT_EQ(file.ReadText(text, false), 0u);

    file.Seek(3, false, false);
    EXPECT_EQ(file.ReadText(text, false), 2u);
    EXPECT_STREQ(text.Get(), "cd");
    file.Seek(1, false, false);
    EXPECT_EQ(file.Read(out, 100), 4u);
    EXPECT_TRUE(file.AtEnd());
    file.Move(40, OV_MEMORY_FILE::FROM_START);
    EXPECT_EQ(file.Read(out, 1), 0u);
}

TEST(MemoryFileSeek, ModesClampToTheContent) {
    OV_MEMORY_FILE file;
    file.growStep = 100;
    file.Write("0123456789", 10);
    const struct {
        uint32_t n;
        bool fromEnd, relative;
        uint32_t expected;
    } steps[] = {{2, true, false, 8},           {20, false, false, 10}, {20, true, false, 0}, {4, false, true, 4},
                 {UINT32_MAX, false, true, 10}, {3, true, true, 7},     {30, true, true, 0}};
    for (const auto& step : steps) {
        file.Seek(step.n, step.fromEnd, step.relative);
        EXPECT_EQ(file.Tell(), step.expected) << step.n << " " << step.fromEnd << step.relative;
    }
}

TEST(MemoryFile, SizeNeverReachesPastTheArray) {
    OV_MEMORY_FILE file;
    file.Write("abcdef", 6);
    ASSERT_TRUE(file.Reallocate(3));
    EXPECT_EQ(file.size, 3u);
    ASSERT_TRUE(file.Allocate(8));
    EXPECT_EQ(file.size, 0u);
    file.size = 1000;
    EXPECT_EQ(file.Size(), 8u);
    char out[16];
    EXPECT_EQ(file.Read(out, sizeof out), 8u);
}

TEST(MemoryFile, CopiesAreDeepAndMovesEmptyTheSource) {
    OV_MEMORY_FILE original;
    original.growStep = 4;
    original.Write("data", 4);
    OV_MEMORY_FILE copy = original;
    copy.Seek(0, false, false);
    copy.Write("D", 1);
    EXPECT_EQ(OvTest::ContentOf(original), "data");
    EXPECT_EQ(copy.growStep, 4u);
    OV_MEMORY_FILE moved = std::move(original);
    EXPECT_EQ(OvTest::ContentOf(moved), "data");
    EXPECT_EQ(original.size, 0u);
    EXPECT_TRUE(original.IsEmpty());
}
