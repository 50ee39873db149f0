// OV_SYSTEM over the real services: the SQLite registry in a scratch folder,
// the desktop's MIME database and xdg-open in a scratch home, zenity dialogs
// and SDL message boxes answered through the X server.
#include "ovcore/system/DesktopAssociation.h"
#include "ovcore/system/System.h"

#include "ovcore/platform/ChildProcess.h"
#include "ovcore/platform/Diagnostics.h"
#include "ovcore/platform/Registry.h"
#include "tests/support/XDriver.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

using namespace OvCore;

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Output(const std::vector<std::string>& arguments) {
    std::string output;
    int status = -1;
    if (!RunAndCapture(arguments, &output, &status) || status != 0) return "failed";
    while (!output.empty() && output.back() == '\n') output.pop_back();
    return output;
}

// A scratch home: the registry, XDG folders and files of one test.
class SystemTest : public ::testing::Test {
protected:
    OvTest::TempFolder scratch;
    std::string home = scratch.Root();
    OV_SYSTEM system;

    void SetUp() override {
        setenv("OV_REGISTRY_PATH", (home + "/registry.db").c_str(), 1);
        setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
        PlatformRegistryClose();
    }
    void TearDown() override { PlatformRegistryClose(); }

    std::string DefaultString(const char* subKey) {
        HKEY key = system.OpenKey(HKEY_CLASSES_ROOT, subKey, OV_SYSTEM::OPEN_EXISTING);
        if (!key) return "missing";
        char text[256] = "";
        DWORD type = 0, size = sizeof(text);
        bool read = system.QueryValue(key, "", &type, text, &size);
        system.CloseKey(key);
        if (!read || type != REG_SZ || size == 0 || text[size - 1] != '\0') return "bad";
        return std::string(text, size - 1);
    }
};

}  // namespace

TEST_F(SystemTest, KeysOpenByModeAndValuesRoundTrip) {
    EXPECT_EQ(system.OpenKey(HKEY_CURRENT_USER, "Software\\Orvo\\Editor", OV_SYSTEM::OPEN_EXISTING), nullptr);
    EXPECT_EQ(system.OpenKey(HKEY_CURRENT_USER, "Software\\Orvo\\Editor", 5), nullptr);
    HKEY key = system.OpenKey(HKEY_CURRENT_USER, "Software\\Orvo\\Editor", OV_SYSTEM::OPEN_OR_CREATE);
    ASSERT_NE(key, nullptr);
    HKEY again = system.OpenKey(HKEY_CURRENT_USER, "SOFTWARE\\orvo\\editor", OV_SYSTEM::OPEN_EXISTING);
    ASSERT_NE(again, nullptr);

    const char folder[] = "/home/maps";
    EXPECT_TRUE(system.SetValue(key, "LastFolder", REG_SZ, folder, sizeof(folder)));
    EXPECT_TRUE(system.SetValue(key, nullptr, REG_DWORD, "\x07\0\0\0", 4));
    EXPECT_TRUE(system.ValueExists(again, "lastfolder"));
    EXPECT_TRUE(system.ValueExists(again, ""));
    EXPECT_FALSE(system.ValueExists(again, "Other"));

    char text[4] = "";
    DWORD type = 0, size = sizeof(text);
    EXPECT_FALSE(system.QueryValue(again, "LastFolder", &type, text, &size));
    EXPECT_EQ(size, sizeof(folder));
    char whole[32] = "";
    size = sizeof(whole);
    EXPECT_TRUE(system.QueryValue(again, "LastFolder", &type, whole, &size));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(whole, folder);
    uint32_t number = 0;
    size = sizeof(number);
    EXPECT_TRUE(system.QueryValue(again, "", &type, &number, &size));
    EXPECT_EQ(number, 7u);

    EXPECT_TRUE(system.DeleteValue(key, "LastFolder"));
    EXPECT_FALSE(system.DeleteValue(key, "LastFolder"));
    EXPECT_FALSE(system.DeleteKey(HKEY_CURRENT_USER, "Software\\Orvo"));
    EXPECT_TRUE(system.DeleteKey(HKEY_CURRENT_USER, "Software\\Orvo\\Editor"));
    EXPECT_FALSE(system.ValueExists(again, ""));
    EXPECT_TRUE(system.CloseKey(key));
    EXPECT_TRUE(system.CloseKey(again));
    EXPECT_FALSE(system.CloseKey(again));
}

