// Saves and appends killed at random moments by a real SIGKILL, and the
// leftovers of such kills (temporaries, append journals) found later.
#include "ovcore/data/MemoryFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <random>
#include <set>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

using OvCore::OV_MEMORY_FILE;

namespace {

constexpr int kKills = 50;
constexpr uint32_t kRecordBytes = 256 * 1024;

// Generation g of a saved file: (g % 7 + 1) * 40 KiB bytes, all g % 250 + 1.
std::string Generation(unsigned g) { return std::string((g % 7 + 1) * 40 * 1024, static_cast<char>(g % 250 + 1)); }

bool IsSomeGeneration(const std::string& content) {
    if (content.empty()) return false;
    const auto value = static_cast<uint8_t>(content[0]);
    return content.find_first_not_of(content[0]) == std::string::npos && value >= 1 && value <= 250 &&
           content.size() % (40 * 1024) == 0 && content.size() <= 7 * 40 * 1024;
}

// Whole records only, record i all i % 250 + 1.
bool IsWholeRecords(const std::string& content) {
    if (content.size() % kRecordBytes != 0) return false;
    for (size_t at = 0; at < content.size(); at += kRecordBytes) {
        const char value = static_cast<char>(at / kRecordBytes % 250 + 1);
        if (content.compare(at, kRecordBytes, std::string(kRecordBytes, value)) != 0) return false;
    }
    return true;
}

OV_MEMORY_FILE Holding(const std::string& bytes) {
    OV_MEMORY_FILE file;
    file.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    return file;
}

// Runs `work` forever in a child process and kills it after a random delay
// of up to 30 ms.
template <typename Work>
void KillDuring(std::mt19937& random, Work work) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        for (;;) work();
    }
    usleep(std::uniform_int_distribution<useconds_t>(0, 30000)(random));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
}

// A process number that is certainly not running: a child already reaped.
pid_t GoneProcess() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

class CrashSafeFiles : public ::testing::Test {
protected:
    OvTest::TempFolder folder;
    std::string path;
    void SetUp() override {
        ASSERT_TRUE(folder.IsValid());
        path = folder.Path("target.bin");
    }
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path("")))
            names.insert(entry.path().filename().string());
        return names;
    }
};

TEST_F(CrashSafeFiles, KilledSavesLeaveTheOldOrTheNewFileAndNothingElse) {
    std::mt19937 random(17);
    ASSERT_TRUE(Holding(Generation(0)).SaveToFile(path.c_str()));
    int leftovers = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        KillDuring(random, [&, g = 1u]() mutable { Holding(Generation(g++)).SaveToFile(path.c_str()); });
        ASSERT_TRUE(IsSomeGeneration(OvTest::TempFolder::Read(path))) << "kill " << kill;
        leftovers += Names().size() > 1;
        ASSERT_TRUE(Holding(Generation(kill)).SaveToFile(path.c_str()));
        ASSERT_EQ(Names(), std::set<std::string>{"target.bin"}) << "kill " << kill;
    }
    std::printf("kills leaving a temporary until the next save: %d of %d\n", leftovers, kKills);
}

TEST_F(CrashSafeFiles, KilledAppendsLandWholeOrAreUndoneByTheNextReader) {
    std::mt19937 random(71);
    int midAppend = 0, cutShort = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        KillDuring(random, [&] {
            const uint32_t records = OV_MEMORY_FILE().Size(path.c_str()) / kRecordBytes;
            Holding(std::string(kRecordBytes, static_cast<char>(records % 250 + 1))).AppendToFile(path.c_str());
        });
        const std::set<std::string> names = Names();
        for (const std::string& name : names) ASSERT_TRUE(name == "target.bin" || name == "target.bin.ov-append");
        midAppend += names.count("target.bin.ov-append") > 0;
        cutShort += names.count("target.bin.ov-append") > 0 && !IsWholeRecords(OvTest::TempFolder::Read(path));

        OV_MEMORY_FILE reader;
        if (reader.LoadFromFile(path.c_str())) {
            ASSERT_TRUE(IsWholeRecords(OvTest::ContentOf(reader)))
                << "kill " << kill << ": " << reader.Size() << " bytes";
        } else {
            ASSERT_FALSE(std::filesystem::exists(path)) << "only a file never appended to whole is absent";
        }
        ASSERT_LE(Names().size(), 1u);
        if (kill % 5 == 4) std::filesystem::remove(path);  // keeps the file small
    }
    std::printf("kills during an append: %d of %d, %d with a partial record, undone by the next read\n", midAppend,
                kKills, cutShort);
}

TEST_F(CrashSafeFiles, LeftoversOfDeadProcessesAreCleanedAndThoseOfLiveOnesKept) {
    const pid_t gone = GoneProcess();
    const std::string dead = "target.bin.tmp" + std::to_string(gone) + ".3";
    const std::string live = "target.bin.tmp" + std::to_string(getppid()) + ".1";
    folder.Write(dead, "stale");
    folder.Write(live, "someone saving now");
    folder.Write("target.bin.tmpnotours", "kept");
    folder.Write("other.bin.tmp" + std::to_string(gone) + ".3", "another file's");
    ASSERT_TRUE(Holding("new").SaveToFile(path.c_str()));
    EXPECT_EQ(OvTest::TempFolder::Read(path), "new");
    EXPECT_EQ(Names(), (std::set<std::string>{"target.bin", live, "target.bin.tmpnotours",
                                              "other.bin.tmp" + std::to_string(gone) + ".3"}));

    // A journal of a dead appender: old length 3, the bytes after it undone.
    auto journal = [&](uint64_t oldLength, uint32_t pid) {
        std::string bytes = "OVAJ";
        for (int i = 0; i < 8; ++i) bytes += static_cast<char>(oldLength >> (8 * i));
        for (int i = 0; i < 4; ++i) bytes += static_cast<char>(pid >> (8 * i));
        folder.Write("target.bin.ov-append", bytes);
    };
    folder.Write("target.bin", "new-partial-rec");
    journal(3, static_cast<uint32_t>(gone));
    OV_MEMORY_FILE reader;
    EXPECT_EQ(reader.Size(path.c_str()), 3u);
    EXPECT_EQ(OvTest::TempFolder::Read(path), "new");
    EXPECT_FALSE(std::filesystem::exists(folder.Path("target.bin.ov-append")));

    journal(UINT64_MAX, static_cast<uint32_t>(gone));
    EXPECT_FALSE(reader.LoadFromFile(path.c_str())) << "the file the dead append created is gone";
    EXPECT_FALSE(std::filesystem::exists(path));

    folder.Write("target.bin", "abc");
    folder.Write("target.bin.ov-append", "OVA");  // torn before the append began
    ASSERT_TRUE(Holding("def").AppendToFile(path.c_str()));
    EXPECT_EQ(OvTest::TempFolder::Read(path), "abcdef");

    journal(1, static_cast<uint32_t>(getppid()));
    EXPECT_FALSE(Holding("ghi").AppendToFile(path.c_str())) << "another live process is appending";
    EXPECT_EQ(OvTest::TempFolder::Read(path), "abcdef");
    EXPECT_TRUE(std::filesystem::exists(folder.Path("target.bin.ov-append")));
}

}  // namespace
