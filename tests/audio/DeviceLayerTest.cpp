// The audio-device layer against a real OpenAL device whose mix lands in a
// wave file: what was played is read back from that file after the device
// closes.
#include "ovcore/audio/device/AudioApi.h"
#include "tests/audio/AudioTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

using namespace OvAudio;
using namespace OvTest;

namespace {

class DeviceLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = FreshFolder();
        device_ = AdrOpenDevice(nullptr, nullptr);
        ASSERT_TRUE(device_);
    }

    std::string Sine(double seconds, int channels = 1, double frequency = 440.0) {
        const std::string path = folder_ + "/sine" + std::to_string(files_++) + ".wav";
        EXPECT_TRUE(WriteSine(path, frequency, seconds, channels));
        return path;
    }

    RefPtr<SoundEffect> Effect(const std::string& path, int type) {
        return AdrOpenSoundEffect(device_, AdrOpenSampleSource(path.c_str(), 0), type);
    }

    // Closes the device so that its output file is complete, and reads it.
    // The device must hold no other references by then.
    Mixed CloseAndRead() {
        effects_.clear();
        streams_.clear();
        EXPECT_EQ(device_->RefCount(), 1);
        device_.reset();
        return ReadMixedOutput();
    }

    // Takes the effect over: the device must close with its last reference.
    Mixed PlayToEnd(RefPtr<SoundEffect>&& effect, int plays) {
        for (int i = 0; i < plays; ++i) effect->play();
        EXPECT_TRUE(WaitFor([&] { return !effect->isPlaying(); }));
        effect.reset();
        return CloseAndRead();
    }

    std::string folder_;
    int files_ = 0;
    RefPtr<AudioDevice> device_;
    std::vector<RefPtr<SoundEffect>> effects_;
    std::vector<RefPtr<OutputStream>> streams_;
};

TEST_F(DeviceLayerTest, SampleSourcesDescribeTheirFilesAndRefuseWhatTheyCannotRead) {
    RefPtr<SampleSource> mono = AdrOpenSampleSource(Sine(0.25).c_str(), 0);
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->RefCount(), 1);
    EXPECT_EQ(mono->getChannelCount(), 1);
    EXPECT_EQ(mono->getSampleRate(), kRate);
    EXPECT_EQ(mono->getLength(), kRate / 4);
    EXPECT_TRUE(mono->isSeekable());

    const std::string stereo = Sine(0.1, 2);
    EXPECT_TRUE(AdrOpenSampleSource(stereo.c_str(), 1));  // asked for WAV, is WAV
    EXPECT_FALSE(AdrOpenSampleSource(stereo.c_str(), 3));  // asked for FLAC
    EXPECT_FALSE(AdrOpenSampleSource(stereo.c_str(), 99));  // no such format
    EXPECT_FALSE(AdrOpenSampleSource((folder_ + "/missing.wav").c_str(), 0));
    EXPECT_FALSE(AdrOpenSampleSource(nullptr, 0));
    const std::string garbage = folder_ + "/garbage.wav";
    WriteBytes(garbage, std::string(4096, '\x5a'));
    EXPECT_FALSE(AdrOpenSampleSource(garbage.c_str(), 0));
    EXPECT_FALSE(AdrOpenSampleSourceFromMemory("RIFF", 4, 0));
}

TEST_F(DeviceLayerTest, MemorySourcesDecodeLikeFilesAndWideFilesGiveTheirFirstTwoChannels) {
    const std::string path = folder_ + "/six.flac";
    ASSERT_TRUE(WriteChannelPattern(path, 6, 3000));
    const std::string bytes = ReadBytes(path);
    RefPtr<SampleSource> fromFile = AdrOpenSampleSource(path.c_str(), 3);
    RefPtr<SampleSource> fromMemory = AdrOpenSampleSourceFromMemory(bytes.data(), bytes.size(), 0);
    ASSERT_TRUE(fromFile && fromMemory);
    EXPECT_EQ(fromMemory->getChannelCount(), 2);
    EXPECT_EQ(fromMemory->getLength(), 3000);

    std::vector<int16_t> a(2 * 4000), b(2 * 4000);
    EXPECT_EQ(fromFile->read(a.data(), 4000), 3000);
    EXPECT_EQ(fromMemory->read(b.data(), 4000), 3000);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a[0], 1000);
    EXPECT_EQ(a[1], 2000);
    EXPECT_EQ(a[2 * 2999 + 1], 2000);
    EXPECT_EQ(fromMemory->read(b.data(), 10), 0);

    EXPECT_TRUE(fromMemory->setPosition(2990));
    EXPECT_EQ(fromMemory->read(b.data(), 100), 10);
    EXPECT_FALSE(fromMemory->setPosition(-1));
}

