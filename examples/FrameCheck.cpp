// Checks a saved frame: counts the pixels of a rectangle whose channels lie
// within given ranges, and fails unless the count lies within its bounds.
// Usage: ov_frame_check <frame.png> "<x0> <y0> <x1> <y1> <rmin> <rmax>
//        <gmin> <gmax> <bmin> <bmax> <least> <most>" ...
// (x1, y1 excluded; rows counted from the top).
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <frame.png> \"<rectangle> <ranges> <least> <most>\" ...\n", argv[0]);
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
        int x0, y0, x1, y1, lo[3], hi[3];
        long least, most;
        if (std::sscanf(argv[i], "%d %d %d %d %d %d %d %d %d %d %ld %ld", &x0, &y0, &x1, &y1, &lo[0], &hi[0], &lo[1],
                        &hi[1], &lo[2], &hi[2], &least, &most) != 12) {
            std::fprintf(stderr, "cannot read the check \"%s\"\n", argv[i]);
            return 2;
        }
        long count = 0;
        for (int y = y0 < 0 ? 0 : y0; y < y1 && y < height; ++y)
            for (int x = x0 < 0 ? 0 : x0; x < x1 && x < width; ++x) {
                const unsigned char* p = pixels + 4 * (static_cast<long>(y) * width + x);
                bool inside = true;
                for (int c = 0; c < 3; ++c) inside = inside && p[c] >= lo[c] && p[c] <= hi[c];
                count += inside;
            }
        const bool passed = count >= least && count <= most;
        std::printf("%s: %ld pixels for \"%s\"\n", passed ? "ok" : "FAILED", count, argv[i]);
        failures += !passed;
    }
    stbi_image_free(pixels);
    return failures == 0 ? 0 : 1;
}
