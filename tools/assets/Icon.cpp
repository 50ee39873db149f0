#include "tools/assets/Icon.h"

#include "tools/assets/Sprites.h"

namespace {

constexpr int kSize = 64;

// Composites `sprite` onto `canvas` with its top-left corner at (x, y).
void Stamp(Canvas& canvas, const Canvas& sprite, int x, int y) {
    for (int row = 0; row < sprite.Height(); ++row)
        for (int column = 0; column < sprite.Width(); ++column) {
            const Rgba pixel = sprite.Get(column, row);
            canvas.Blend(x + column, y + row, Rgba{pixel.r, pixel.g, pixel.b, 255}, pixel.a / 255.0);
        }
}

}  // namespace

Canvas PaintIcon() {
    Canvas icon(kSize, kSize);
    constexpr Rgba top{18, 24, 58, 255};
    constexpr Rgba bottom{64, 86, 150, 255};
    for (int row = 0; row < kSize; ++row) icon.FillRect(0, row, kSize, 1, Mix(top, bottom, row / double(kSize - 1)));
    const Canvas wall = PaintWall();
    for (int x = 0; x < kSize; x += wall.Width()) Stamp(icon, wall, x, kSize - wall.Height());
    Stamp(icon, PaintPlayer(), 10, kSize - wall.Height() - 32);
    Stamp(icon, PaintSpikeBall(), 36, 14);
    Stamp(icon, PaintGib(), 44, kSize - wall.Height() - 8);
    return icon;
}
