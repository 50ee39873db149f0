// The game as a user installs it: started through its launcher from a folder
// that is not its own, it finds its data; started without its data, it says
// which files it could not open, and only when asked to.
#include "tests/support/ChildProcess.h"
#include "tests/support/SavedFrame.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kPrefix = OV_INSTALL_PREFIX;
const std::string kEscapeScript = OV_ESCAPE_SCRIPT;

const char* const kGameFiles[] = {
    "Data/Textures/wall.ovt",  "Data/Textures/player.ovt",   "Data/Textures/spikeball.ovt", "Data/Textures/gib.ovt",
    "Data/Textures/grass.ovt", "Data/Fonts/courier_new.ovt", "Data/Fonts/courier_new.fnt",  "Data/Sounds/gib1.wav",
    "Data/Sounds/gib2.wav",    "Data/Sounds/gib3.wav",       "Data/Sounds/gib4.wav",        "Data/Sounds/jump1.wav",
};

struct ChildResult {
    int status = -1;  // the exit status; -1 when it did not exit normally within a minute
    std::string output;  // what it wrote on standard output and error
};

// Runs the program in folder with extra environment variables.
ChildResult RunChild(const std::string& program, const std::string& folder,
                     const std::vector<std::pair<std::string, std::string>>& environment) {
    OvTest::TempFolder scratch;
    OvTest::LaunchOptions options;
    options.arguments = {program};
    for (const auto& [name, value] : environment) options.environment.push_back(name + "=" + value);
    options.workingDirectory = folder;
    options.outputPath = scratch.Path("output.txt");
    ChildResult result;
    OvTest::ChildProcess child;
    child.Launch(options);
    result.status = child.ExitCode(60.0);
    result.output = OvTest::TempFolder::Read(options.outputPath);
    return result;
}

}  // namespace

TEST(InstalledGame, StartsFromItsLauncherInAnotherFolderAndShowsItsData) {
    OvTest::TempFolder elsewhere;
    ASSERT_FALSE(elsewhere.Root().empty());
    const std::string shot = elsewhere.Root() + "/frame.png";
    const ChildResult run = RunChild(kPrefix + "/bin/gorvane", elsewhere.Root(),
                                     {{"OV_INPUT_SCRIPT", kEscapeScript}, {"OV_SAVE_FRAME", shot}});
    ASSERT_EQ(run.status, 0) << run.output;

    const OvTest::SavedFrame frame(shot);
    ASSERT_TRUE(frame.Valid()) << "no frame saved at " << shot;
    ASSERT_EQ(frame.Width(), 800);
    ASSERT_EQ(frame.Height(), 600);
    // The wall texture drawn as the top-left border marker, 16 x 16 at (0, 0).
    EXPECT_EQ(frame.Count(0, 0, 16, 16, [](const uint8_t* p) { return p[0] + p[1] + p[2] > 0; }), 256);
    // The status text in white from the font, from (10, 10): four lines.
    EXPECT_GT(frame.Count(10, 10, 200, 80, [](const uint8_t* p) { return p[0] > 200 && p[1] > 200 && p[2] > 200; }),
              100);
    // Nothing is written where the game was started from but the frame.
    EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere.Root()), fs::directory_iterator()), 1);
}

TEST(InstalledGame, WithoutItsDataNamesEachMissingFileOnlyWhenAsked) {
    OvTest::TempFolder empty;
    ASSERT_FALSE(empty.Root().empty());
    const std::string program = kPrefix + "/libexec/gorvane/Gorvane";

    const ChildResult quiet = RunChild(program, empty.Root(), {{"OV_INPUT_SCRIPT", kEscapeScript}});
    ASSERT_EQ(quiet.status, 0) << quiet.output;
    EXPECT_EQ(quiet.output.find("Data/"), std::string::npos) << quiet.output;

    const ChildResult told = RunChild(program, empty.Root(), {{"OV_INPUT_SCRIPT", kEscapeScript}, {"OV_LOG", "1"}});
    ASSERT_EQ(told.status, 0) << told.output;
    for (const char* file : kGameFiles) {
        EXPECT_NE(told.output.find(file), std::string::npos) << file << "\n" << told.output;
    }
    // Only what is missing: the logo the engine carries is found.
    EXPECT_EQ(told.output.find("resource"), std::string::npos) << told.output;
}
