// The suite's OpenAL configuration is written before anything else runs, so
// that every device of this binary, even one opened during static
// construction, mixes into a wave file in the suite's temp folder.
#include "tests/audio/AudioTestSupport.h"
#include "tests/support/TempFolder.h"

#include <sndfile.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace OvTest {

namespace {

// The suite's folder, made on first use, which is the constructor below: a
// function's static, since that runs before the dynamic initialisation of
// globals. Removed at exit.
const TempFolder& SuiteFolder() {
    static const TempFolder folder("ov_audio");
    return folder;
}

__attribute__((constructor(101))) void ConfigureMixerOutput() {
    if (!SuiteFolder().IsValid()) return;
    const std::string config =
        SuiteFolder().Write("alsoft.conf", "[general]\ndrivers=wave\nchannels=stereo\nsample-type=int16\nfrequency=" +
                                               std::to_string(kRate) + "\n[wave]\nfile=" + MixedOutputPath() + "\n");
    setenv("ALSOFT_CONF", config.c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);
}

bool WriteFrames(const std::string& path, int format, int channels, int rate, const std::vector<short>& samples) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return false;
    const sf_count_t frames = static_cast<sf_count_t>(samples.size()) / channels;
    const bool written = sf_writef_short(file, samples.data(), frames) == frames;
    sf_close(file);
    return written;
}

uint32_t Little32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

double SumOfSquares(const std::vector<int16_t>& samples) {
    double sum = 0;
    for (int16_t s : samples) sum += static_cast<double>(s) * s;
    return sum;
}

}  // namespace

const std::string& MixedOutputPath() {
    static const std::string path = SuiteFolder().Path("out.wav");
    return path;
}

std::string FreshFolder() {
    static int counter = 0;
    const std::string folder = SuiteFolder().Path("case" + std::to_string(++counter));
    std::filesystem::create_directories(folder);
    return folder;
}

bool WriteSine(const std::string& path, double frequency, double seconds, int channels, double amplitude, int rate) {
    const int frames = static_cast<int>(seconds * rate);
    std::vector<short> samples;
    samples.reserve(static_cast<size_t>(frames * channels));
    for (int i = 0; i < frames; ++i) {
        const double value = amplitude * 32767.0 * std::sin(2.0 * M_PI * frequency * i / rate);
        for (int c = 0; c < channels; ++c) samples.push_back(static_cast<short>(value));
    }
    return WriteFrames(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, channels, rate, samples);
}

bool WriteNoise(const std::string& path, double seconds, double amplitude) {
    const int frames = static_cast<int>(seconds * kRate);
    std::vector<short> samples(static_cast<size_t>(frames));
    uint32_t state = 12345;
    for (short& s : samples) {
        state = state * 1664525u + 1013904223u;
        s = static_cast<short>(amplitude * (static_cast<int>(state >> 16) - 32768));
    }
    return WriteFrames(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, kRate, samples);
}

bool WriteChannelPattern(const std::string& path, int channels, int frames) {
    std::vector<short> samples;
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) samples.push_back(static_cast<short>(1000 * (c + 1)));
    return WriteFrames(path, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, channels, kRate, samples);
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

double Mixed::LeftEnergy() const { return SumOfSquares(left); }
double Mixed::RightEnergy() const { return SumOfSquares(right); }

int Mixed::Peak() const {
    int peak = 0;
    for (int16_t s : left) peak = std::max(peak, std::abs(static_cast<int>(s)));
    for (int16_t s : right) peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
}

Mixed ReadMixedOutput() {
    const std::string bytes = ReadBytes(MixedOutputPath());
    Mixed mixed;
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0) return mixed;
    size_t at = 12;
    while (at + 8 <= bytes.size() && bytes.compare(at, 4, "data") != 0) at += 8 + Little32(bytes, at + 4);
    // The data chunk runs to the end of the file, whatever its header says.
    for (size_t i = at + 8; i + 4 <= bytes.size(); i += 4) {
        int16_t left, right;
        std::memcpy(&left, &bytes[i], 2);
        std::memcpy(&right, &bytes[i + 2], 2);
        mixed.left.push_back(left);
        mixed.right.push_back(right);
    }
    return mixed;
}

bool WaitFor(const std::function<bool()>& done, double limitSeconds) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::duration<double>(limitSeconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit) return done();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace OvTest
