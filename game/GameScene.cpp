#include "game/GameScene.h"

#include "app/Core.h"
#include "app/Input.h"
#include "app/LoopState.h"
#include "app/MessageLoop.h"
#include "app/RenderStateFunctions.h"
#include "engine/OrvoCore.h"
#include "render/TextureCollection.h"

#include <cstdint>

namespace OvCore {

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kPresentFrame = 35;
constexpr int kTileSize = 32;
constexpr int kSpriteSize = 64;
constexpr int kFloorTop = 504;
constexpr double kTurnDegreesPerSecond = 90.0;

struct SceneState {
    OV_TEXTURE* sprite = nullptr;
    OV_TEXTURE* floor = nullptr;
    double angle = 0.0;
};

// Writes each pixel of the current frame as RGBA from colourAt(x, y).
template <class ColourAt>
void PaintPixels(OV_TEXTURE& texture, ColourAt colourAt) {
    int width = 0, height = 0;
    auto* pixels = static_cast<uint8_t*>(texture.Lock(&width, &height));
    if (!pixels) return;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t rgba = colourAt(x, y);
            uint8_t* pixel = pixels + (static_cast<size_t>(y) * width + x) * 4;
            for (int channel = 0; channel < 4; ++channel) pixel[channel] = (rgba >> (8 * channel)) & 0xFF;
        }
    }
    texture.Unlock(1);
}

// Packed as red in the low byte, alpha in the high one.
constexpr uint32_t Rgba(uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
    return r | g << 8 | b << 16 | a << 24;
}

// Until the game's own images exist: a checker sprite and a brick floor.
void MakePlaceholderImages(SceneState& state) {
    state.sprite = Textures().Get("sprite", 0);
    if (state.sprite->LoadEmpty(kSpriteSize, kSpriteSize, TEXTURE_LINEAR, TEXTURE_LINEAR, 0, 0, -1, -1, 0, 0)) {
        state.sprite->CenterOrigin();
        PaintPixels(*state.sprite, [](int x, int y) {
            const bool light = ((x / 8) + (y / 8)) % 2 == 0;
            return light ? Rgba(240, 200, 60, 255) : Rgba(200, 60, 40, 255);
        });
    }
    state.floor = Textures().Get("floor", 0);
    if (state.floor->LoadEmpty(kTileSize, kTileSize, TEXTURE_NEAREST, TEXTURE_NEAREST, 0, 0, -1, -1, 0, 0)) {
        PaintPixels(*state.floor, [](int x, int y) {
            const bool mortar = y % 16 == 0 || (x + (y / 16) * 16) % kTileSize == 0;
            const uint32_t shade = static_cast<uint32_t>(90 + y * 2);
            return mortar ? Rgba(40, 36, 32, 255) : Rgba(shade, shade / 2, 40, 255);
        });
    }
}

void GameFrame(HWND, void* context) {
    auto& state = *static_cast<SceneState*>(context);
    if (KeyPressed(VK_ESCAPE)) core.ExitScenes();
    state.angle += kTurnDegreesPerSecond * LoopState().delta;
    if (state.angle >= 360.0) state.angle -= 360.0;
    ClearScreen(0.08, 0.09, 0.12, 1.0);
    core.WindowOrthoView("main", 0);
    state.floor->DrawTiled(0, kFloorTop, kWidth, kHeight, 1.0f, 1.0f, true);
    state.sprite->DrawTransformed(OV_VECTOR(kWidth / 2.0, kHeight / 2.0), OV_ANGLES(state.angle, 0, 0, 0),
                                  OV_VECTOR(2, 2, 1), true);
    OvRenderScene(kPresentFrame);
}

} // namespace

void GameScene() {
    OV_WINDOW* window = core.windows.Get("main", 0);
    window->width = kWidth;
    window->height = kHeight;
    core.CenterWindow("main", 0);
    window->Apply();
    core.ActivateWindow("main", 0);
    SceneState state;
    MakePlaceholderImages(state);
    RunMessageLoop(GameFrame, &state);
    core.Clear();
}

} // namespace OvCore
