#include "ovcore/engine/OrvoCore.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class VirtualFileEngine : public ::testing::Test {
protected:
    OvTest::TempFolder folder;
    OvVirtualFileTable table{0, nullptr};
    void SetUp() override { ASSERT_TRUE(folder.IsValid()); }
    void TearDown() override { OvVirtualFileInfoClose(&table); }

    std::string SaveTwo() {
        OvVirtualFileSource sources[2];
        EXPECT_TRUE(OvVirtualFileMakeFile(&sources[0], "first", "abc", 3));
        EXPECT_TRUE(OvVirtualFileMakeFile(&sources[1], "second", "\0\0xyz\0", 6));
        const std::string path = folder.Path("two.pak");
        EXPECT_TRUE(OvVirtualFileSave(path.c_str(), sources, 2, OV_VIRTUAL_FILE_STORE));
        return path;
    }
};

}  // namespace

TEST_F(VirtualFileEngine, LoadedCopiesAreHandlesThatAreNeverReused) {
    const std::string path = SaveTwo();
    ASSERT_TRUE(OvVirtualFileInfoOpen(path.c_str(), &table));
    ASSERT_EQ(table.count, 2u);

    OvHandle first{}, second{};
    ASSERT_TRUE(OvVirtualFileLoad(&first, path.c_str(), &table.entries[1]));
    EXPECT_EQ(first.word0, 0u);
    EXPECT_NE(first.word1, 0u);
    EXPECT_EQ(OvVirtualFileSize(first), 6u);
    char bytes[8] = {};
    ASSERT_TRUE(OvVirtualFileGetData(first, bytes, 4));
    EXPECT_EQ(std::memcmp(bytes, "\0\0xy\0", 5), 0);
    OvVirtualFileFree(first);
    EXPECT_EQ(OvVirtualFileSize(first), 0u);
    EXPECT_FALSE(OvVirtualFileGetData(first, bytes, 1));

    ASSERT_TRUE(OvVirtualFileLoad(&second, path.c_str(), &table.entries[0]));
    EXPECT_NE(second.word1, first.word1);
    EXPECT_FALSE(OvVirtualFileGetData(second, nullptr, 3));
    EXPECT_FALSE(OvVirtualFileLoad(&first, nullptr, &table.entries[0]));
    OvHandle marked = second;
    marked.word0 = 1;
    EXPECT_EQ(OvVirtualFileSize(marked), 0u);
    OvVirtualFileFree(marked);
    EXPECT_EQ(OvVirtualFileSize(second), 3u);
    OvVirtualFileFree(second);
}
