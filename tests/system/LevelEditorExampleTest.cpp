// The level editor shell example played through the X server, in a scratch
// home: CTest's example_system names the program in OV_EXAMPLE_SYSTEM and
// runs this from the example's folder (where its icon is).
#include "ovcore/platform/ChildProcess.h"
#include "tests/support/TempFolder.h"
#include "tests/support/XDriver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

TEST(LevelEditorExample, RegistersOpensRemembersAndIsOpenedByTheDesktop) {
    const char* program = std::getenv("OV_EXAMPLE_SYSTEM");
    if (!program) GTEST_SKIP() << "run by CTest as example_system";
    const OvTest::TempFolder scratch("ov_example_system");
    ASSERT_TRUE(scratch.IsValid());
    const std::string& home = scratch.Root();
    setenv("OV_REGISTRY_PATH", (home + "/registry.db").c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    std::filesystem::create_directory(home + "/levels");
    std::string level = home + "/levels/castle.lvl";
    std::ofstream(level) << "level";

    auto dialog = DriveWindow("Open Level", {{XStep::kType, level}, {XStep::kKey, "Return"}});
    auto box = DriveWindow("Level Editor", {{XStep::kKey, "Return"}});
    std::string output;
    int status = -1;
    ASSERT_TRUE(RunAndCapture({program}, &output, &status));
    EXPECT_TRUE(dialog.get());
    EXPECT_TRUE(box.get());
    EXPECT_EQ(status, 0);
    EXPECT_EQ(output, "registered .lvl\nstarting in the current folder\nchosen " + level + "\nremembered " + home +
                          "/levels\n");

    // The next run starts where the last one chose; Escape cancels.
    dialog = DriveWindow("Open Level", {{XStep::kKey, "Escape"}});
    ASSERT_TRUE(RunAndCapture({program}, &output, &status));
    EXPECT_TRUE(dialog.get());
    EXPECT_EQ(output, "registered .lvl\nstarting in " + home + "/levels\ncancelled\n");

    // The desktop opens a level with the example, which shows it.
    box = DriveWindow("Level Editor", {{XStep::kKey, "Return"}});
    ASSERT_TRUE(RunAndCapture({"xdg-open", level}, &output, &status));
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(box.get());
}
