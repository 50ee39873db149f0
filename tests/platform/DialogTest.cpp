// Dialogs, message boxes and shell execution for real: zenity dialogs and
// SDL message boxes under the X server, answered through XTEST input;
// programs started as child processes.
#include "tests/support/XDriver.h"

#include "ovcore/platform/DialogCommand.h"
#include "ovcore/platform/Windows.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

OPENFILENAMEA Record(char* buffer, DWORD size, const char* title, DWORD flags) {
    OPENFILENAMEA record{};
    record.lStructSize = OPENFILENAME_SIZE_32BIT;
    record.lpstrFile = buffer;
    record.nMaxFile = size;
    record.lpstrTitle = title;
    record.Flags = flags;
    return record;
}

std::string WaitForFile(const std::string& path) {
    for (int i = 0; i < 200 && !std::filesystem::exists(path); ++i) usleep(50000);
    usleep(100000);
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(DialogCommandTest, WindowsFiltersAndFlagsBecomeDialogArguments) {
    auto filters = ParseFilterList("Text\0*.txt;*.log\0All\0*.*\0\0", 2);
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0], std::make_pair(std::string("All"), std::string("*")));
    EXPECT_EQ(filters[1], std::make_pair(std::string("Text"), std::string("*.txt *.log")));
    EXPECT_TRUE(ParseFilterList(nullptr, 1).empty());
    // A description without its pattern is dropped.
    EXPECT_EQ(ParseFilterList("Lone\0\0", 1).size(), 0u);

    DialogRequest request;
    request.kind = DialogRequest::kSave;
    request.title = "Save \"level\"; rm -rf ~";
    request.startPath = "/tmp/a b/";
    request.filters = {{"Levels|maps", "*.lvl"}};
    request.confirmOverwrite = true;
    request.owner = 77;
    EXPECT_EQ(ZenityArguments("zenity", request),
              (std::vector<std::string>{"zenity", "--file-selection", "--title=Save \"level\"; rm -rf ~",
                                        "--filename=/tmp/a b/", "--save", "--confirm-overwrite", "--attach=77",
                                        "--file-filter=Levels/maps | *.lvl"}));
    request.kind = DialogRequest::kOpen;
    request.multiple = true;
    request.filters.push_back({"All", "*"});
    EXPECT_EQ(KdialogArguments("kdialog", request),
              (std::vector<std::string>{"kdialog", "--multiple", "--separate-output",
                                        "--title=Save \"level\"; rm -rf ~", "--attach=77", "--getopenfilename", "--",
                                        "/tmp/a b/", "Levels|maps (*.lvl)\nAll (*)"}));
    // A start path or filter that looks like an option comes after "--".
    DialogRequest folderRequest;
    folderRequest.kind = DialogRequest::kFolder;
    folderRequest.startPath = "--passivepopup";
    folderRequest.filters = {{"--msgbox", "x"}};
    EXPECT_EQ(KdialogArguments("kdialog", folderRequest),
              (std::vector<std::string>{"kdialog", "--getexistingdirectory", "--", "--passivepopup"}));
    folderRequest.kind = DialogRequest::kOpen;
    EXPECT_EQ(KdialogArguments("kdialog", folderRequest),
              (std::vector<std::string>{"kdialog", "--getopenfilename", "--", "--passivepopup", "--msgbox (x)"}));
}

TEST(DialogTest, OpenDialogReturnsTheTypedFileInTheWindowsLayout) {
    OvTest::TempFolder folder;
    std::string chosen = folder.Write("level.one.lvl", "level.one.lvl");
    char buffer[MAX_PATH] = "";
    char title[64] = "";
    OPENFILENAMEA record = Record(buffer, sizeof(buffer), "Orvo Open Test", OFN_FILEMUSTEXIST | OFN_EXPLORER);
    record.lpstrInitialDir = folder.Root().c_str();
    record.lpstrFilter = "Levels\0*.lvl\0All\0*.*\0";
    record.lpstrFileTitle = title;
    record.nMaxFileTitle = sizeof(title);
    auto driver = DriveWindow("Orvo Open Test", {{XStep::kType, chosen}, {XStep::kKey, "Return"}});
    ASSERT_TRUE(GetOpenFileNameA(&record));
    EXPECT_TRUE(driver.get());
    EXPECT_STREQ(buffer, chosen.c_str());
    EXPECT_EQ(record.nFileOffset, folder.Root().size() + 1);
    EXPECT_EQ(record.nFileExtension, chosen.size() - 3);
    EXPECT_STREQ(title, "level.one.lvl");
    EXPECT_EQ(CommDlgExtendedError(), 0u);

    // Escape cancels: FALSE without an error code, the buffer untouched.
    std::strcpy(buffer, "keep");
    record = Record(buffer, sizeof(buffer), "Orvo Cancel Test", OFN_EXPLORER);
    driver = DriveWindow("Orvo Cancel Test", {{XStep::kKey, "Escape"}});
    EXPECT_FALSE(GetOpenFileNameA(&record));
    EXPECT_TRUE(driver.get());
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_STREQ(buffer, "keep");

    // A buffer too short for the choice: FALSE, the error, the size needed.
    char tiny[8] = "";
    record = Record(tiny, sizeof(tiny), "Orvo Short Test", OFN_EXPLORER);
    driver = DriveWindow("Orvo Short Test", {{XStep::kType, chosen}, {XStep::kKey, "Return"}});
    EXPECT_FALSE(GetOpenFileNameA(&record));
    EXPECT_TRUE(driver.get());
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
    WORD needed = 0;
    std::memcpy(&needed, tiny, sizeof(needed));
    EXPECT_EQ(needed, chosen.size() + 1);

    EXPECT_FALSE(GetOpenFileNameA(nullptr));
    record = Record(nullptr, 0, "unused", 0);
    EXPECT_FALSE(GetOpenFileNameA(&record));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_INITIALIZATION));
}

