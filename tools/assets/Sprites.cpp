#include "tools/assets/Sprites.h"

#include "tools/assets/Random.h"

#include <cmath>

namespace {

constexpr Rgba kOutline{24, 16, 20, 255};

// Varies a colour's brightness by up to `amount` in either direction.
Rgba Jitter(Rgba colour, Random& random, int amount) {
    const int delta = random.Below(2 * amount + 1) - amount;
    auto shift = [delta](uint8_t c) {
        const int v = c + delta;
        return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
    };
    return {shift(colour.r), shift(colour.g), shift(colour.b), colour.a};
}

// Bricks of 8 x 4 with a mortar line under each course; odd courses are
// shifted by half a brick. Each brick is lit from the top left.
void PaintBrickPixel(Canvas& canvas, int x, int y, Random& random) {
    constexpr Rgba mortar{92, 84, 78, 255};
    constexpr Rgba brick{158, 64, 44, 255};
    const int course = y / 4;
    const int row = y % 4;
    const int column = (x + (course % 2) * 4) % 8;
    if (row == 3 || column == 7) {
        canvas.Set(x, y, Jitter(mortar, random, 6));
        return;
    }
    Rgba colour = brick;
    if (row == 0 || column == 0) colour = Mix(brick, Rgba{214, 122, 90, 255}, 0.55);
    if (row == 2 || column == 6) colour = Mix(brick, Rgba{84, 30, 24, 255}, 0.45);
    canvas.Set(x, y, Jitter(colour, random, 8));
}

}  // namespace

Canvas PaintWall() {
    Canvas canvas(16, 16);
    Random random(0x57A11);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) PaintBrickPixel(canvas, x, y, random);
    }
    return canvas;
}

Canvas PaintGrass() {
    Canvas canvas(16, 16);
    Random random(0x6A55);
    constexpr Rgba earth{120, 78, 44, 255};
    constexpr Rgba pebble{164, 128, 92, 255};
    constexpr Rgba grassDark{46, 120, 40, 255};
    constexpr Rgba grassLight{112, 196, 72, 255};
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            canvas.Set(x, y, random.Below(9) == 0 ? pebble : Jitter(earth, random, 10));
        }
    }
    // Blades: each column's grass reaches a different height and hangs a
    // little into the earth below the turf line.
    static constexpr int kTop[16] = {1, 3, 0, 2, 4, 1, 0, 3, 2, 0, 1, 4, 2, 0, 3, 1};
    static constexpr int kRoot[16] = {6, 5, 7, 6, 5, 6, 7, 5, 6, 7, 5, 6, 7, 6, 5, 6};
    for (int x = 0; x < 16; ++x) {
        for (int y = 0; y < kTop[x]; ++y) canvas.Set(x, y, {});
        for (int y = kTop[x]; y < kRoot[x]; ++y) {
            const double depth = static_cast<double>(y - kTop[x]) / (kRoot[x] - kTop[x]);
            canvas.Set(x, y, Jitter(Mix(grassLight, grassDark, depth), random, 8));
        }
    }
    return canvas;
}

Canvas PaintPlayer() {
    Canvas canvas(16, 32);
    constexpr Rgba hair{86, 52, 28, 255};
    constexpr Rgba skin{238, 190, 150, 255};
    constexpr Rgba skinShade{206, 150, 116, 255};
    constexpr Rgba eye{30, 30, 60, 255};
    constexpr Rgba shirt{52, 110, 200, 255};
    constexpr Rgba shirtShade{34, 76, 150, 255};
    constexpr Rgba belt{70, 48, 30, 255};
    constexpr Rgba trousers{58, 58, 70, 255};
    constexpr Rgba boots{104, 62, 34, 255};
    canvas.FillRect(5, 1, 6, 3, hair);  // hair
    canvas.FillRect(4, 3, 8, 7, skin);  // face
    canvas.FillRect(4, 3, 2, 2, hair);
    canvas.FillRect(10, 3, 2, 2, hair);
    canvas.FillRect(4, 9, 8, 1, skinShade);  // chin shadow
    canvas.Set(6, 6, eye);
    canvas.Set(9, 6, eye);
    canvas.FillRect(7, 8, 2, 1, skinShade);  // mouth
    canvas.FillRect(7, 10, 2, 1, skinShade);  // neck
    canvas.FillRect(4, 11, 8, 8, shirt);  // torso
    canvas.FillRect(10, 11, 2, 8, shirtShade);
    canvas.FillRect(2, 12, 2, 7, shirt);  // arms
    canvas.FillRect(12, 12, 2, 7, shirtShade);
    canvas.FillRect(2, 19, 2, 2, skin);  // hands
    canvas.FillRect(12, 19, 2, 2, skinShade);
    canvas.FillRect(4, 19, 8, 1, belt);
    canvas.FillRect(4, 20, 3, 8, trousers);  // legs
    canvas.FillRect(9, 20, 3, 8, trousers);
    canvas.FillRect(7, 20, 2, 2, trousers);
    canvas.FillRect(3, 28, 4, 3, boots);
    canvas.FillRect(9, 28, 4, 3, boots);
    canvas.Outline(kOutline);
    return canvas;
}

Canvas PaintSpikeBall() {
    Canvas canvas(16, 16);
    constexpr Rgba ironLight{200, 206, 216, 255};
    constexpr Rgba ironDark{64, 68, 82, 255};
    constexpr Rgba spike{150, 156, 170, 255};
    constexpr double cx = 7.5, cy = 7.5;
    // Eight spikes from the rim outwards, thinning towards their tips.
    for (int k = 0; k < 8; ++k) {
        const double a = k * M_PI / 4.0;
        for (double r = 3.5; r <= 7.0; r += 0.25) {
            const int x = static_cast<int>(std::floor(cx + std::cos(a) * r + 0.5));
            const int y = static_cast<int>(std::floor(cy + std::sin(a) * r + 0.5));
            canvas.Set(x, y, spike);
        }
    }
    // The ball, lit from the top left.
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const double dx = x - cx, dy = y - cy;
            if (dx * dx + dy * dy > 4.6 * 4.6) continue;
            const double light = std::hypot(dx + 2.0, dy + 2.0) / 7.5;
            canvas.Set(x, y, Mix(ironLight, ironDark, light));
        }
    }
    canvas.Set(5, 5, {255, 255, 255, 255});
    canvas.Outline(kOutline);
    return canvas;
}

Canvas PaintGib() {
    Canvas canvas(8, 8);
    constexpr Rgba flesh{178, 24, 30, 255};
    constexpr Rgba dark{104, 8, 16, 255};
    constexpr Rgba pink{236, 122, 128, 255};
    static constexpr const char* kShape[8] = {
        "........", "..##....", ".####d..", ".#p###d.", "..####d.", "..d##dd.", "...dd...", "........",
    };
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const char c = kShape[y][x];
            if (c == '#') canvas.Set(x, y, flesh);
            if (c == 'd') canvas.Set(x, y, dark);
            if (c == 'p') canvas.Set(x, y, pink);
        }
    }
    canvas.Outline({60, 4, 10, 255});
    return canvas;
}
