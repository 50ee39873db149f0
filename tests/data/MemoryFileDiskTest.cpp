#include "data/MemoryFile.h"
#include "tests/data/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using OvCore::OV_MEMORY_FILE;

namespace {

std::string Content(const OV_MEMORY_FILE& file) {
    return std::string(reinterpret_cast<const char*>(file.Data()), file.Size());
}

// Makes every write past limit bytes fail with EFBIG instead of killing the
// process, until the guard ends.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved;
        lowered.rlim_cur = limit;
        active = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    bool IsActive() const { return active; }

private:
    rlimit saved{};
    void (*previousHandler)(int) = nullptr;
    bool active = false;
};

class MemoryFileDisk : public ::testing::Test {
protected:
    TempFolder folder;
    void SetUp() override { ASSERT_TRUE(folder.IsValid()); }
};

}  // namespace

TEST_F(MemoryFileDisk, LoadsWholeFilesAndRanges) {
    const std::string path = folder.Write("ten.bin", "0123456789");
    OV_MEMORY_FILE file;
    ASSERT_TRUE(file.LoadFromFile(path.c_str(), 0, 0));
    EXPECT_EQ(file.size, 10u);
    EXPECT_EQ(file.Tell(), 0u);
    EXPECT_EQ(file.Size(nullptr), 10u);
    EXPECT_EQ(Content(file), "0123456789");

    ASSERT_TRUE(file.LoadFromFile(path.c_str(), 4, 0));
    EXPECT_EQ(file.capacity, 10u);
    EXPECT_EQ(file.size, 6u);
    EXPECT_EQ(Content(file), "456789");

    ASSERT_TRUE(file.LoadFromFile(path.c_str(), 2, 3));
    EXPECT_EQ(Content(file), "234");
    ASSERT_TRUE(file.LoadFromFile(path.c_str(), 8, 5));
    EXPECT_EQ(file.capacity, 5u);
    EXPECT_EQ(Content(file), "89");
    ASSERT_TRUE(file.LoadFromFile(path.c_str(), 10, 0));
    EXPECT_EQ(file.size, 0u);

    const std::string empty = folder.Write("empty.bin", "");
    ASSERT_TRUE(file.LoadFromFile(empty.c_str()));
    EXPECT_EQ(file.size, 0u);
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
    EXPECT_FALSE(file.LoadFromFile(nullptr));
    EXPECT_FALSE(file.LoadFromFile(folder.Path("").c_str()));
    EXPECT_EQ(file.Data(), array);
    EXPECT_EQ(Content(file), "keep");
    EXPECT_EQ(file.Tell(), 1u);
}

TEST_F(MemoryFileDisk, SizeOfAPath) {
    OV_MEMORY_FILE file;
    EXPECT_EQ(file.Size(folder.Write("seven", "1234567").c_str()), 7u);
    EXPECT_EQ(file.Size(folder.Path("missing").c_str()), 0u);
}

TEST_F(MemoryFileDisk, SaveWritesTheContentAtAnOffsetAndReplacesTheOldFile) {
    const std::string path = folder.Write("out.bin", "an older and much longer content");
    OV_MEMORY_FILE file;
    file.WriteText("abcdef", false);
    ASSERT_TRUE(file.SaveToFile(path.c_str()));
    EXPECT_EQ(TempFolder::Read(path), "abcdef");
    ASSERT_TRUE(file.SaveToFile(path.c_str(), 3, 2));
    EXPECT_EQ(TempFolder::Read(path), std::string("\0\0\0ab", 5));
    ASSERT_TRUE(file.SaveToFile(path.c_str(), 0, 100));
    EXPECT_EQ(TempFolder::Read(path), "abcdef");

    OV_MEMORY_FILE empty;
    ASSERT_TRUE(empty.SaveToFile(path.c_str()));
    EXPECT_EQ(TempFolder::Read(path), "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 1);
}

TEST_F(MemoryFileDisk, SaveKeepsModeAndWritesThroughLinks) {
    const std::string path = folder.Write("script.sh", "old");
    ASSERT_EQ(chmod(path.c_str(), 0751), 0);
    const std::string link = folder.Path("link.sh");
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
    OV_MEMORY_FILE file;
    file.WriteText("new", false);
    ASSERT_TRUE(file.SaveToFile(link.c_str()));
    EXPECT_EQ(TempFolder::Read(path), "new");
    struct stat info;
    ASSERT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0751u);
}

TEST_F(MemoryFileDisk, FailedSaveKeepsTheOldFile) {
    const std::string path = folder.Write("keep.bin", "precious");
    OV_MEMORY_FILE file;
    file.Write(std::string(4096, 'x').c_str(), 4096);
    {
        FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.IsActive());
        EXPECT_FALSE(file.SaveToFile(path.c_str()));
        EXPECT_FALSE(file.SaveToFile(path.c_str(), 2000, 1));
    }
    EXPECT_EQ(TempFolder::Read(path), "precious");
    EXPECT_FALSE(file.SaveToFile(folder.Path("no/such/folder.bin").c_str()));
    EXPECT_FALSE(file.SaveToFile(folder.Path("").c_str()));
    EXPECT_FALSE(file.SaveToFile(nullptr));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 1);
}

TEST_F(MemoryFileDisk, SaveIntoAnUnwritableFolderFails) {
    if (geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind root";
    const std::string path = folder.Write("keep.bin", "precious");
    ASSERT_EQ(chmod(folder.Path("").c_str(), 0555), 0);
    OV_MEMORY_FILE file;
    file.WriteText("new", false);
    EXPECT_FALSE(file.SaveToFile(path.c_str()));
    chmod(folder.Path("").c_str(), 0755);
    EXPECT_EQ(TempFolder::Read(path), "precious");
}

TEST_F(MemoryFileDisk, AppendAddsTheContentAndUndoesAFailedWrite) {
    const std::string path = folder.Path("log.txt");
    OV_MEMORY_FILE file;
    file.WriteText("one;", false);
    ASSERT_TRUE(file.AppendToFile(path.c_str()));
    ASSERT_TRUE(file.AppendToFile(path.c_str()));
    EXPECT_EQ(TempFolder::Read(path), "one;one;");

    OV_MEMORY_FILE big;
    big.Write(std::string(4096, 'x').c_str(), 4096);
    {
        FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.IsActive());
        EXPECT_FALSE(big.AppendToFile(path.c_str()));
    }
    EXPECT_EQ(TempFolder::Read(path), "one;one;");
    EXPECT_FALSE(file.AppendToFile(folder.Path("no/such/log").c_str()));
    EXPECT_FALSE(file.AppendToFile(nullptr));
}

TEST_F(MemoryFileDisk, SavedContentLoadsBackByteForByte) {
    std::string bytes;
    for (int i = 0; i < 3000; ++i) bytes.push_back(static_cast<char>(i * 7));
    OV_MEMORY_FILE file;
    file.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    const std::string path = folder.Path("round.bin");
    ASSERT_TRUE(file.SaveToFile(path.c_str()));
    OV_MEMORY_FILE loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path.c_str()));
    EXPECT_EQ(Content(loaded), bytes);
}
