// Technique scripts: a scene drawn into a frame buffer, then a two-pass glow
// written as a technique script (technique.lua) with a GLSL blur
// (blur.vert, blur.frag): the bright squares bleed light around them.
// Run it from this folder. Controls: Escape quits.
#include "ExampleWindow.h"

#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/foundation/Vector.h"
#include "ovcore/render/FrameBuffer.h"
#include "ovcore/render/Script.h"
#include "ovcore/render/ShaderStore.h"
#include "ovcore/render/TechniqueShaders.h"

#include <cstdio>
#include <string>

using namespace OvCore;

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kBlurSlot = 0;

struct Example {
    OV_SHADER_STORE shaders;
    OV_FRAMEBUFFER scene;
    OV_FRAMEBUFFER across;
    OV_SCRIPT technique;
    OV_SCRIPT_ARGUMENTS arguments;
    OV_VECTOR corners[4] = {{0, 0, 0, 1}, {kWidth, 0, 0, 1}, {kWidth, kHeight, 0, 1}, {0, kHeight, 0, 1}};
    OV_VECTOR texcoords[4] = {{0, 0, 0, 1}, {1, 0, 0, 1}, {1, 1, 0, 1}, {0, 1, 0, 1}};
    OV_VECTOR black{0, 0, 0, 1};
    int32_t stepLocation = -1;
    int32_t thresholdLocation = -1;
    float stepAcross[4] = {3.0f / kWidth, 0, 0, 0};
    float stepDown[4] = {0, 3.0f / kHeight, 0, 0};
    float bright[4] = {0.5f, 0, 0, 0};
    float everything[4] = {0, 0, 0, 0};
} example;

void Rectangle(double x1, double y1, double x2, double y2, double r, double g, double b) {
    const OV_VECTOR corners[4] = {{x1, y1, 0, 1}, {x2, y1, 0, 1}, {x2, y2, 0, 1}, {x1, y2, 0, 1}};
    OvSetState(OV_STATE_DRAW_COLOR, r, g, b, 1.0);
    OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, corners, nullptr, nullptr, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
}

// The scene: a dim backdrop, a dim bar and two bright squares.
void DrawScene() {
    // Flipped, so that the canvas drawn with texture coordinates from (0, 0)
    // shows the scene the right way up.
    if (!example.scene.Activate(true)) return;
    OvSetState(OV_STATE_CLEAR_COLOR, 0.05, 0.05, 0.15, 1.0);
    OvRenderScene(OV_SCENE_CLEAR_COLOR);
    OvTextureUnactivate();
    Rectangle(20, 20, 300, 40, 0.2, 0.25, 0.3);
    Rectangle(60, 70, 100, 110, 1.0, 0.8, 0.3);
    Rectangle(200, 110, 220, 130, 0.4, 0.9, 1.0);
    example.scene.Deactivate(false);
}

void Update() {
    if (KeyPressed(VK_ESCAPE)) LoopState().running = false;
}

void Draw() {
    DrawScene();
    OvSetState(OV_STATE_BLENDING, 1);
    if (!example.technique.Execute(&example.arguments)) std::fprintf(stderr, "technique: %s\n", OvLumetLastLog());
    UseWindowView();
    DrawControls("Escape quits", 10, kHeight - 24);
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_PRESENT);
}

void Frame(HWND, void*) {
    Update();
    Draw();
}

bool LoadBlur() {
    example.shaders.Load(kBlurSlot, OV_SHADER_LINKED, "blur.vert", "blur.frag");
    OV_STRING log;
    example.shaders.GetLog(kBlurSlot, log);
    if (std::string(log.Get()).find("Failed!") != std::string::npos) {
        std::fprintf(stderr, "%s", log.Get());
        return false;
    }
    example.stepLocation = example.shaders.UniformLocation(kBlurSlot, "uStep");
    example.thresholdLocation = example.shaders.UniformLocation(kBlurSlot, "uThreshold");
    return true;
}

// The variables in the order technique.lua receives them.
void BindArguments() {
    Example& e = example;
    OV_SCRIPT_ARGUMENTS& a = e.arguments;
    a.AddPointer(&e.shaders);
    a.AddValue(kBlurSlot);
    for (const void* data :
         {static_cast<const void*>(&e.scene), static_cast<const void*>(&e.across), static_cast<const void*>(e.corners),
          static_cast<const void*>(e.texcoords), static_cast<const void*>(&e.black),
          static_cast<const void*>(&e.stepLocation), static_cast<const void*>(&e.thresholdLocation),
          static_cast<const void*>(e.stepAcross), static_cast<const void*>(e.stepDown),
          static_cast<const void*>(e.bright), static_cast<const void*>(e.everything)}) {
        a.AddPointer(data);
    }
}

bool SetUp() {
    if (!InitShaders()) return false;
    InitTechniqueShaders();
    if (!example.scene.Create(kWidth, kHeight, 0) || !example.across.Create(kWidth, kHeight, 0)) return false;
    if (!LoadBlur()) return false;
    if (!example.technique.CompileFile("technique.lua")) {
        std::fprintf(stderr, "technique.lua: %s\n", OvLumetLastLog());
        return false;
    }
    BindArguments();
    return true;
}

}  // namespace

int main() {
    if (!OpenExampleWindow("Technique scripts", kWidth, kHeight)) return 1;
    const bool ready = SetUp();

    if (ready) RunMessageLoop(Frame, nullptr);

    example.technique.Free();
    example.shaders.Release();
    example.scene.Destroy();
    example.across.Destroy();
    CloseExampleWindow();
    return ready ? 0 : 1;
}
