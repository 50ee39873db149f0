// Synthesised sound effects as mono samples in -1..1, and their WAV files.
#pragma once

#include <string>
#include <vector>

constexpr int kSoundRate = 22050;
constexpr int kGibVariants = 4;

// A short wet thud: a falling low tone under a noise burst that darkens as it
// decays, with a squelch or two. Each variant 0..3 sounds different.
std::vector<double> SynthesizeGib(int variant);
// A rising chirp of 0.2 seconds.
std::vector<double> SynthesizeJump();

// 16-bit PCM mono WAV at kSoundRate.
bool WriteWav(const std::string& path, const std::vector<double>& samples);
