// OV_AUDIO over a real device: loading, handles, removal and the two tables
// of operations.
#include "ovcore/audio/Audio.h"
#include "tests/audio/AudioTestSupport.h"

#include <gtest/gtest.h>

using namespace OvCore;
using namespace OvTest;

namespace {

class AudioManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = FreshFolder();
        sine_ = folder_ + "/sine.wav";
        ASSERT_TRUE(WriteSine(sine_, 440.0, 0.3));
        ASSERT_TRUE(audio_.OpenDevice());
    }

    std::string folder_;
    std::string sine_;
    OV_AUDIO audio_;
};

// Every operation of both tables refuses the handle: false, or 0 for getters.
void ExpectRefused(OV_AUDIO& audio, OV_SOUND_HANDLE h) {
    EXPECT_FALSE(audio.PlayEffect(h));
    EXPECT_FALSE(audio.StopEffect(h));
    EXPECT_FALSE(audio.SetEffectVolume(h, 0.5f));
    EXPECT_EQ(audio.GetEffectVolume(h), 0.0f);
    EXPECT_FALSE(audio.SetEffectPan(h, 0.5f));
    EXPECT_EQ(audio.GetEffectPan(h), 0.0f);
    EXPECT_FALSE(audio.SetEffectPitch(h, 1.5f));
    EXPECT_EQ(audio.GetEffectPitch(h), 0.0f);
    EXPECT_FALSE(audio.RemoveEffect(h));
    EXPECT_FALSE(audio.PlayStream(h));
    EXPECT_FALSE(audio.StopStream(h));
    EXPECT_FALSE(audio.ResetStream(h));
    EXPECT_FALSE(audio.IsStreamPlaying(h));
    EXPECT_FALSE(audio.SetStreamRepeat(h, true));
    EXPECT_FALSE(audio.SetStreamVolume(h, 0.5f));
    EXPECT_EQ(audio.GetStreamVolume(h), 0.0f);
    EXPECT_FALSE(audio.SetStreamPan(h, 0.5f));
    EXPECT_EQ(audio.GetStreamPan(h), 0.0f);
    EXPECT_FALSE(audio.SetStreamPitch(h, 1.5f));
    EXPECT_EQ(audio.GetStreamPitch(h), 0.0f);
    EXPECT_FALSE(audio.SetStreamPosition(h, 10));
    EXPECT_EQ(audio.GetStreamPosition(h), 0);
    EXPECT_EQ(audio.GetStreamLength(h), 0);
    EXPECT_FALSE(audio.RemoveStream(h));
}

TEST_F(AudioManagerTest, FilesThatCannotBeDecodedGiveInvalidHandlesAndLeaveTheListsAlone) {
    const std::string garbage = folder_ + "/garbage.wav";
    WriteBytes(garbage, std::string(2048, '\x11'));
    for (const std::string& path : {folder_ + "/missing.wav", garbage}) {
        EXPECT_TRUE(audio_.LoadEffect(path.c_str()).IsInvalid());
        EXPECT_TRUE(audio_.LoadStream(path.c_str()).IsInvalid());
    }
    EXPECT_TRUE(audio_.LoadEffect(nullptr).IsInvalid());
    EXPECT_TRUE(audio_.effects.Empty());
    EXPECT_TRUE(audio_.streams.Empty());
    EXPECT_TRUE(audio_.FirstEffect().IsInvalid());
    EXPECT_TRUE(audio_.FirstStream().IsInvalid());
    ExpectRefused(audio_, audio_.LoadEffect(garbage.c_str()));
    ExpectRefused(audio_, OV_SOUND_HANDLE{});
}

TEST_F(AudioManagerTest, RemovedEntriesHandlesAndHandlesOfTheOtherListAreRefused) {
    const OV_SOUND_HANDLE first = audio_.LoadEffect(sine_.c_str());
    const OV_SOUND_HANDLE second = audio_.LoadEffect(sine_.c_str());
    const OV_SOUND_HANDLE stream = audio_.LoadStream(sine_.c_str());
    ASSERT_FALSE(first.IsInvalid() || second.IsInvalid() || stream.IsInvalid());
    EXPECT_EQ(audio_.FirstEffect().node, first.node);
    EXPECT_EQ(audio_.FirstStream().node, stream.node);

    // An effect handle means nothing to the stream table and the reverse.
    EXPECT_FALSE(audio_.PlayStream(first));
    EXPECT_FALSE(audio_.RemoveStream(first));
    EXPECT_FALSE(audio_.PlayEffect(stream));
    EXPECT_EQ(audio_.GetStreamLength(first), 0);

    EXPECT_TRUE(audio_.RemoveEffect(first));
    ExpectRefused(audio_, first);
    EXPECT_EQ(audio_.FirstEffect().node, second.node);
    EXPECT_TRUE(audio_.PlayEffect(second));
    EXPECT_EQ(audio_.effects.Size(), 1u);

    // A handle naming a live node with another entry's id is refused too.
    OV_SOUND_HANDLE forged = second;
    forged.id = stream.id;
    EXPECT_FALSE(audio_.PlayEffect(forged));
}

