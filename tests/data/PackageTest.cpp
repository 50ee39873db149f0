#include "ovcore/data/Package.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using OvCore::OV_MEMORY_FILE;
using OvCore::OV_PACKAGE;
using OvCore::OV_PACKAGE_FILE;

namespace {

OV_PACKAGE_FILE MakeFile(const char* name, const std::string& bytes) {
    OV_PACKAGE_FILE file;
    file.name.Assign(name);
    file.file.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    return file;
}

std::string BinaryWithZeros() {
    std::string bytes;
    for (int i = 0; i < 5000; ++i) bytes.push_back(static_cast<char>((i * 31) % 7 == 0 ? 0 : i));
    return bytes;
}

bool HasTool(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string RunAndCapture(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char chunk[512];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0) output.append(chunk, got);
    pclose(pipe);
    return output;
}

class Package : public ::testing::Test {
protected:
    OvTest::TempFolder folder;
    std::vector<OV_PACKAGE_FILE> files;

    void SetUp() override {
        ASSERT_TRUE(folder.IsValid());
        files.push_back(MakeFile("0", BinaryWithZeros()));
        files.push_back(MakeFile("empty", ""));
        files.push_back(MakeFile("text/readme.txt", std::string(20000, 'a') + "end"));
    }

    std::string SaveSample() {
        const std::string path = folder.Path("sample.pak");
        EXPECT_TRUE(OV_PACKAGE::SavePackage(path.c_str(), files.data(), uint32_t(files.size())));
        return path;
    }

    static void ExpectClosed(const OV_PACKAGE& package) {
        EXPECT_EQ(package.Count(), 0u);
        EXPECT_EQ(package.EntryName(0), nullptr);
        EXPECT_EQ(package.EntrySize(0), 0u);
        EXPECT_EQ(package.path.Length(), 0u);
        OV_MEMORY_FILE out;
        EXPECT_FALSE(package.LoadEntry(out, 0));
    }
};

}  // namespace

TEST_F(Package, EntriesRoundTripByNameSizeAndContent) {
    const std::string path = SaveSample();
    OV_PACKAGE package;
    ASSERT_TRUE(package.Open(path.c_str()));
    EXPECT_STREQ(package.path.Get(), path.c_str());
    ASSERT_EQ(package.Count(), files.size());
    for (uint32_t i = 0; i < files.size(); ++i) {
        EXPECT_STREQ(package.EntryName(i), files[i].name.Get());
        EXPECT_EQ(package.EntrySize(i), files[i].file.Size());
        uint32_t index = 99;
        ASSERT_TRUE(package.FindEntry(files[i].name.Get(), index));
        EXPECT_EQ(index, i);
        OV_MEMORY_FILE loaded;
        loaded.WriteText("stale", false);
        ASSERT_TRUE(package.LoadEntry(loaded, i));
        EXPECT_EQ(OvTest::ContentOf(loaded), OvTest::ContentOf(files[i].file));
        EXPECT_EQ(loaded.capacity, loaded.size);
        EXPECT_EQ(loaded.Tell(), 0u);
    }
    uint32_t index = 7;
    EXPECT_FALSE(package.FindEntry("Empty", index));
    EXPECT_FALSE(package.FindEntry(nullptr, index));
    EXPECT_EQ(index, 7u);
    EXPECT_EQ(package.EntryName(3), nullptr);

    OV_PACKAGE moved(std::move(package));
    ExpectClosed(package);
    moved.Close();
    ExpectClosed(moved);
}