TEST_F(DeviceLayerTest, APlayedEffectSoundsAndAtVolumeZeroIsSilent) {
    RefPtr<SoundEffect> effect = Effect(Sine(0.3), 1);
    ASSERT_TRUE(effect);
    EXPECT_EQ(effect->RefCount(), 1);
    const Mixed heard = PlayToEnd(std::move(effect), 1);
    EXPECT_GT(heard.Peak(), 3000);
    // At least the sound's length was mixed.
    EXPECT_GE(heard.left.size(), static_cast<size_t>(kRate * 0.3));

    device_ = AdrOpenDevice(nullptr, nullptr);
    RefPtr<SoundEffect> muted = Effect(Sine(0.3), 1);
    ASSERT_TRUE(muted);
    muted->setVolume(0.0f);
    EXPECT_LT(PlayToEnd(std::move(muted), 1).Peak(), 2);
}

// Noise, unlike a sine, does not cancel or reinforce itself when two plays
// overlap at an arbitrary offset: the energies of the plays add up.
TEST_F(DeviceLayerTest, OverlappingPlaysOfAMultipleEffectAllSoundWhileASingleEffectRestarts) {
    const std::string noise = folder_ + "/noise.wav";
    ASSERT_TRUE(WriteNoise(noise, 0.4));
    const double once = PlayToEnd(Effect(noise, 1), 1).Energy();
    ASSERT_GT(once, 0.0);

    device_ = AdrOpenDevice(nullptr, nullptr);
    const double multiple = PlayToEnd(Effect(noise, 1), 2).Energy();
    EXPECT_GT(multiple, 1.6 * once);

    device_ = AdrOpenDevice(nullptr, nullptr);
    const double single = PlayToEnd(Effect(noise, 0), 2).Energy();
    EXPECT_LT(single, 1.4 * once);
    EXPECT_GT(single, 0.6 * once);
}

TEST_F(DeviceLayerTest, PanMovesAMonoEffectToOneSide) {
    RefPtr<SoundEffect> effect = Effect(Sine(0.3), 1);
    ASSERT_TRUE(effect);
    effect->setPan(-1.0f);
    const Mixed heard = PlayToEnd(std::move(effect), 1);
    ASSERT_GT(heard.LeftEnergy(), 0.0);
    EXPECT_GT(heard.LeftEnergy(), 10.0 * heard.RightEnergy());
}

TEST_F(DeviceLayerTest, EffectSettingsReadBackClampedToTheirRanges) {
    RefPtr<SoundEffect> effect = Effect(Sine(0.1), 0);
    ASSERT_TRUE(effect);
    EXPECT_FLOAT_EQ(effect->getVolume(), 1.0f);
    EXPECT_FLOAT_EQ(effect->getPan(), 0.0f);
    EXPECT_FLOAT_EQ(effect->getPitchShift(), 1.0f);
    effect->setVolume(0.25f);
    effect->setPan(0.5f);
    effect->setPitchShift(1.5f);
    EXPECT_FLOAT_EQ(effect->getVolume(), 0.25f);
    EXPECT_FLOAT_EQ(effect->getPan(), 0.5f);
    EXPECT_FLOAT_EQ(effect->getPitchShift(), 1.5f);
    effect->setVolume(3.0f);
    effect->setPan(-7.0f);
    effect->setPitchShift(0.1f);
    EXPECT_FLOAT_EQ(effect->getVolume(), 1.0f);
    EXPECT_FLOAT_EQ(effect->getPan(), -1.0f);
    EXPECT_FLOAT_EQ(effect->getPitchShift(), 0.5f);
    effect->setPitchShift(9.0f);
    EXPECT_FLOAT_EQ(effect->getPitchShift(), 2.0f);
    effect->setVolume(std::nanf(""));
    EXPECT_FLOAT_EQ(effect->getVolume(), 0.0f);
}

