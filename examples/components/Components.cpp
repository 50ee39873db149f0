// Components: characters (C_CHARACTER) walk along a floor under
// acceleration and friction and fall under gravity to a terminal speed,
// plants (C_PLANT) drift down with a capped speed, and decorations
// (C_STATIC) stand and animate. The program owns them and calls their
// Update itself; the floor stops the characters' fall.
// Controls: left button drops a new character at the pointer; Escape quits.
#include "ExampleWindow.h"

#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/world/com/Character.h"
#include "ovcore/world/com/Plant.h"
#include "ovcore/world/com/Static.h"

#include <cstdint>
#include <vector>

using namespace OvCore;
using namespace OvCore::Com;

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr double kFloor = 400;
constexpr int kLeftButton = 1;

OV_TEXTURE blue, green, grey;
std::vector<C_CHARACTER> characters;
std::vector<C_PLANT> plants;
std::vector<C_STATIC> decorations;

// A square image of one colour (0xAABBGGRR as the bytes R, G, B, A).
bool Paint(OV_TEXTURE& texture, int size, uint32_t colour) {
    if (!texture.LoadEmpty(size, size, 234, 234, 0, 0, -1, -1, 0, 0)) return false;
    int width = 0, height = 0;
    auto* pixels = static_cast<uint32_t*>(texture.Lock(&width, &height));
    for (int i = 0; pixels && i < width * height; ++i) pixels[i] = colour;
    texture.Unlock(1);
    texture.CenterOrigin();
    return pixels != nullptr;
}

void AddCharacter(double x, double y, float direction) {
    C_CHARACTER character;
    character.sprite = blue;
    character.position = OV_VECTOR(x, y);
    character.direction = direction;
    character.acceleration = 40;  // walks faster and faster ...
    character.friction = 20;  // ... held back by friction
    character.gravity = 300;
    character.maxFallSpeed = 400;
    characters.push_back(character);
}

void SetUpWorld() {
    AddCharacter(120, 60, 0);
    AddCharacter(520, 160, 180);
    for (int i = 0; i < 6; ++i) {
        C_PLANT plant;
        plant.sprite = green;
        plant.position = OV_VECTOR(60 + 100 * i, 20 + 15 * i);
        plant.acceleration = 15;
        plant.maxSpeed = 25;  // drifts down, never faster than this
        plants.push_back(plant);
    }
    for (int i = 0; i < 4; ++i) {
        C_STATIC decoration;
        decoration.sprite = grey;
        decoration.position = OV_VECTOR(80 + 160 * i, kFloor + 30);
        decorations.push_back(decoration);
    }
}

// The floor ends a fall; walkers turn round at the window's edges.
void Land(C_CHARACTER& character) {
    if (character.position.y >= kFloor - 12) {
        character.position.y = kFloor - 12;
        character.fallSpeed = 0;
    }
    if (character.position.x < 12 || character.position.x > kWidth - 12) {
        character.direction = character.position.x < 12 ? 0 : 180;
        character.position.x = character.position.x < 12 ? 12 : kWidth - 12;
        character.speed = 0;
    }
}

void Update() {
    if (KeyPressed(VK_ESCAPE)) LoopState().running = false;
    if (MousePressed(kLeftButton)) {
        const OV_VECTOR mouse = core.MousePosition("main", 0);
        AddCharacter(mouse.x, mouse.y, 0);
    }
    const float dt = LoopState().delta;
    for (C_STATIC& decoration : decorations) decoration.Update(dt);
    for (C_PLANT& plant : plants) {
        plant.Update(dt);
        if (plant.position.y > kHeight + 20) plant.position.y = -20;
    }
    for (C_CHARACTER& character : characters) {
        character.Update(dt);
        Land(character);
    }
}

void Draw() {
    UseWindowView();
    OvRenderScene(OV_SCENE_CLEAR_COLOR);
    OvSetState(OV_STATE_TEXTURING, 1);
    for (C_STATIC& decoration : decorations) decoration.Draw(true);
    for (C_PLANT& plant : plants) plant.Draw(true);
    for (C_CHARACTER& character : characters) character.Draw(true);
    DrawControls("Left button drops a character at the pointer; Escape quits", 10, 10);
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_PRESENT);
}

void Frame(HWND, void*) {
    Update();
    Draw();
}

}  // namespace

int main() {
    if (!OpenExampleWindow("Components", kWidth, kHeight)) return 1;
    const bool painted = Paint(blue, 24, 0xFFFF6020u) && Paint(green, 16, 0xFF30D040u) && Paint(grey, 40, 0xFF808080u);
    if (painted) {
        SetUpWorld();
        RunMessageLoop(Frame, nullptr);
    }

    characters.clear();
    plants.clear();
    decorations.clear();
    for (OV_TEXTURE* texture : {&blue, &green, &grey}) texture->Release(false);
    CloseExampleWindow();
    return painted ? 0 : 1;
}
