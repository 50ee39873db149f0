// Gamepad: the left stick of the first pad moves a square round the window;
// the top line names the pad, or asks for one. Pads can be plugged in and
// out while it runs. Reading starts with the first query; the store is
// brought up to date before every frame, like keys and the mouse.
// Controls: left stick moves the square; A rumbles the pad (where it has
// motors); B puts the square back in the middle; Escape quits.
// Headless, its input script plugs in a virtual pad and pushes the stick to
// the right (see run.script beside this file).
#include "ExampleWindow.h"

#include "ovcore/app/Core.h"
#include "ovcore/app/Gamepad.h"
#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/render/Font.h"
#include "ovcore/render/FontCollection.h"
#include "ovcore/render/Texture.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

using namespace OvCore;

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kSize = 32;  // the square's side, pixels
constexpr double kSpeed = 400;  // pixels a second at full tilt
constexpr int kPad = 0;

OV_TEXTURE square;
double x = kWidth / 2.0, y = kHeight / 2.0;  // the square's centre

// One colour (0xAABBGGRR, as the bytes R, G, B, A).
bool Paint(OV_TEXTURE& texture, int size, uint32_t colour) {
    if (!texture.LoadEmpty(size, size, TEXTURE_NEAREST, TEXTURE_NEAREST, 0, 0, -1, -1, 0, 0)) return false;
    int width = 0, height = 0;
    auto* pixels = static_cast<uint32_t*>(texture.Lock(&width, &height));
    for (int i = 0; pixels && i < width * height; ++i) pixels[i] = colour;
    texture.Unlock(1);
    return pixels != nullptr;
}

void Update() {
    if (KeyPressed(VK_ESCAPE)) LoopState().running = false;
    const float seconds = LoopState().delta;
    if (GamepadPressed(kPad, PAD_B)) x = kWidth / 2.0, y = kHeight / 2.0;
    if (GamepadPressed(kPad, PAD_A)) GamepadRumble(kPad, 0.6f, 0.3f, 200);
    x += GamepadAxis(kPad, PAD_LEFT_X) * kSpeed * seconds;
    y += GamepadAxis(kPad, PAD_LEFT_Y) * kSpeed * seconds;
    x = std::clamp(x, kSize / 2.0, kWidth - kSize / 2.0);
    y = std::clamp(y, kSize / 2.0, kHeight - kSize / 2.0);
}

void Draw() {
    UseWindowView();
    OvSetState(OV_STATE_TEXTURING, 1);
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
    square.DrawRect(x - kSize / 2.0, y - kSize / 2.0, x + kSize / 2.0, y + kSize / 2.0, 1, 1, true);
    if (const OV_FONT* font = Fonts().Access(FIND, "font", 0).Value()) {
        char line[160];
        if (GamepadConnected(kPad))
            std::snprintf(line, sizeof line, "%s%s", GamepadName(kPad), GamepadCanRumble(kPad) ? " (rumble)" : "");
        else
            std::snprintf(line, sizeof line, "plug in a game controller");
        font->DrawText(line, OV_VECTOR(10, 8, 0, 1), OV_VECTOR(1, 1, 1, 1), OV_ANGLES(0, 0, 0, 0));
    }
    DrawControls("Left stick moves, A rumbles, B centres; Escape quits", 10, 452);
    OvRenderScene(OV_SCENE_END_FRAME);
}

void Frame(HWND, void*) {
    Update();
    Draw();
}

}  // namespace

int main() {
    if (!OpenExampleWindow("Gamepad", kWidth, kHeight)) return 1;
    Fonts().Get("font", 0)->Load("Data/Fonts/courier_new.ovt", "Data/Fonts/courier_new.fnt", 10, TEXTURE_NEAREST,
                                 TEXTURE_NEAREST);
    const bool painted = Paint(square, kSize, 0xFF2080FFu);  // orange
    StartGamepads();

    if (painted) RunMessageLoop(Frame, nullptr);

    square.Release(false);
    CloseExampleWindow();
    return painted ? 0 : 1;
}
