// Checks pixels of a saved frame: FrameProbe <png> then groups of
// "x y channel min max" (channel r, g or b; x and y from the top-left).
// Prints every probe and ends with status 0 only when each lies in range.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 7 || (argc - 2) % 5 != 0) {
        std::fprintf(stderr, "usage: %s frame.png x y r|g|b min max ...\n", argv[0]);
        return 2;
    }
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = stbi_load(argv[1], &width, &height, &channels, 4);
    if (!pixels) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    bool allInRange = true;
    for (int i = 2; i + 4 < argc; i += 5) {
        const int x = std::atoi(argv[i]), y = std::atoi(argv[i + 1]);
        const char* channel = std::strchr("rgb", argv[i + 2][0]);
        const int low = std::atoi(argv[i + 3]), high = std::atoi(argv[i + 4]);
        if (!channel || !*channel || x < 0 || y < 0 || x >= width || y >= height) {
            std::fprintf(stderr, "bad probe at argument %d\n", i);
            allInRange = false;
            continue;
        }
        const int value = pixels[(y * width + x) * 4 + (channel - "rgb")];
        const bool inRange = value >= low && value <= high;
        std::printf("(%d, %d) %c = %d, wanted %d..%d%s\n", x, y, *channel, value, low, high, inRange ? "" : "  FAIL");
        allInRange = allInRange && inRange;
    }
    stbi_image_free(pixels);
    return allInRange ? 0 : 1;
}