TEST_F(SystemTest, AssociationWritesThreeValuesAndTheDesktopOpensTheFileWithTheCommand) {
    std::string opener = home + "/open-level.sh";
    std::ofstream(opener) << "#!/bin/sh\nprintf '%s|' \"$@\" > \"" << home << "/opened.tmp\"\nmv \"" << home
                          << "/opened.tmp\" \"" << home << "/opened.txt\"\n";
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    std::filesystem::create_directories(home + "/config");
    std::ofstream(home + "/config/mimeapps.list") << "[Default Applications]\ntext/plain=keep.desktop\n"
                                                  << "application/x-sample.level=old.desktop\n[Added Associations]\n"
                                                  << "image/png=viewer.desktop;\n";
    std::string command = opener + " --edit \"%1\"";
    std::string icon = home + "/level.png,0";

    ASSERT_TRUE(system.AssociateFileType("Sample.Level", ".lvl", command.c_str(), icon.c_str()));
    EXPECT_EQ(DefaultString(".lvl"), "Sample.Level");
    EXPECT_EQ(DefaultString("Sample.Level\\DefaultIcon"), icon);
    EXPECT_EQ(DefaultString("sample.level\\shell\\open\\command"), command);

    std::string entry = ReadAll(home + "/data/applications/orvo-core-sample.level.desktop");
    EXPECT_NE(entry.find("\nExec=" + opener + " --edit %f\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nIcon=" + home + "/level.png\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nMimeType=application/x-sample.level;\n"), std::string::npos) << entry;
    EXPECT_EQ(ReadAll(home + "/config/mimeapps.list"),
              "[Default Applications]\ntext/plain=keep.desktop\n"
              "application/x-sample.level=orvo-core-sample.level.desktop;\n[Added Associations]\n"
              "image/png=viewer.desktop;\n");

    std::string level = home + "/castle.LVL";
    std::ofstream(level) << "level";
    EXPECT_EQ(Output({"xdg-mime", "query", "filetype", level}), "application/x-sample.level");
    EXPECT_EQ(Output({"xdg-mime", "query", "default", "application/x-sample.level"}), "orvo-core-sample.level.desktop");
    EXPECT_EQ(Output({"xdg-open", level}), "");
    for (int i = 0; i < 200 && !std::filesystem::exists(home + "/opened.txt"); ++i) usleep(50000);
    EXPECT_EQ(ReadAll(home + "/opened.txt"), "--edit|" + level + "|");

    // The type name reaches the registry only through bound parameters.
    EXPECT_FALSE(system.AssociateFileType("", ".x", "c", "i"));
    EXPECT_FALSE(system.AssociateFileType("T", nullptr, "c", "i"));
}

TEST(DesktopAssociationTest, WindowsCommandsBecomeExecLinesAndListsKeepOtherLines) {
    EXPECT_EQ(DesktopExecLine("\"/opt/level tools/edit\" /open \"%1\""), "\"/opt/level tools/edit\" /open %f");
    EXPECT_EQ(DesktopExecLine("edit 100% %L"), "edit 100%% %f");
    EXPECT_EQ(DesktopExecLine("edit \"a$b\" c\\d --x=%1"), "edit \"a\\\\$b\" \"c\\\\\\\\d\" --x=%f");
    EXPECT_EQ(DesktopExecLine(nullptr), "");
    // A field code is never written inside quotes: an argument needing them
    // is split around it, blank pieces dropped.
    EXPECT_EQ(DesktopExecLine("edit \"%1\n\""), "edit %f");
    EXPECT_EQ(DesktopExecLine("edit \"--in=%1 copy\""), "edit --in= %f \" copy\"");
    EXPECT_EQ(DesktopExecLine("edit \"a b%Lc\td\""), "edit \"a b\" %f \"c d\"");
    EXPECT_EQ(DesktopMimeType("My Level/Type"), "application/x-my-level-type");
    EXPECT_EQ(DesktopEntryName("Sample.Level"), "orvo-core-sample.level.desktop");
    EXPECT_EQ(WithDefaultApplication("", "a/b", "e.desktop"), "[Default Applications]\na/b=e.desktop;\n");
    EXPECT_EQ(WithDefaultApplication("[Added Associations]\nx/y=z;\n", "a/b", "e.desktop"),
              "[Added Associations]\nx/y=z;\n[Default Applications]\na/b=e.desktop;\n");
    EXPECT_EQ(WithDefaultApplication("[Default Applications]\na/b=old\nc/d=f\n", "a/b", "e.desktop"),
              "[Default Applications]\nc/d=f\na/b=e.desktop;\n");
}

