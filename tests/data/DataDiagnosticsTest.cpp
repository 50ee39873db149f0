// Disk reads and writes that fail leave a reason naming the file and the
// cause; so do packages, whose reading the engine does.
#include "ovcore/data/Document.h"
#include "ovcore/data/MemoryFile.h"
#include "ovcore/data/Package.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/platform/Diagnostics.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

using namespace OvCore;

namespace {

std::string LastError() { return OvLastError(); }

TEST(DataDiagnostics, FailedReadsAndWritesNameTheFileAndTheCause) {
    OvTest::TempFolder folder;
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
    OvTest::TempFolder folder;
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

TEST(DataDiagnostics, MarkupThatCannotBeReadSaysWhereReadingStopped) {
    OV_DOCUMENT document;
    EXPECT_FALSE(document.Parse(nullptr, 4, " ", true, "menu.xml"));
    EXPECT_EQ(LastError(), "data: cannot parse markup: menu.xml: line 1, column 1: no text");
    EXPECT_FALSE(document.Parse("\0<a/>", 5, " ", true));
    EXPECT_EQ(LastError(), "data: cannot parse markup: text: line 1, column 1: empty");
    // "\r\n", "\n" and a lone "\r" end one line each; the length cuts the last "\n".
    EXPECT_FALSE(document.Parse("\r\n\n\r\n", 4, " ", true, "blank.xml"));
    EXPECT_EQ(LastError(), "data: cannot parse markup: blank.xml: line 4, column 1: nothing but line breaks");
    EXPECT_EQ(document.Root()->firstChild, nullptr);
    // Bad syntax is read as it comes, and says nothing.
    PlatformReportFailure("%s", "");
    EXPECT_TRUE(document.Parse("<a x=\"1\n<b>>", 12, " ", true, "odd.xml"));
    EXPECT_EQ(LastError(), "");
}

}  // namespace
