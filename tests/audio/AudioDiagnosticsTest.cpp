// Sounds that cannot be opened or are not what was asked for leave a reason
// naming the file.
#include "ovcore/audio/device/AudioApi.h"
#include "ovcore/engine/OrvoCore.h"
#include "tests/audio/AudioTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace OvAudio;
using namespace OvTest;

namespace {

std::string LastError() { return OvLastError(); }

TEST(AudioDiagnostics, MissingUnreadableAndMismatchedSoundsAreNamed) {
    const std::string folder = FreshFolder();
    const std::string missing = folder + "/missing.wav";
    EXPECT_FALSE(AdrOpenSampleSource(missing.c_str(), 0));
    EXPECT_EQ(LastError().rfind("audio: cannot open sound: " + missing + ": ", 0), 0u) << LastError();
    EXPECT_NE(LastError().find("No such file or directory"), std::string::npos) << LastError();

    const std::string text = folder + "/text.wav";
    ASSERT_TRUE(WriteBytes(text, std::string(200, 't')));
    EXPECT_FALSE(AdrOpenSampleSource(text.c_str(), 0));
    EXPECT_EQ(LastError().rfind("audio: cannot open sound: " + text + ": ", 0), 0u) << LastError();

    const std::string wave = folder + "/tone.wav";
    ASSERT_TRUE(WriteSine(wave, 440.0, 0.05));
    EXPECT_FALSE(AdrOpenSampleSource(wave.c_str(), 3));
    EXPECT_EQ(LastError(), "audio: sound format refused: " + wave + ": not the format asked for");

    EXPECT_FALSE(AdrOpenSampleSourceFromMemory("RIFF", 4, 0));
    EXPECT_EQ(LastError().rfind("audio: cannot open sound: memory: ", 0), 0u) << LastError();
}

TEST(AudioDiagnostics, UnknownDeviceIsNamed) {
    EXPECT_FALSE(AdrOpenDevice("no such device", nullptr));
    EXPECT_EQ(LastError(), "audio: cannot open device: no such device");
}

}  // namespace