TEST_F(AudioManagerTest, RemoveAllReportsAnEmptyListAndInvalidatesEveryHandle) {
    EXPECT_FALSE(audio_.RemoveAllEffects());
    EXPECT_FALSE(audio_.RemoveAllStreams());
    std::vector<OV_SOUND_HANDLE> handles;
    for (int i = 0; i < 3; ++i) handles.push_back(audio_.LoadEffect(sine_.c_str()));
    handles.push_back(audio_.LoadStream(sine_.c_str()));
    EXPECT_TRUE(audio_.RemoveAllEffects());
    EXPECT_TRUE(audio_.RemoveAllStreams());
    for (const OV_SOUND_HANDLE& handle : handles) ExpectRefused(audio_, handle);
    EXPECT_TRUE(audio_.FirstEffect().IsInvalid());
    EXPECT_FALSE(audio_.RemoveAllEffects());
}

TEST_F(AudioManagerTest, EffectAndStreamOperationsReachTheirSounds) {
    const OV_SOUND_HANDLE effect = audio_.LoadEffect(sine_.c_str());
    EXPECT_TRUE(audio_.SetEffectVolume(effect, 0.5f));
    EXPECT_TRUE(audio_.SetEffectPan(effect, -0.25f));
    EXPECT_TRUE(audio_.SetEffectPitch(effect, 4.0f));
    EXPECT_FLOAT_EQ(audio_.GetEffectVolume(effect), 0.5f);
    EXPECT_FLOAT_EQ(audio_.GetEffectPan(effect), -0.25f);
    EXPECT_FLOAT_EQ(audio_.GetEffectPitch(effect), 2.0f);
    EXPECT_TRUE(audio_.PlayEffect(effect));
    EXPECT_TRUE(audio_.StopEffect(effect));

    const OV_SOUND_HANDLE stream = audio_.LoadStream(sine_.c_str());
    EXPECT_EQ(audio_.GetStreamLength(stream), kRate * 3 / 10);
    EXPECT_TRUE(audio_.SetStreamVolume(stream, 0.75f));
    EXPECT_TRUE(audio_.SetStreamPan(stream, 1.0f));
    EXPECT_TRUE(audio_.SetStreamPitch(stream, 0.75f));
    EXPECT_FLOAT_EQ(audio_.GetStreamVolume(stream), 0.75f);
    EXPECT_FLOAT_EQ(audio_.GetStreamPan(stream), 1.0f);
    EXPECT_FLOAT_EQ(audio_.GetStreamPitch(stream), 0.75f);
    EXPECT_TRUE(audio_.SetStreamPosition(stream, 100));
    EXPECT_EQ(audio_.GetStreamPosition(stream), 100);
    EXPECT_TRUE(audio_.ResetStream(stream));
    EXPECT_EQ(audio_.GetStreamPosition(stream), 0);
    EXPECT_TRUE(audio_.SetStreamRepeat(stream, false));
    EXPECT_TRUE(audio_.PlayStream(stream));
    EXPECT_TRUE(audio_.IsStreamPlaying(stream));
    EXPECT_TRUE(WaitFor([&] { return !audio_.IsStreamPlaying(stream); }));
    EXPECT_TRUE(audio_.StopStream(stream));
}

TEST_F(AudioManagerTest, AnEffectPlayedThroughTheManagerIsHeardAndShutdownEndsEverything) {
    const OV_SOUND_HANDLE effect = audio_.LoadEffect(sine_.c_str());
    const OV_SOUND_HANDLE stream = audio_.LoadStream(sine_.c_str());
    ASSERT_TRUE(audio_.PlayEffect(effect));
    EXPECT_TRUE(WaitFor([&] { return !audio_.effects.Find(effect)->isPlaying(); }));
    audio_.Shutdown();
    EXPECT_FALSE(audio_.device);
    EXPECT_TRUE(audio_.effects.Empty());
    ExpectRefused(audio_, effect);
    ExpectRefused(audio_, stream);
    EXPECT_GT(ReadMixedOutput().Peak(), 3000);
    // Without a device nothing loads.
    EXPECT_TRUE(audio_.LoadEffect(sine_.c_str()).IsInvalid());
    EXPECT_TRUE(audio_.LoadStream(sine_.c_str()).IsInvalid());
    audio_.Shutdown();
}

}  // namespace

// No device before the first load, one after it, none again after Shutdown.
TEST_F(AudioManagerTest, TheDeviceOpensWithTheFirstLoadAndNeverAfterShutdown) {
    OV_AUDIO fresh;
    EXPECT_FALSE(fresh.device);
    const OV_SOUND_HANDLE effect = fresh.LoadEffect(sine_.c_str());
    EXPECT_TRUE(fresh.device);
    EXPECT_TRUE(fresh.PlayEffect(effect));
    fresh.Shutdown();
    EXPECT_FALSE(fresh.OpenDevice());
    EXPECT_TRUE(fresh.LoadStream(sine_.c_str()).IsInvalid());
    EXPECT_FALSE(fresh.device);
}
