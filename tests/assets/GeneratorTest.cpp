#include "tests/assets/AssetFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <unistd.h>

using namespace OvTest;
namespace fs = std::filesystem;

namespace {

const char* const kOutputs[] = {
    "Textures/wall.ovt",  "Textures/player.ovt",   "Textures/spikeball.ovt", "Textures/gib.ovt",
    "Textures/grass.ovt", "Fonts/courier_new.ovt", "Fonts/courier_new.fnt",  "Sounds/gib1.wav",
    "Sounds/gib2.wav",    "Sounds/gib3.wav",       "Sounds/gib4.wav",        "Sounds/jump1.wav",
    "Logo/logo.png",      "Icon/gorvane.png",
};

class Generator : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("ov_assets_" + std::to_string(getpid()));
        fs::remove_all(root);
    }
    void TearDown() override { fs::remove_all(root); }

    int Run(const fs::path& folder) {
        const std::string command = std::string("'") + OV_MAKE_ASSETS + "' '" + folder.string() + "'";
        return std::system(command.c_str());
    }

    fs::path root;
};

}  // namespace

TEST_F(Generator, RegeneratesTheCommittedDataByteForByte) {
    // Two runs, compared with each other and with what is committed: the
    // output depends on nothing but the generator, its fonts and libraries.
    ASSERT_EQ(Run(root / "first"), 0);
    ASSERT_EQ(Run(root / "second"), 0);
    for (const char* file : kOutputs) {
        SCOPED_TRACE(file);
        const std::vector<unsigned char> first = ReadBytes(root / "first" / file);
        ASSERT_FALSE(first.empty());
        EXPECT_TRUE(first == ReadBytes(root / "second" / file)) << "differs between runs";
        EXPECT_TRUE(first == ReadBytes(DataPath(file))) << "committed file is stale";
    }
}

TEST_F(Generator, FailsWhenTheOutputCannotBeWritten) {
    ASSERT_TRUE(fs::create_directories(root));
    const fs::path blocker = root / "file";
    { std::ofstream(blocker) << "x"; }
    EXPECT_NE(Run(blocker), 0);
    EXPECT_NE(std::system((std::string("'") + OV_MAKE_ASSETS + "' 2>/dev/null").c_str()), 0);
}