TEST(SystemDialogFlagsTest, FiltersAndOptionsBecomeTheDialogRecord) {
    std::string list = OV_SYSTEM::FilterList("Text|*.txt|All|*.*");
    EXPECT_EQ(std::string(list.c_str(), list.size() + 1), std::string("Text\0*.txt\0All\0*.*\0\0", 20));
    EXPECT_EQ(OV_SYSTEM::FilterList(nullptr), "");
    EXPECT_EQ(OV_SYSTEM::DialogFlags(OV_SYSTEM::OPEN_DIALOG, 0), 0x81808u);
    EXPECT_EQ(OV_SYSTEM::DialogFlags(OV_SYSTEM::SAVE_DIALOG, 0), 0x80008u);
    EXPECT_EQ(OV_SYSTEM::DialogFlags(OV_SYSTEM::SAVE_DIALOG, 1 | 2 | 4 | 8), 0x8020Eu);
}

TEST_F(SystemTest, FileDialogGivesTheChosenPathAndNeverMoreThanTheBufferHolds) {
    std::string chosen = home + "/forest.lvl";
    std::ofstream(chosen) << "level";
    char path[MAX_PATH] = "stale";
    auto driver = DriveWindow("Open Level", {{XStep::kType, chosen}, {XStep::kKey, "Return"}});
    system.FileDialog(path, OV_SYSTEM::OPEN_DIALOG, "Levels|*.lvl|All|*.*", "Open Level", home.c_str(), 0, nullptr, 0);
    EXPECT_TRUE(driver.get());
    EXPECT_EQ(std::string(path), chosen);

    // A buffer too short for the path stays empty; the bytes after it are
    // untouched.
    char small[24];
    std::memset(small, 'x', sizeof(small));
    driver = DriveWindow("Save Level", {{XStep::kType, home + "/a-rather-long-level-name"}, {XStep::kKey, "Return"}});
    system.FileDialog(small, OV_SYSTEM::SAVE_DIALOG, nullptr, "Save Level", nullptr, 0, nullptr, 0, 8);
    EXPECT_TRUE(driver.get());
    EXPECT_EQ(small[0], '\0');
    EXPECT_EQ(std::string(small + 1, 23), std::string(23, 'x'));

    std::strcpy(path, "stale");
    driver = DriveWindow("Cancel Level", {{XStep::kKey, "Escape"}});
    system.FileDialog(path, OV_SYSTEM::OPEN_DIALOG, nullptr, "Cancel Level", nullptr, 0, nullptr, 0);
    EXPECT_TRUE(driver.get());
    EXPECT_STREQ(path, "");
    std::strcpy(path, "stale");
    EXPECT_STREQ(system.FileDialog(path, 12, nullptr, "Never Shown", nullptr, 0, nullptr, 0), "");
}

