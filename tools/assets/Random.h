// A small seeded generator (xorshift64*): the same seed gives the same
// numbers on every platform and library, so the assets are reproducible.
#pragma once

#include <cstdint>

class Random {
public:
    explicit Random(uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}

    uint64_t Next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }
    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }
    // Uniform in [-1, 1).
    double Signed() { return Unit() * 2.0 - 1.0; }
    // Uniform integer in [0, bound), bound > 0.
    int Below(int bound) { return static_cast<int>(Next() % static_cast<uint64_t>(bound)); }

private:
    uint64_t state_;
};