TEST_F(DeviceLayerTest, ObjectsKeepTheirDeviceAliveAndNothingOpensWithoutOne) {
    RefPtr<SoundEffect> effect = Effect(Sine(0.2), 1);
    ASSERT_TRUE(effect);
    EXPECT_EQ(device_->RefCount(), 2);
    device_.reset();
    effect->play();  // the device is still open through the effect
    EXPECT_TRUE(WaitFor([&] { return !effect->isPlaying(); }));
    effect.reset();

    RefPtr<SampleSource> source = AdrOpenSampleSource(Sine(0.1).c_str(), 0);
    EXPECT_FALSE(AdrOpenSoundEffect(nullptr, source, 1));
    EXPECT_FALSE(AdrOpenSound(nullptr, source, true));
    device_ = AdrOpenDevice(nullptr, nullptr);
    EXPECT_FALSE(AdrOpenSoundEffect(device_, nullptr, 1));
    EXPECT_FALSE(AdrOpenSound(device_, nullptr, false));
}

TEST_F(DeviceLayerTest, AStreamPlaysToItsEndAndGoesBackToTheStart) {
    for (bool streaming : {true, false}) {
        SCOPED_TRACE(streaming ? "streaming" : "decoded whole");
        device_ = AdrOpenDevice(nullptr, nullptr);
        // Longer than the queue of buffers, so the refill must keep up.
        RefPtr<OutputStream> stream = AdrOpenSound(device_, AdrOpenSampleSource(Sine(1.0).c_str(), 0), streaming);
        ASSERT_TRUE(stream);
        EXPECT_EQ(stream->getLength(), kRate);
        EXPECT_TRUE(stream->isSeekable());
        EXPECT_FALSE(stream->isPlaying());
        stream->play();
        EXPECT_TRUE(stream->isPlaying());
        EXPECT_TRUE(WaitFor([&] { return stream->getPosition() > kRate / 2; }));
        EXPECT_LT(stream->getPosition(), kRate);
        EXPECT_TRUE(WaitFor([&] { return !stream->isPlaying(); }));
        EXPECT_EQ(stream->getPosition(), 0);
        streams_.push_back(std::move(stream));
        const Mixed heard = CloseAndRead();
        EXPECT_GT(heard.Peak(), 3000);
        // The whole second was heard, not only what the first buffers held.
        int loud = 0;
        for (int16_t s : heard.left) loud += std::abs(s) > 1000;
        EXPECT_GT(loud, kRate / 2);
    }
}

TEST_F(DeviceLayerTest, ARepeatingStreamWrapsItsPosition) {
    RefPtr<OutputStream> stream = AdrOpenSound(device_, AdrOpenSampleSource(Sine(0.3).c_str(), 0), true);
    ASSERT_TRUE(stream);
    stream->setRepeat(true);
    EXPECT_TRUE(stream->getRepeat());
    stream->play();
    int last = 0;
    bool wrapped = false;
    EXPECT_TRUE(WaitFor([&] {
        const int now = stream->getPosition();
        EXPECT_LT(now, stream->getLength());
        wrapped = wrapped || now < last;
        last = now;
        return wrapped && now > stream->getLength() / 2;
    }));
    EXPECT_TRUE(stream->isPlaying());
    stream->setRepeat(false);
    EXPECT_TRUE(WaitFor([&] { return !stream->isPlaying(); }));
}

TEST_F(DeviceLayerTest, StopKeepsThePositionAndPositionsClampToTheSound) {
    RefPtr<OutputStream> stream = AdrOpenSound(device_, AdrOpenSampleSource(Sine(2.0).c_str(), 0), true);
    ASSERT_TRUE(stream);
    stream->play();
    ASSERT_TRUE(WaitFor([&] { return stream->getPosition() > 2000; }));
    stream->stop();
    EXPECT_FALSE(stream->isPlaying());
    const int stopped = stream->getPosition();
    EXPECT_GT(stopped, 2000);
    EXPECT_EQ(stream->getPosition(), stopped);

    stream->setPosition(1234);
    EXPECT_EQ(stream->getPosition(), 1234);
    stream->setPosition(-5);
    EXPECT_EQ(stream->getPosition(), 0);
    stream->setPosition(INT_MAX);
    EXPECT_EQ(stream->getPosition(), 2 * kRate);
    stream->setPosition(kRate);
    stream->play();
    EXPECT_GE(stream->getPosition(), kRate);
    stream->reset();
    EXPECT_TRUE(stream->isPlaying());
    EXPECT_LT(stream->getPosition(), kRate);
    stream->stop();
}

}  // namespace
