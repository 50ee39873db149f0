#include "tools/assets/Sounds.h"

#include "tools/assets/Random.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kTwoPi = 2.0 * M_PI;
constexpr double kFadeSeconds = 0.01;

struct GibVoice {
    double seconds;
    double startHz;  // the thud's pitch at the impact
    double endHz;  // and where it settles
    double noiseHz;  // the burst's initial brightness
    double squelchHz;
    uint64_t seed;
};

constexpr GibVoice kGibVoices[kGibVariants] = {
    {0.22, 170.0, 46.0, 1800.0, 420.0, 0x61B1},
    {0.28, 140.0, 38.0, 1400.0, 340.0, 0x61B2},
    {0.18, 210.0, 60.0, 2300.0, 520.0, 0x61B3},
    {0.32, 120.0, 34.0, 1200.0, 300.0, 0x61B4},
};

double Attack(double t, double seconds) { return 1.0 - std::exp(-t / seconds); }

// Scales to the given peak and fades the last milliseconds to silence.
void Finish(std::vector<double>& samples, double peak) {
    double loudest = 0.0;
    for (double s : samples) loudest = std::max(loudest, std::fabs(s));
    if (loudest > 0.0) {
        for (double& s : samples) s *= peak / loudest;
    }
    const size_t fade = std::min(samples.size(), static_cast<size_t>(kFadeSeconds * kSoundRate));
    for (size_t i = 0; i < fade; ++i) samples[samples.size() - 1 - i] *= static_cast<double>(i) / fade;
}

void AddThud(std::vector<double>& out, const GibVoice& voice) {
    double phase = 0.0;
    const double decay = voice.seconds / 5.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSoundRate;
        const double hz = voice.endHz + (voice.startHz - voice.endHz) * std::exp(-t / 0.05);
        phase += kTwoPi * hz / kSoundRate;
        out[i] += 0.7 * std::sin(phase) * Attack(t, 0.002) * std::exp(-t / decay);
    }
}

void AddBurst(std::vector<double>& out, const GibVoice& voice, Random& random) {
    double filtered = 0.0;
    const double decay = voice.seconds / 8.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSoundRate;
        const double cutoff = voice.noiseHz * std::exp(-t / 0.04) + 150.0;
        const double k = 1.0 - std::exp(-kTwoPi * cutoff / kSoundRate);
        filtered += k * (random.Signed() - filtered);
        out[i] += 0.9 * filtered * Attack(t, 0.001) * std::exp(-t / decay);
    }
}

// A couple of short falling blips just after the impact: the wet part.
void AddSquelches(std::vector<double>& out, const GibVoice& voice, Random& random) {
    constexpr double length = 0.03;
    for (int n = 0; n < 2; ++n) {
        const double start = 0.015 + random.Unit() * 0.06;
        const double hz = voice.squelchHz * (0.8 + random.Unit() * 0.4);
        double phase = 0.0;
        const auto first = static_cast<size_t>(start * kSoundRate);
        const auto count = static_cast<size_t>(length * kSoundRate);
        for (size_t i = 0; i < count && first + i < out.size(); ++i) {
            const double u = static_cast<double>(i) / count;
            phase += kTwoPi * hz * (1.0 - 0.5 * u) / kSoundRate;
            out[first + i] += 0.25 * std::sin(phase) * std::sin(M_PI * u);
        }
    }
}

int16_t ToPcm(double sample) { return static_cast<int16_t>(std::lround(std::clamp(sample, -1.0, 1.0) * 32767.0)); }

}  // namespace

std::vector<double> SynthesizeGib(int variant) {
    if (variant < 0 || variant >= kGibVariants) return {};
    const GibVoice& voice = kGibVoices[variant];
    Random random(voice.seed);
    std::vector<double> samples(static_cast<size_t>(voice.seconds * kSoundRate), 0.0);
    AddThud(samples, voice);
    AddBurst(samples, voice, random);
    AddSquelches(samples, voice, random);
    Finish(samples, 0.85);
    return samples;
}

std::vector<double> SynthesizeJump() {
    constexpr double seconds = 0.2;
    std::vector<double> samples(static_cast<size_t>(seconds * kSoundRate), 0.0);
    double phase = 0.0;
    for (size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / kSoundRate;
        phase += kTwoPi * 280.0 * std::pow(3.2, t / seconds) / kSoundRate;
        const double tone = std::sin(phase) + 0.3 * std::sin(2.0 * phase);
        samples[i] = tone * Attack(t, 0.005) * std::pow(1.0 - t / seconds, 1.5);
    }
    Finish(samples, 0.7);
    return samples;
}

bool WriteWav(const std::string& path, const std::vector<double>& samples) {
    if (samples.empty()) return false;
    SF_INFO info{};
    info.samplerate = kSoundRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return false;
    std::vector<int16_t> pcm(samples.size());
    std::transform(samples.begin(), samples.end(), pcm.begin(), ToPcm);
    const auto written = sf_write_short(file, pcm.data(), static_cast<sf_count_t>(pcm.size()));
    const bool closed = sf_close(file) == 0;
    return closed && written == static_cast<sf_count_t>(pcm.size());
}
