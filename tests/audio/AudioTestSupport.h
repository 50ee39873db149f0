// Test support for the audio suites: sound files written with libsndfile,
// the mixed output the device's wave writer leaves on disk, and bounded
// waiting for real-time playback.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace OvTest {

// The file that every open device mixes into (truncated when a device opens).
const std::string& MixedOutputPath();
// A fresh folder for one test's files, under the suite's temp folder.
std::string FreshFolder();

constexpr int kRate = 44100;

// A sine of the given frequency, or deterministic white noise, as a 16-bit WAV.
bool WriteSine(const std::string& path, double frequency, double seconds, int channels = 1, double amplitude = 0.5,
               int rate = kRate);
bool WriteNoise(const std::string& path, double seconds, double amplitude = 0.3);
// A FLAC file with the given frame count of a channel-numbered pattern: each
// frame holds sample value 1000 * (channel + 1).
bool WriteChannelPattern(const std::string& path, int channels, int frames);
bool WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

// The stereo 16-bit samples of the device's output (its data chunk to the end).
struct Mixed {
    std::vector<int16_t> left, right;
    double Energy() const { return LeftEnergy() + RightEnergy(); }
    double LeftEnergy() const;
    double RightEnergy() const;
    int Peak() const;
};
Mixed ReadMixedOutput();

// Polls until done() holds, at most limitSeconds; returns done()'s last value.
bool WaitFor(const std::function<bool()>& done, double limitSeconds = 20.0);

}  // namespace OvTest
