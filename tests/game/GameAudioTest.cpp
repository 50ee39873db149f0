// Before the scene tests in this binary: a finished scene shuts the audio down.
#include "GameTestSupport.h"

#include "ovcore/app/Core.h"
#include "game/GameSounds.h"

namespace {

using GameSoundsTest = OvTest::GameWorldTest;

TEST_F(GameSoundsTest, ALoadedSoundPlaysByNameAndEveryRequestIsObserved) {
    OvCore::GameSounds& sounds = OvCore::Sounds();
    if (!OvCore::core.audio.OpenDevice()) GTEST_SKIP() << "no audio device";
    ASSERT_TRUE(sounds.Load("jump1", "Data/Sounds/jump1.wav"));
    EXPECT_TRUE(sounds.Play("jump1"));
    EXPECT_EQ(OvTest::PlayedSounds(), std::vector<std::string>{"jump1"});
}

TEST_F(GameSoundsTest, AMissingOrUnloadableSoundPlaysNothingAndAddsNoEntry) {
    OvCore::GameSounds& sounds = OvCore::Sounds();
    EXPECT_FALSE(sounds.Load("broken", "Data/Sounds/no-such-sound.wav"));
    EXPECT_FALSE(sounds.Play("broken"));
    const uint32_t entries = sounds.handles.Count();
    EXPECT_FALSE(sounds.Play("never-loaded"));
    EXPECT_FALSE(sounds.Play(nullptr));
    EXPECT_EQ(sounds.handles.Count(), entries);
    EXPECT_EQ(OvTest::PlayedSounds(), (std::vector<std::string>{"broken", "never-loaded"}));
}

}  // namespace
