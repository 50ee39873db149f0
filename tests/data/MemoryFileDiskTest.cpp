#include "ovcore/data/MemoryFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using OvCore::OV_MEMORY_FILE;

namespace {

// While it lives, writes past limit bytes fail with EFBIG instead of
// killing the process: a real write failure that binds root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &saved);
        previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved;
        lowered.rlim_cur = limit;
        active = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
    }
    bool active = false;

private:
    rlimit saved{};
    void (*previous)(int) = nullptr;
};

class MemoryFileDisk : public ::testing::Test {
protected:
    OvTest::TempFolder folder;
    OV_MEMORY_FILE big;
    void SetUp() override {
        ASSERT_TRUE(folder.IsValid());
        big.Write(std::string(4096, 'x').c_str(), 4096);
    }
    long FilesInFolder() const { return std::distance(std::filesystem::directory_iterator(folder.Path("")), {}); }
};

}  // namespace

TEST_F(MemoryFileDisk, LoadsWholeFilesAndRanges) {
    const std::string path = folder.Write("ten.bin", "0123456789");
    OV_MEMORY_FILE file;
    ASSERT_TRUE(file.LoadFromFile(path.c_str(), 0, 0));
    EXPECT_EQ(OvTest::ContentOf(file), "0123456789");
    EXPECT_EQ(file.Tell(), 0u);
    EXPECT_EQ(file.Size(path.c_str()), 10u);
    ASSERT_TRUE(file.LoadFromFile(path.c_str(), 4, 0));
    EXPECT_EQ(file.capacity, 10u);
    EXPECT_EQ(OvTest::ContentOf(file), "456789");
    ASSERT_TRUE(file.LoadFromFile(path.c_str(), 8, 5));
    EXPECT_EQ(file.capacity, 5u);
    EXPECT_EQ(OvTest::ContentOf(file), "89");
    ASSERT_TRUE(file.LoadFromFile(path.c_str(), 10, 0));
    EXPECT_EQ(file.size, 0u);
    ASSERT_TRUE(file.LoadFromFile(folder.Write("empty", "").c_str()));
    EXPECT_TRUE(file.IsEmpty());
}

TEST_F(MemoryFileDisk, FailedLoadLeavesTheFileUnchanged) {
    const std::string path = folder.Write("ten.bin", "0123456789");
    OV_MEMORY_FILE file;
    file.WriteText("keep", false);
    file.Seek(1, false, false);
    const uint8_t* array = file.Data();
    EXPECT_FALSE(file.LoadFromFile(folder.Path("missing").c_str()));
    EXPECT_FALSE(file.LoadFromFile(path.c_str(), 11, 0));
    EXPECT_FALSE(file.LoadFromFile(folder.Path("").c_str()));
    EXPECT_FALSE(file.LoadFromFile(nullptr));
    EXPECT_EQ(file.Data(), array);
    EXPECT_EQ(OvTest::ContentOf(file), "keep");
    EXPECT_EQ(file.Tell(), 1u);
    EXPECT_EQ(file.Size(folder.Path("missing").c_str()), 0u);
}

TEST_F(MemoryFileDisk, SaveReplacesTheFileWithZerosBeforeTheOffset) {
    const std::string path = folder.Write("out.bin", "an older and much longer content");
    ASSERT_EQ(chmod(path.c_str(), 0751), 0);
    const std::string link = folder.Path("link");
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
    OV_MEMORY_FILE file;
    file.WriteText("abcdef", false);
    ASSERT_TRUE(file.SaveToFile(link.c_str()));
    EXPECT_EQ(OvTest::TempFolder::Read(path), "abcdef");
    ASSERT_TRUE(file.SaveToFile(path.c_str(), 3, 2));
    EXPECT_EQ(OvTest::TempFolder::Read(path), std::string("\0\0\0ab", 5));
    ASSERT_TRUE(OV_MEMORY_FILE().SaveToFile(path.c_str()));
    EXPECT_EQ(OvTest::TempFolder::Read(path), "");

    struct stat info;
    ASSERT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0751u);
    EXPECT_EQ(FilesInFolder(), 2);
}

TEST_F(MemoryFileDisk, FailedSaveKeepsTheOldFile) {
    const std::string path = folder.Write("keep.bin", "precious");
    {
        FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.active);
        EXPECT_FALSE(big.SaveToFile(path.c_str()));
        EXPECT_FALSE(big.SaveToFile(path.c_str(), 2000, 1));
    }
    EXPECT_FALSE(big.SaveToFile(folder.Path("no/such/folder.bin").c_str()));
    EXPECT_FALSE(big.SaveToFile(folder.Path("").c_str()));
    EXPECT_EQ(OvTest::TempFolder::Read(path), "precious");
    EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(MemoryFileDisk, SaveIntoAnUnwritableFolderFails) {
    if (geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind root";
    const std::string path = folder.Write("keep.bin", "precious");
    ASSERT_EQ(chmod(folder.Path("").c_str(), 0555), 0);
    EXPECT_FALSE(big.SaveToFile(path.c_str()));
    chmod(folder.Path("").c_str(), 0755);
    EXPECT_EQ(OvTest::TempFolder::Read(path), "precious");
}

TEST_F(MemoryFileDisk, AppendAddsTheContentAndUndoesAFailedWrite) {
    const std::string path = folder.Path("log.txt");
    OV_MEMORY_FILE file;
    file.WriteText("one;", false);
    ASSERT_TRUE(file.AppendToFile(path.c_str()));
    ASSERT_TRUE(file.AppendToFile(path.c_str()));
    {
        FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.active);
        EXPECT_FALSE(big.AppendToFile(path.c_str()));
    }
    EXPECT_EQ(OvTest::TempFolder::Read(path), "one;one;");
    EXPECT_FALSE(file.AppendToFile(folder.Path("no/such/log").c_str()));
}
