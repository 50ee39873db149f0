#include "game/GameScene.h"

#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/engine/OrvoCore.h"
#include "game/GameSounds.h"
#include "game/Player.h"
#include "game/TileMap.h"
#include "ovcore/render/FontCollection.h"
#include "ovcore/render/ResourceBlob.h"
#include "ovcore/render/TextureCollection.h"
#include "ovcore/world/FrameStep.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace OvCore {

namespace {

constexpr const char* kMainWindow = "main";
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kViewHeight = 600;
constexpr int kKeyEscape = 27;
constexpr int kKeyEnter = 13;
constexpr int kDrawnCells = 100;
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr WORD kLogoType = 1024;
constexpr WORD kLogoId = 1;

struct FileTexture {
    const char* name;
    const char* path;
    bool centred;
};

constexpr FileTexture kFileTextures[] = {
    {"wall", "Data/Textures/wall.ovt", false},          {"player", "Data/Textures/player.ovt", true},
    {"spikeball", "Data/Textures/spikeball.ovt", true}, {"gib", "Data/Textures/gib.ovt", true},
    {"grass", "Data/Textures/grass.ovt", false},
};

struct NamedSound {
    const char* name;
    const char* path;
};

constexpr NamedSound kSounds[] = {
    {"gib1", "Data/Sounds/gib1.wav"}, {"gib2", "Data/Sounds/gib2.wav"},   {"gib3", "Data/Sounds/gib3.wav"},
    {"gib4", "Data/Sounds/gib4.wav"}, {"jump1", "Data/Sounds/jump1.wav"},
};

std::array<char, 160> statusText{};

OV_WINDOW* MainWindow() { return core.windows.Access(FIND, kMainWindow, 0).Value(); }

void LoadLogoTexture() {
    OV_RESOURCE_BLOB resource;
    resource.Open(GetModuleHandleA("Orvo Core.dll"), MAKEINTRESOURCEA(kLogoId), MAKEINTRESOURCEA(kLogoType));
    const void* images[1] = {resource.Data()};
    OV_TEXTURE* sprite = Textures().Get("sprite", 0);
    if (sprite && sprite->LoadFromMemory(images, 1, true, TEXTURE_LINEAR, TEXTURE_LINEAR, 0, 0, 0, 0, 0, 0))
        sprite->CenterOrigin();
    resource.Close();
}

void LoadFileTextures() {
    for (const FileTexture& entry : kFileTextures) {
        OV_TEXTURE* texture = Textures().Get(entry.name, 0);
        if (!texture) continue;
        const bool loaded = texture->Load(entry.path, 1, TEXTURE_LINEAR, TEXTURE_LINEAR, 0, 0, -1, -1, 0, 0);
        if (loaded && entry.centred) texture->CenterOrigin();
    }
}

void DrawSprite(const OV_TEXTURE& texture, double x, double y) {
    texture.DrawTransformed(OV_VECTOR(x, y, 0, 1), OV_ANGLES(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1), true);
}

void DrawBorderMarkers(const OV_TEXTURE& wall) {
    DrawSprite(wall, 0, 0);
    DrawSprite(wall, kWidth, 0);
    DrawSprite(wall, 0, kHeight);
    DrawSprite(wall, kWidth, kHeight);
}

void DrawTileMap(const OV_TEXTURE& wall) {
    const TileMap& map = GameMap();
    for (int column = 0; column < kDrawnCells; ++column)
        for (int row = 0; row < kDrawnCells; ++row)
            if (map.IsSolidCell(column, row)) DrawSprite(wall, TileMap::kCellSize * column, TileMap::kCellSize * row);
}

// Button 1 paints the cell under the cursor; a solid cell there shows the
// wall image at the exact cursor position.
void EditTileMap(const OV_TEXTURE& wall) {
    const OV_VECTOR mouse = core.MousePosition(kMainWindow, 0);
    if (MouseHeld(kLeftButton)) SetSolid(mouse.x, mouse.y);
    if (IsSolid(mouse.x, mouse.y)) DrawSprite(wall, mouse.x, mouse.y);
}

// The frame rate as an integer; a rate that does not fit counts as 0.
int WholeFps(float fps) { return std::isfinite(fps) && std::fabs(fps) < 1e9f ? static_cast<int>(fps) : 0; }

void DrawStatusText(const OV_WINDOW* window) {
    const OV_LOOP_STATE& loop = LoopState();
    std::snprintf(statusText.data(), statusText.size(), "Spikeballs: %u\nFPS: %i\n%i x %i\nDt: %f",
                  World().CountActors("Ball"), WholeFps(loop.fps), window ? window->width : 0,
                  window ? window->height : 0, static_cast<double>(loop.delta) * 1000.0);
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
    if (const OV_FONT* font = Fonts().Access(FIND, "font", 0).Value())
        font->DrawText(statusText.data(), OV_VECTOR(10, 10, 0, 1), OV_VECTOR(1, 1, 1, 1), OV_ANGLES(0, 0, 0, 0));
}

void DropPlayer() {
    const OV_VECTOR at = core.MousePosition(kMainWindow, 0, kMainWindow, 0);
    auto player = std::make_unique<Player>(at);
    if (World().SpawnActor("Player", player.get())) player.release();
}

// With OV_PRINT_STATUS set, a run ends by printing what the status text last
// showed, so that a headless run can report it.
void PrintLastStatus() {
    const char* wanted = std::getenv("OV_PRINT_STATUS");
    if (wanted && *wanted) std::printf("Last status text:\n%s\n", statusText.data());
}

}  // namespace

