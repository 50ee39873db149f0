#include "tests/assets/AssetFiles.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>

using namespace OvTest;

namespace {

struct Sound {
    SF_INFO info{};
    std::vector<double> samples;

    double Seconds() const { return static_cast<double>(samples.size()) / info.samplerate; }
};

bool Load(const std::string& relative, Sound& sound) {
    SNDFILE* file = sf_open(DataPath(relative).c_str(), SFM_READ, &sound.info);
    if (!file) return false;
    sound.samples.resize(static_cast<size_t>(sound.info.frames * sound.info.channels));
    const sf_count_t read = sf_read_double(file, sound.samples.data(), static_cast<sf_count_t>(sound.samples.size()));
    sf_close(file);
    return read == static_cast<sf_count_t>(sound.samples.size());
}

double Peak(const std::vector<double>& s, size_t from, size_t to) {
    double peak = 0.0;
    for (size_t i = from; i < to; ++i) peak = std::max(peak, std::fabs(s[i]));
    return peak;
}

double Rms(const std::vector<double>& s, size_t from, size_t to) {
    double sum = 0.0;
    for (size_t i = from; i < to; ++i) sum += s[i] * s[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

// Sign changes per second: a rough pitch measure for a tonal sound.
double CrossingRate(const Sound& sound, size_t from, size_t to) {
    int crossings = 0;
    for (size_t i = from + 1; i < to; ++i) crossings += (sound.samples[i - 1] < 0.0) != (sound.samples[i] < 0.0);
    return crossings * sound.info.samplerate / static_cast<double>(to - from);
}

void ExpectPlayableEffect(const Sound& sound, double minSeconds, double maxSeconds) {
    EXPECT_EQ(sound.info.channels, 1);
    EXPECT_EQ(sound.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_TRUE(sound.info.samplerate == 22050 || sound.info.samplerate == 44100);
    EXPECT_GE(sound.Seconds(), minSeconds);
    EXPECT_LE(sound.Seconds(), maxSeconds);
    const size_t n = sound.samples.size();
    EXPECT_GT(Peak(sound.samples, 0, n), 0.3) << "too quiet to hear";
    EXPECT_LT(Peak(sound.samples, 0, n), 0.99) << "clipped";
    // Starting and ending near zero keeps the effect from clicking.
    EXPECT_LT(std::fabs(sound.samples.front()), 0.05);
    EXPECT_LT(std::fabs(sound.samples.back()), 0.01);
}

}  // namespace

TEST(SoundAssets, GibSoundsAreShortDecayingThudsThatDifferFromEachOther) {
    std::vector<Sound> gibs(4);
    for (int i = 0; i < 4; ++i) {
        const std::string name = "Sounds/gib" + std::to_string(i + 1) + ".wav";
        SCOPED_TRACE(name);
        ASSERT_TRUE(Load(name, gibs[i]));
        const Sound& gib = gibs[i];
        ExpectPlayableEffect(gib, 0.15, 0.35);
        const size_t n = gib.samples.size();
        EXPECT_GT(Rms(gib.samples, 0, n / 4), 4.0 * Rms(gib.samples, 3 * n / 4, n)) << "no fast decay";
        for (int j = 0; j < i; ++j) EXPECT_NE(gib.samples, gibs[j].samples) << "same as gib" << j + 1;
    }
}

TEST(SoundAssets, JumpIsARisingChirp) {
    Sound jump;
    ASSERT_TRUE(Load("Sounds/jump1.wav", jump));
    ExpectPlayableEffect(jump, 0.15, 0.25);
    const size_t n = jump.samples.size();
    const double early = CrossingRate(jump, 0, n / 3);
    const double late = CrossingRate(jump, 2 * n / 3, n);
    EXPECT_GT(late, early * 1.5) << early << " Hz-ish, then " << late;
}