TEST_F(SystemTest, BrowseFolderGivesTheFolderAndShellOpenStartsPrograms) {
    std::filesystem::create_directory(home + "/worlds");
    char path[MAX_PATH] = "stale";
    auto driver = DriveWindow("Pick Folder", {{XStep::kType, home + "/worlds/"}, {XStep::kKey, "Return"}});
    system.BrowseFolder(path, "Pick Folder", nullptr, 0);
    EXPECT_TRUE(driver.get());
    EXPECT_EQ(std::string(path), home + "/worlds");
    driver = DriveWindow("Cancel Folder", {{XStep::kKey, "Escape"}});
    system.BrowseFolder(path, "Cancel Folder", nullptr, 0);
    EXPECT_TRUE(driver.get());
    EXPECT_STREQ(path, "");

    std::string script = home + "/mark.sh";
    std::ofstream(script) << "#!/bin/sh\necho \"$1\" > \"" << home << "/mark.tmp\"\nmv \"" << home << "/mark.tmp\" \""
                          << home << "/mark.txt\"\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    EXPECT_EQ(system.ShellOpen(script.c_str(), "started", "no such window", 0), 1);
    EXPECT_GT(system.ShellOpen(script.c_str(), "started", nullptr, 0), 32);
    for (int i = 0; i < 200 && !std::filesystem::exists(home + "/mark.txt"); ++i) usleep(50000);
    EXPECT_EQ(ReadAll(home + "/mark.txt"), "started\n");
    EXPECT_EQ(system.ShellOpen((home + "/missing").c_str(), nullptr, nullptr, 0), SE_ERR_FNF);
}

TEST_F(SystemTest, MessageCaptionIsTheGivenOneElseTheWindowTitleElseTheDefault) {
    OV_CORE& owner = *system.core;
    owner.windows.Get("tool", 3)->title = "Level Tool";
    auto driver = DriveWindow("Orvo Core Application", {{XStep::kKey, "Return"}});
    EXPECT_EQ(system.ShowMessage("Saved.", nullptr, MB_OK, nullptr, 0), IDOK);
    EXPECT_TRUE(driver.get());
    driver = DriveWindow("Orvo Core Application", {{XStep::kKey, "Escape"}});
    EXPECT_EQ(system.ShowMessage("Quit?", nullptr, MB_OKCANCEL, "tool", 4), IDCANCEL);
    EXPECT_TRUE(driver.get());
    driver = DriveWindow("Level Tool", {{XStep::kKey, "Return"}});
    EXPECT_EQ(system.ShowMessage("Keep?", nullptr, MB_YESNO, "tool", 3), IDYES);
    EXPECT_TRUE(driver.get());
    driver = DriveWindow("Given", {{XStep::kKey, "Return"}});
    EXPECT_EQ(system.ShowMessage("Retry?", "Given", MB_RETRYCANCEL | MB_DEFBUTTON2, "tool", 3), IDCANCEL);
    EXPECT_TRUE(driver.get());
    owner.windows.Access(REMOVE, "tool", 3);
}

TEST_F(SystemTest, NoAssociationIsWrittenWithoutAUserFolder) {
    const bool hadHome = std::getenv("HOME") != nullptr;
    const std::string savedHome = hadHome ? std::getenv("HOME") : "";
    char current[4096];
    ASSERT_NE(getcwd(current, sizeof(current)), nullptr);
    ASSERT_EQ(chdir(this->home.c_str()), 0);
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_CONFIG_HOME");
    for (const char* value : {static_cast<const char*>(nullptr), "", "relative/home"}) {
        if (value)
            setenv("HOME", value, 1);
        else
            unsetenv("HOME");
        EXPECT_FALSE(system.AssociateFileType("Sample.Level", ".lvl", "edit %1", "icon.png"))
            << (value ? value : "unset");
        EXPECT_STREQ(PlatformLastFailure(),
                     "system: cannot associate file type: Sample.Level: no user folder (HOME and XDG_DATA_HOME unset)");
    }
    setenv("XDG_DATA_HOME", (this->home + "/data").c_str(), 1);
    EXPECT_FALSE(system.AssociateFileType("Sample.Level", ".lvl", "edit %1", "icon.png"));
    EXPECT_STREQ(PlatformLastFailure(),
                 "system: cannot associate file type: Sample.Level: no user folder (HOME and XDG_CONFIG_HOME unset)");
    EXPECT_FALSE(std::filesystem::exists(this->home + "/.local"));
    EXPECT_FALSE(std::filesystem::exists(this->home + "/.config"));
    EXPECT_FALSE(std::filesystem::exists(this->home + "/relative"));
    EXPECT_FALSE(std::filesystem::exists(this->home + "/data"));
    ASSERT_EQ(chdir(current), 0);
    if (hadHome) setenv("HOME", savedHome.c_str(), 1);
}