OV_CAMERA& ScreenView() {
    static OV_CAMERA view;
    return view;
}

const char* GameStatusText() { return statusText.data(); }

void PrepareGameWindow() {
    OV_WINDOW* window = core.windows.Get(kMainWindow, 0);
    if (!window) return;
    window->width = kWidth;
    window->height = kHeight;
    core.CenterWindow(kMainWindow, 0);
    window->Apply();
    core.ActivateWindow(kMainWindow, 0);
}

void SetUpScreenView() {
    const OV_WINDOW* window = MainWindow();
    const int height = window ? window->height : 0;
    OV_CAMERA& view = ScreenView();
    view.width = height > 0 ? static_cast<int32_t>(static_cast<double>(window->width) / height * kViewHeight) : 0;
    view.height = kViewHeight;
}

void LoadGameResources() {
    LoadLogoTexture();
    LoadFileTextures();
    if (OV_FONT* font = Fonts().Get("font", 0))
        font->Load("Data/Fonts/courier_new.ovt", "Data/Fonts/courier_new.fnt", 10, TEXTURE_NEAREST, TEXTURE_NEAREST);
    for (const NamedSound& sound : kSounds) Sounds().Load(sound.name, sound.path);
}

void GameFrame(HWND, void*) {
    if (KeyPressed(kKeyEscape)) core.ExitScenes();
    ScreenView().Apply();
    static const OV_TEXTURE noTexture;
    const OV_TEXTURE* found = Textures().Get("wall", 0);
    const OV_TEXTURE& wall = found ? *found : noTexture;
    DrawBorderMarkers(wall);
    if (KeyPressed(kKeyEnter)) Sounds().Play("gib1");
    DrawTileMap(wall);
    EditTileMap(wall);
    World().FrameStep();
    DrawStatusText(MainWindow());
    if (MousePressed(kRightButton)) DropPlayer();
    OvRenderScene(OV_SCENE_END_FRAME);
}

void GameScene() {
    PrepareGameWindow();
    core.SetVsync(true);
    SetUpScreenView();
    LoadGameResources();
    statusText[0] = '\0';
    RunMessageLoop(GameFrame, nullptr);
    core.Clear();
    PrintLastStatus();
}

}  // namespace OvCore
