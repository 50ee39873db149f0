// Disk reads and writes that fail leave a reason naming the file and the
// cause; so do packages, whose reading the engine does.
#include "ovcore/data/MemoryFile.h"
#include "ovcore/data/Package.h"
#include "ovcore/engine/OrvoCore.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

using namespace OvCore;

namespace {

std::string LastError() { return OvLastError(); }

TEST(DataDiagnostics, FailedReadsAndWritesNameTheFileAndTheCause) {
    TempFolder folder;
    ASSERT_TRUE(folder.IsValid());
    OV_MEMORY_FILE file;
    const std::string missing = folder.Path("missing.txt");
    EXPECT_FALSE(file.LoadFromFile(missing.c_str()));
    EXPECT_EQ(LastError(), "data: cannot open file: " + missing + ": No such file or directory");

    const std::string nowhere = folder.Path("no/such/folder/out.txt");
    ASSERT_TRUE(file.Allocate(4));
    file.size = 4;
    EXPECT_FALSE(file.SaveToFile(nowhere.c_str()));
    EXPECT_EQ(LastError(), "data: cannot write file: " + nowhere + ": No such file or directory");
    EXPECT_FALSE(file.AppendToFile(nowhere.c_str()));
    EXPECT_EQ(LastError(), "data: cannot open file for appending: " + nowhere + ": No such file or directory");
    EXPECT_FALSE(file.LoadFromFile(folder.Path("").c_str()));
    EXPECT_EQ(LastError(), "data: cannot read file: " + folder.Path("") + ": Is a directory");
}

TEST(DataDiagnostics, PackageThatIsNotAnArchiveIsNamed) {
    TempFolder folder;
    ASSERT_TRUE(folder.IsValid());
    OV_MEMORY_FILE text;
    ASSERT_TRUE(text.Allocate(100));
    text.size = 100;
    const std::string path = folder.Path("notes.pak");
    ASSERT_TRUE(text.SaveToFile(path.c_str()));
    OV_PACKAGE package;
    EXPECT_FALSE(package.Open(path.c_str()));
    EXPECT_EQ(LastError(), "engine: archive refused: " + path + ": Not a zip archive");
}

}  // namespace
