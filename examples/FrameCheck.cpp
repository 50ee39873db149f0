// Checks a saved frame: counts the pixels of a named colour in a rectangle
// and fails unless the count is what the check asks for.
// Usage: ov_frame_check <frame.png> "<x0> <y0> <x1> <y1> <colour> <count>" ...
// The rectangle excludes x1 and y1, rows counted from the top; the colour is
// one of kColours below; the count is "none", "<n>", "<n>+" (at least n) or
// "<n>..<m>".
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <climits>
#include <cstdio>
#include <cstring>

namespace {

// A colour: the range of each channel, 0..255, ends included.
struct Colour {
    const char* name;
    int low[3], high[3];  // red, green, blue
};

// The colours the examples' checks name.
constexpr Colour kColours[] = {
    {"white", {200, 200, 200}, {255, 255, 255}},  // text drawn white
    {"grey", {110, 110, 110}, {150, 150, 150}},  // mid grey, all three alike
    {"yellow", {230, 120, 0}, {255, 240, 100}},  // warm yellow: a star, a heading
    {"orange", {180, 90, 0}, {255, 200, 90}},  // a rope, a pad's square
    {"spark", {200, 60, 0}, {255, 255, 120}},  // a spark, yellow to orange
    {"warm", {100, 40, 0}, {255, 255, 255}},  // any light with some red in it
    {"green", {0, 100, 20}, {120, 255, 140}},  // jelly, plants
    {"blue", {0, 60, 200}, {110, 210, 255}},  // deep to light blue: sprites, text
    {"lit", {0, 0, 1}, {255, 255, 255}},  // anything with blue in it
    {"bright", {250, 0, 0}, {255, 255, 255}},  // full red: a lit square
    {"glow", {40, 0, 0}, {255, 255, 255}},  // red well above the backdrop's
    {"backdrop", {0, 0, 30}, {20, 20, 45}},  // the dark blue backdrop
    {"bar", {45, 0, 0}, {60, 255, 255}},  // the dim bar's red
};

const Colour* FindColour(const char* name) {
    for (const Colour& colour : kColours)
        if (std::strcmp(colour.name, name) == 0) return &colour;
    return nullptr;
}

// "none", "<n>", "<n>+" or "<n>..<m>" into least and most; false otherwise.
bool ReadCount(const char* text, long* least, long* most) {
    if (std::strcmp(text, "none") == 0) return *least = *most = 0, true;
    int used = 0;
    if (std::sscanf(text, "%ld..%ld%n", least, most, &used) == 2 && text[used] == '\0') return *least <= *most;
    if (std::sscanf(text, "%ld+%n", least, &used) == 1 && used > 0 && text[used] == '\0' && text[used - 1] == '+')
        return *most = LONG_MAX, true;
    if (std::sscanf(text, "%ld%n", least, &used) == 1 && text[used] == '\0') return *most = *least, true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <frame.png> \"<x0> <y0> <x1> <y1> <colour> <count>\" ...\n", argv[0]);
        return 2;
    }
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = stbi_load(argv[1], &width, &height, &channels, 4);
    if (!pixels) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (int i = 2; i < argc; ++i) {
        int x0, y0, x1, y1, used = 0;
        char name[32], count[32];
        long least = 0, most = 0;
        const Colour* colour = nullptr;
        if (std::sscanf(argv[i], "%d %d %d %d %31s %31s %n", &x0, &y0, &x1, &y1, name, count, &used) != 6 ||
            argv[i][used] != '\0' || !(colour = FindColour(name)) || !ReadCount(count, &least, &most)) {
            std::fprintf(stderr, "cannot read the check \"%s\"\n", argv[i]);
            stbi_image_free(pixels);
            return 2;
        }
        long found = 0;
        for (int y = y0 < 0 ? 0 : y0; y < y1 && y < height; ++y)
            for (int x = x0 < 0 ? 0 : x0; x < x1 && x < width; ++x) {
                const unsigned char* p = pixels + 4 * (static_cast<long>(y) * width + x);
                bool inside = true;
                for (int c = 0; c < 3; ++c) inside = inside && p[c] >= colour->low[c] && p[c] <= colour->high[c];
                found += inside;
            }
        const bool passed = found >= least && found <= most;
        std::printf("%s: %ld pixels for \"%s\"\n", passed ? "ok" : "FAILED", found, argv[i]);
        failures += !passed;
    }
    stbi_image_free(pixels);
    return failures == 0 ? 0 : 1;
}