TEST(DialogTest, SaveDialogAddsTheDefaultExtensionAndFolderPickerGivesAnItemList) {
    OvTest::TempFolder folder;
    char buffer[MAX_PATH] = "";
    OPENFILENAMEA record =
        Record(buffer, sizeof(buffer), "Orvo Save Test", OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_EXPLORER);
    record.lpstrDefExt = "lvl";
    auto driver = DriveWindow("Orvo Save Test", {{XStep::kType, folder.Root() + "/fresh"}, {XStep::kKey, "Return"}});
    ASSERT_TRUE(GetSaveFileNameA(&record));
    EXPECT_TRUE(driver.get());
    EXPECT_EQ(std::string(buffer), folder.Root() + "/fresh.lvl");

    std::filesystem::create_directory(folder.Root() + "/maps");
    char display[MAX_PATH] = "";
    BROWSEINFOA info{};
    info.lpszTitle = "Orvo Folder Test";
    info.pszDisplayName = display;
    driver = DriveWindow("Orvo Folder Test", {{XStep::kType, folder.Root() + "/maps/"}, {XStep::kKey, "Return"}});
    PIDLIST_ABSOLUTE list = SHBrowseForFolderA(&info);
    EXPECT_TRUE(driver.get());
    ASSERT_NE(list, nullptr);
    char path[MAX_PATH] = "";
    EXPECT_TRUE(SHGetPathFromIDListA(list, path));
    EXPECT_EQ(std::string(path), folder.Root() + "/maps");
    EXPECT_STREQ(display, "maps");
    IMalloc* allocator = nullptr;
    ASSERT_EQ(SHGetMalloc(&allocator), S_OK);
    EXPECT_GE(allocator->GetSize(list), std::strlen(path) + 5);
    allocator->Free(list);
    allocator->Release();
    EXPECT_FALSE(SHGetPathFromIDListA(nullptr, path));
    EXPECT_STREQ(path, "");
}

TEST(DialogTest, MessageBoxAnswersWithTheButtonPressed) {
    auto driver = DriveWindow("Orvo Question", {{XStep::kKey, "Return"}});
    EXPECT_EQ(MessageBoxA(nullptr, "Save the level?", "Orvo Question", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_TRUE(driver.get());
    driver = DriveWindow("Orvo Second", {{XStep::kKey, "Return"}});
    EXPECT_EQ(MessageBoxA(nullptr, "Retry?", "Orvo Second", MB_RETRYCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_TRUE(driver.get());
    driver = DriveWindow("Orvo Escape", {{XStep::kKey, "Escape"}});
    EXPECT_EQ(MessageBoxA(nullptr, "Go on?", "Orvo Escape", MB_YESNOCANCEL), IDCANCEL);
    EXPECT_TRUE(driver.get());
}

TEST(ShellExecuteTest, ProgramsStartWithTheirParametersInTheirFolder) {
    OvTest::TempFolder folder;
    std::string script = folder.Root() + "/record.sh";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s|' \"$@\" > \"$(pwd)/args.txt.tmp\"\npwd >> args.txt.tmp\n"
                             "mv args.txt.tmp args.txt\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    HINSTANCE result =
        ShellExecuteA(nullptr, "OPEN", "record.sh", "one \"two words\" \\\"q", folder.Root().c_str(), SW_SHOW);
    EXPECT_GT(reinterpret_cast<intptr_t>(result), 32);
    EXPECT_EQ(WaitForFile(folder.Root() + "/args.txt"), "one|two words|\"q|" + folder.Root() + "\n");

    auto code = [](HINSTANCE instance) { return reinterpret_cast<intptr_t>(instance); };
    EXPECT_EQ(code(ShellExecuteA(nullptr, "open", (folder.Root() + "/missing").c_str(), nullptr, nullptr, SW_SHOW)),
              SE_ERR_FNF);
    EXPECT_EQ(code(ShellExecuteA(nullptr, "open", nullptr, nullptr, nullptr, SW_SHOW)), SE_ERR_FNF);
    EXPECT_EQ(code(ShellExecuteA(nullptr, "print", script.c_str(), nullptr, nullptr, SW_SHOW)), SE_ERR_NOASSOC);

    // The desktop's opener takes no "--": what could read as its option
    // never reaches it, an address whose scheme is no scheme is a file.
    std::ofstream(folder.Root() + "/xdg-open")
        << "#!/bin/sh\nprintf '%s|' \"$@\" >> \"" << folder.Root() << "/opened.txt\"\n";
    std::filesystem::permissions(folder.Root() + "/xdg-open", std::filesystem::perms::owner_all);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (folder.Root() + ":" + path).c_str(), 1);
    for (const char* target : {"--help://x", "--version", "-1://x", "://x"})
        EXPECT_EQ(code(ShellExecuteA(nullptr, "open", target, nullptr, folder.Root().c_str(), SW_SHOW)), SE_ERR_FNF)
            << target;
    EXPECT_GT(code(ShellExecuteA(nullptr, "open", "web+x-1.a://h/--help", nullptr, nullptr, SW_SHOW)), 32);
    EXPECT_EQ(WaitForFile(folder.Root() + "/opened.txt"), "web+x-1.a://h/--help|");
    setenv("PATH", path.c_str(), 1);

    char current[MAX_PATH];
    ASSERT_NE(getcwd(current, sizeof(current)), nullptr);
    char small[2];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof(small), small), std::strlen(current) + 1);
    char buffer[MAX_PATH];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof(buffer), buffer), std::strlen(current));
    EXPECT_STREQ(buffer, current);
}
