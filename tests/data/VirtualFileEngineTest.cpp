#include "engine/OrvoCore.h"
#include "tests/data/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class VirtualFileEngine : public ::testing::Test {
protected:
    TempFolder folder;
    OvVirtualFileTable table{0, nullptr};
    void SetUp() override { ASSERT_TRUE(folder.IsValid()); }
    void TearDown() override { OvVirtualFileInfoClose(&table); }

    std::string SaveTwo(int flags) {
        OvVirtualFileSource sources[2];
        EXPECT_TRUE(OvVirtualFileMakeFile(&sources[0], "first", "abc", 3));
        EXPECT_TRUE(OvVirtualFileMakeFile(&sources[1], "second", "\0\0xyz\0", 6));
        const std::string path = folder.Path("two.pak");
        EXPECT_TRUE(OvVirtualFileSave(path.c_str(), sources, 2, flags));
        return path;
    }
};

}  // namespace

TEST_F(VirtualFileEngine, LoadedCopiesAreHandlesThatAreNeverReused) {
    const std::string path = SaveTwo(0);
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
    OvHandle marked = second;
    marked.word0 = 1;
    EXPECT_EQ(OvVirtualFileSize(marked), 0u);
    OvVirtualFileFree(marked);
    EXPECT_EQ(OvVirtualFileSize(second), 3u);
    OvVirtualFileFree(second);
}

TEST_F(VirtualFileEngine, StoredMembersAreChecksummed) {
    const std::string path = SaveTwo(OV_VIRTUAL_FILE_STORE);
    std::string bytes = TempFolder::Read(path);
    const size_t data = bytes.find("abc");
    ASSERT_NE(data, std::string::npos) << "stored members are not compressed";
    bytes[data] = 'X';
    const std::string broken = folder.Write("broken.pak", bytes);
    ASSERT_TRUE(OvVirtualFileInfoOpen(broken.c_str(), &table));
    OvHandle handle{};
    EXPECT_FALSE(OvVirtualFileLoad(&handle, broken.c_str(), &table.entries[0]));
    EXPECT_EQ(OvVirtualFileSize(handle), 0u);
    ASSERT_TRUE(OvVirtualFileLoad(&handle, broken.c_str(), &table.entries[1]));
    OvVirtualFileFree(handle);
}

TEST_F(VirtualFileEngine, NullArgumentsFail) {
    OvVirtualFileSource source;
    EXPECT_FALSE(OvVirtualFileMakeFile(nullptr, "a", "x", 1));
    EXPECT_FALSE(OvVirtualFileMakeFile(&source, nullptr, "x", 1));
    EXPECT_FALSE(OvVirtualFileMakeFile(&source, "a", nullptr, 1));
    EXPECT_TRUE(OvVirtualFileMakeFile(&source, "a", nullptr, 0));
    EXPECT_FALSE(OvVirtualFileSave(nullptr, &source, 1, 0));
    EXPECT_FALSE(OvVirtualFileInfoOpen(nullptr, &table));
    EXPECT_FALSE(OvVirtualFileInfoOpen("x", nullptr));
    OvVirtualFileInfoClose(nullptr);
    OvHandle handle{};
    EXPECT_FALSE(OvVirtualFileLoad(nullptr, "x", nullptr));
    EXPECT_FALSE(OvVirtualFileLoad(&handle, nullptr, nullptr));
    EXPECT_FALSE(OvVirtualFileLoad(&handle, "x", nullptr));
    EXPECT_EQ(OvVirtualFileSize(OvHandle{0, 0}), 0u);
}
