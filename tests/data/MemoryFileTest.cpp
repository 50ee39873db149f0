#include "data/MemoryFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using OvCore::OV_MEMORY_FILE;
using OvCore::OV_STRING;

namespace {
std::string Content(const OV_MEMORY_FILE& file) {
    return std::string(reinterpret_cast<const char*>(file.Data()), file.Size());
}
}  // namespace

TEST(MemoryFileWrite, GrowsInWholeStepsAndTruncatesAtTheCursor) {
    OV_MEMORY_FILE file;
    file.growStep = 8;
    ASSERT_TRUE(file.Write("abc", 3));
    EXPECT_EQ(file.capacity, 8u);
    EXPECT_EQ(file.size, 3u);
    ASSERT_TRUE(file.Write("defghi", 6));
    EXPECT_EQ(file.capacity, 16u);
    EXPECT_EQ(file.size, 9u);
    EXPECT_EQ(Content(file), "abcdefghi");
    EXPECT_EQ(file.Tell(), 9u);

    file.Seek(1, false, false);
    ASSERT_TRUE(file.Write("X", 1));
    EXPECT_EQ(file.size, 2u);
    EXPECT_EQ(file.capacity, 16u);
    EXPECT_EQ(Content(file), "aX");

    file.Seek(0, false, false);
    ASSERT_TRUE(file.Write(std::string(41, 'z').c_str(), 41));
    EXPECT_EQ(file.capacity, 48u);
}

TEST(MemoryFileWrite, ZeroStepKeepsTheArrayExactlyAsLargeAsTheContent) {
    OV_MEMORY_FILE file;
    ASSERT_TRUE(file.Write("hello", 5));
    EXPECT_EQ(file.capacity, 5u);
    ASSERT_TRUE(file.Write(" world", 6));
    EXPECT_EQ(file.capacity, 11u);
    EXPECT_EQ(Content(file), "hello world");
    file.Seek(2, false, false);
    ASSERT_TRUE(file.Write("y", 1));
    EXPECT_EQ(file.capacity, 3u);
    EXPECT_EQ(Content(file), "hey");

    file.Clear();
    EXPECT_EQ(file.size, 0u);
    EXPECT_TRUE(file.IsEmpty());
    ASSERT_TRUE(file.Write("a", 1));
    ASSERT_TRUE(file.Write("b", 1));
    EXPECT_EQ(Content(file), "ab");
}

TEST(MemoryFileWrite, RefusesBadInputAndCopesWithItsOwnBytes) {
    OV_MEMORY_FILE file;
    EXPECT_FALSE(file.Write(nullptr, 4));
    EXPECT_FALSE(file.WriteText(nullptr, true));
    EXPECT_EQ(file.size, 0u);

    ASSERT_TRUE(file.WriteText("abcdef", false));
    file.Seek(0, true, false);
    ASSERT_TRUE(file.Write(file.Data(), 6));
    EXPECT_EQ(Content(file), "abcdefabcdef");

    ASSERT_TRUE(file.WriteText("!", true));
    EXPECT_EQ(file.size, 14u);
    EXPECT_EQ(file.Data()[13], 0);
}

TEST(MemoryFileRead, ReadStopsAtTheContentNotTheArray) {
    OV_MEMORY_FILE file;
    file.growStep = 64;
    file.Write("abcdef", 6);
    char out[16] = {};
    EXPECT_EQ(file.Read(out, 4), 0u);
    file.Seek(0, false, false);
    EXPECT_EQ(file.Read(out, 4), 4u);
    EXPECT_EQ(file.Read(out + 4, 100), 2u);
    EXPECT_STREQ(out, "abcdef");
    EXPECT_TRUE(file.AtEnd());
    EXPECT_EQ(file.Read(out, 1), 0u);

    file.Move(40, OV_MEMORY_FILE::FROM_START);
    EXPECT_TRUE(file.AtEnd());
    EXPECT_EQ(file.Read(out, 1), 0u);
}

TEST(MemoryFileRead, ReadTextWithAndWithoutZeroTermination) {
    OV_MEMORY_FILE file;
    file.Write("ab\0cd", 5);
    file.Seek(0, false, false);
    OV_STRING text;
    EXPECT_EQ(file.ReadText(text, true), 3u);
    EXPECT_STREQ(text.Get(), "ab");
    EXPECT_EQ(file.Tell(), 3u);
    EXPECT_EQ(file.ReadText(text, true), 2u);
    EXPECT_STREQ(text.Get(), "cd");
    EXPECT_EQ(file.Tell(), 5u);
    EXPECT_EQ(file.ReadText(text, true), 0u);
    EXPECT_STREQ(text.Get(), "");

    file.Clear();
    file.WriteText("line one", false);
    file.Seek(5, false, false);
    EXPECT_EQ(file.ReadText(text, false), 3u);
    EXPECT_STREQ(text.Get(), "one");
    EXPECT_TRUE(file.AtEnd());
}

TEST(MemoryFileSeek, ModesClampToTheContent) {
    OV_MEMORY_FILE file;
    file.growStep = 100;
    file.Write("0123456789", 10);
    file.Seek(2, true, false);
    EXPECT_EQ(file.Tell(), 8u);
    file.Seek(20, false, false);
    EXPECT_EQ(file.Tell(), 10u);
    file.Seek(20, true, false);
    EXPECT_EQ(file.Tell(), 0u);
    file.Seek(4, false, true);
    file.Seek(UINT32_MAX, false, true);
    EXPECT_EQ(file.Tell(), 10u);
    file.Seek(3, true, true);
    EXPECT_EQ(file.Tell(), 7u);
    file.Seek(30, true, true);
    EXPECT_EQ(file.Tell(), 0u);
    EXPECT_FALSE(file.AtEnd());
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
    file.Seek(0, false, false);
    EXPECT_EQ(file.Read(out, sizeof out), 8u);
}

TEST(MemoryFile, CopiesAndMovesCarryContentAndSettings) {
    OV_MEMORY_FILE original;
    original.growStep = 4;
    original.Write("data", 4);
    OV_MEMORY_FILE copy = original;
    copy.Seek(0, false, false);
    copy.Write("D", 1);
    EXPECT_EQ(Content(original), "data");
    EXPECT_EQ(copy.growStep, 4u);
    EXPECT_EQ(copy.size, 1u);

    OV_MEMORY_FILE moved = std::move(original);
    EXPECT_EQ(Content(moved), "data");
    EXPECT_EQ(original.size, 0u);
    EXPECT_TRUE(original.IsEmpty());
}