TEST_F(Package, SaveRefusesBadListsAndKeepsTheOldPackage) {
    const std::string path = SaveSample();
    const std::string before = OvTest::TempFolder::Read(path);
    EXPECT_FALSE(OV_PACKAGE::SavePackage(path.c_str(), nullptr, 2));
    EXPECT_FALSE(OV_PACKAGE::SavePackage(path.c_str(), files.data(), 0));

    std::vector<OV_PACKAGE_FILE> duplicate;
    duplicate.push_back(MakeFile("same", "1"));
    duplicate.push_back(MakeFile("same", "2"));
    EXPECT_FALSE(OV_PACKAGE::SavePackage(path.c_str(), duplicate.data(), 2));

    std::vector<OV_PACKAGE_FILE> badName;
    badName.push_back(MakeFile("", "x"));
    EXPECT_FALSE(OV_PACKAGE::SavePackage(path.c_str(), badName.data(), 1));
    badName[0].name.Assign(std::string(OV_VIRTUAL_FILE_NAME_SIZE, 'n').c_str());
    EXPECT_FALSE(OV_PACKAGE::SavePackage(path.c_str(), badName.data(), 1));
    badName[0].name.Assign(std::string(OV_VIRTUAL_FILE_NAME_SIZE - 1, 'n').c_str());
    EXPECT_FALSE(OV_PACKAGE::SavePackage(folder.Path("no/such/dir.pak").c_str(), badName.data(), 1));

    EXPECT_EQ(OvTest::TempFolder::Read(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 1);
    ASSERT_TRUE(OV_PACKAGE::SavePackage(path.c_str(), badName.data(), 1));
}

TEST_F(Package, ListedByTheUnzipTool) {
    if (!HasTool("unzip")) GTEST_SKIP() << "unzip is not installed";
    const std::string path = SaveSample();
    const std::string listing = RunAndCapture("unzip -l '" + path + "'");
    for (const char* expected : {" 5000 ", " empty\n", "text/readme.txt", "3 files"})
        EXPECT_NE(listing.find(expected), std::string::npos) << listing;
    const std::string check = RunAndCapture("unzip -t '" + path + "'");
    EXPECT_NE(check.find("No errors detected"), std::string::npos) << check;
}

TEST_F(Package, OpensAnArchiveMadeByTheZipTool) {
    if (!HasTool("zip")) GTEST_SKIP() << "zip is not installed";
    std::filesystem::create_directories(folder.Path("src/sub"));
    folder.Write("src/a.txt", "alpha");
    folder.Write("src/sub/b.bin", std::string("\0\1\2\0", 4));
    const std::string longFolder = "src/" + std::string(200, 'd');
    std::filesystem::create_directories(folder.Path(longFolder));
    folder.Write(longFolder + "/" + std::string(100, 'f'), "too long a name");
    const std::string zipPath = folder.Path("made.zip");
    ASSERT_EQ(std::system(("cd '" + folder.Path("src") + "' && zip -qr '" + zipPath + "' .").c_str()), 0);

    OV_PACKAGE package;
    ASSERT_TRUE(package.Open(zipPath.c_str()));
    ASSERT_EQ(package.Count(), 2u) << "folders and over-long names are left out";
    uint32_t index = 0;
    OV_MEMORY_FILE out;
    ASSERT_TRUE(package.FindEntry("a.txt", index));
    ASSERT_TRUE(package.LoadEntry(out, index));
    EXPECT_EQ(OvTest::ContentOf(out), "alpha");
    ASSERT_TRUE(package.FindEntry("sub/b.bin", index));
    ASSERT_TRUE(package.LoadEntry(out, index));
    EXPECT_EQ(OvTest::ContentOf(out), std::string("\0\1\2\0", 4));

    const std::string streamed = folder.Path("streamed.zip");
    ASSERT_EQ(std::system(("printf 'piped data' | zip -q - - > '" + streamed + "'").c_str()), 0);
    ASSERT_TRUE(package.Open(streamed.c_str()));
    ASSERT_EQ(package.Count(), 1u);
    ASSERT_TRUE(package.LoadEntry(out, 0));
    EXPECT_EQ(OvTest::ContentOf(out), "piped data");
}

TEST_F(Package, DamagedOrForeignFilesAreRefusedCleanly) {
    const std::string path = SaveSample();
    const std::string whole = OvTest::TempFolder::Read(path);
    std::string random;
    for (int i = 0; i < 4096; ++i) random.push_back(static_cast<char>((i * 2654435761u) >> 13));
    const std::vector<std::string> damaged = {
        folder.Write("half.pak", whole.substr(0, whole.size() / 2)),
        folder.Write("random.pak", random),
        folder.Write("empty.pak", ""),
        folder.Write("text.pak", "PK\x05\x06 this is not an archive"),
        folder.Path("missing.pak"),
        folder.Path(""),
    };
    OV_PACKAGE package;
    for (const std::string& candidate : damaged) {
        ASSERT_TRUE(package.Open(path.c_str()));
        EXPECT_FALSE(package.Open(candidate.c_str())) << candidate;
        ExpectClosed(package);
    }
    EXPECT_FALSE(package.Open(nullptr));
    ExpectClosed(package);
}

TEST_F(Package, CorruptedMemberDataFailsToLoad) {
    files.resize(1);
    const std::string path = SaveSample();
    std::string bytes = OvTest::TempFolder::Read(path);
    const size_t insideData = 30 + 1 + 10;  // local header, the name "0", then the data
    bytes[insideData] = static_cast<char>(bytes[insideData] ^ 0x5A);
    const std::string broken = folder.Write("broken.pak", bytes);

    OV_PACKAGE package;
    ASSERT_TRUE(package.Open(broken.c_str()));
    OV_MEMORY_FILE out;
    out.WriteText("kept", false);
    EXPECT_FALSE(package.LoadEntry(out, 0));
    EXPECT_EQ(OvTest::ContentOf(out), "kept");
}

TEST_F(Package, LoadNoticesThatThePackageChangedOnDisk) {
    const std::string path = SaveSample();
    OV_PACKAGE package;
    ASSERT_TRUE(package.Open(path.c_str()));
    std::vector<OV_PACKAGE_FILE> other;
    other.push_back(MakeFile("else", "different"));
    other.push_back(MakeFile("empty", "no longer empty"));
    ASSERT_TRUE(OV_PACKAGE::SavePackage(path.c_str(), other.data(), 2));
    OV_MEMORY_FILE out;
    EXPECT_FALSE(package.LoadEntry(out, 0));
    EXPECT_FALSE(package.LoadEntry(out, 1));
}
