// The sprite benchmark's scenes and its timing harness, shared by the
// programs that draw them (one program per library). Each program prints one
// line "RESULT <scene> <sprites> <fps>" per scene and sprite count.
#pragma once

#include <epoxy/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace SpriteBench {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kTextureSize = 32;
constexpr int kWarmUpFrames = 2;

// A: 32 x 32 sprites of one texture; B: the same, two textures alternating in
// draw order; C and D: as A and B at 2 x 2 pixels on screen.
struct Scene {
    char name;
    bool twoTextures;
    float size;
};
constexpr Scene kScenes[] = {{'A', false, 32.0f}, {'B', true, 32.0f}, {'C', false, 2.0f}, {'D', true, 2.0f}};
constexpr int kCounts[] = {10000, 100000};

// Positions, start angles and turning speeds (degrees a frame), the same in
// every program.
struct Sprites {
    std::vector<float> x, y, angle, spin;

    explicit Sprites(int count) : x(count), y(count), angle(count), spin(count) {
        uint32_t state = 12345u;
        const auto next = [&state] {
            state = state * 1664525u + 1013904223u;
            return static_cast<float>(state >> 8) / static_cast<float>(1u << 24);
        };
        for (int i = 0; i < count; ++i) {
            x[i] = next() * kWidth;
            y[i] = next() * kHeight;
            angle[i] = next() * 360.0f;
            spin[i] = next() * 4.0f - 2.0f;
        }
    }
    int Count() const { return static_cast<int>(x.size()); }
    float AngleAt(int i, int frame) const { return std::fmod(angle[i] + spin[i] * static_cast<float>(frame), 360.0f); }
};

// RGBA pixels of a 32 x 32 checker in two colours, opaque.
inline std::vector<uint8_t> CheckerPixels(int which) {
    std::vector<uint8_t> pixels(kTextureSize * kTextureSize * 4);
    for (int y = 0; y < kTextureSize; ++y) {
        for (int x = 0; x < kTextureSize; ++x) {
            const bool light = ((x / 4) + (y / 4)) % 2 == 0;
            uint8_t* p = &pixels[(y * kTextureSize + x) * 4];
            p[0] = light ? 240 : (which ? 40 : 200);
            p[1] = light ? 220 : (which ? 120 : 50);
            p[2] = light ? 120 : (which ? 220 : 40);
            p[3] = 255;
        }
    }
    return pixels;
}

// Arguments: frames a repeat, repeats, and optionally one scene letter and
// one sprite count to run alone (else every scene at every count).
struct Settings {
    int frames = 30;
    int repeats = 3;
    char onlyScene = 0;
    int onlyCount = 0;
};

inline Settings ParseSettings(int argc, char** argv) {
    Settings settings;
    if (argc > 1) settings.frames = std::max(1, std::atoi(argv[1]));
    if (argc > 2) settings.repeats = std::max(1, std::atoi(argv[2]));
    if (argc > 3) settings.onlyScene = argv[3][0];
    if (argc > 4) settings.onlyCount = std::atoi(argv[4]);
    return settings;
}

// Backend: DrawFrame(scene, sprites, frame) draws and presents one frame;
// Finish() waits until the GPU is done.
template <class Backend>
double MedianFps(Backend& backend, const Scene& scene, const Sprites& sprites, int frames, int repeats) {
    int frame = 0;
    for (int i = 0; i < kWarmUpFrames; ++i) backend.DrawFrame(scene, sprites, frame++);
    backend.Finish();
    std::vector<double> fps;
    for (int r = 0; r < repeats; ++r) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < frames; ++i) backend.DrawFrame(scene, sprites, frame++);
        backend.Finish();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        fps.push_back(frames / elapsed.count());
    }
    std::sort(fps.begin(), fps.end());
    return fps[fps.size() / 2];
}

template <class Backend>
void RunScenes(Backend& backend, const Settings& settings) {
    for (const int count : kCounts) {
        if (settings.onlyCount && count != settings.onlyCount) continue;
        const Sprites sprites(count);
        for (const Scene& scene : kScenes) {
            if (settings.onlyScene && scene.name != settings.onlyScene) continue;
            const double fps = MedianFps(backend, scene, sprites, settings.frames, settings.repeats);
            std::printf("RESULT %c %d %.2f\n", scene.name, count, fps);
            std::fflush(stdout);
        }
    }
}

}  // namespace SpriteBench
