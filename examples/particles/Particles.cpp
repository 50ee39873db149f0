// Particle fountain: an emitter of the core's render entries follows the
// mouse and throws a timed burst of sparks upwards; they fall back under
// their acceleration and fade out. The frame step updates and draws it.
// Controls: move the mouse; hold the left button for a denser fountain;
// Escape quits.
#include "ExampleWindow.h"

#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/world/FrameStep.h"
#include "ovcore/world/RenderEntries.h"

using namespace OvCore;

namespace {

constexpr int kLeftButton = 1;

void SetUpFountain() {
    OV_RENDER_ENTRY& fountain = *RenderEntries().Get("fountain", 0);
    fountain.Resize(4000);
    fountain.pointSize = 4;
    fountain.interval = 0.02f;
    fountain.burst = 10;
    fountain.directionMin = OV_ANGLES(-105, 0, 0, 0);  // upwards: y grows down the screen
    fountain.directionMax = OV_ANGLES(-75, 0, 0, 0);
    fountain.speedMin = 180;
    fountain.speedMax = 260;
    fountain.accelerationMin = fountain.accelerationMax = OV_VECTORF(0, 320, 0, 1);
    fountain.lifetimeMin = 1.0f;
    fountain.lifetimeMax = 1.6f;
    fountain.colourMin = OV_VECTORF(1.0f, 0.45f, 0.0f, 1.0f);
    fountain.colourMax = OV_VECTORF(1.0f, 0.85f, 0.2f, 1.0f);
}

void Update() {
    if (KeyPressed(VK_ESCAPE)) LoopState().running = false;
    OV_RENDER_ENTRY& fountain = *RenderEntries().Get("fountain", 0);
    const OV_VECTOR mouse = core.MousePosition("main", 0);
    fountain.position = OV_VECTORF(static_cast<float>(mouse.x), static_cast<float>(mouse.y), 0, 1);
    fountain.burst = MouseHeld(kLeftButton) ? 30 : 10;
}

void Draw() {
    UseWindowView();
    OvRenderScene(OV_SCENE_CLEAR_COLOR);
    OvSetState(OV_STATE_BLENDING, 1);
    OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_SRC_ALPHA, OV_BLEND_ONE);
    World().FrameStep();  // moves the sparks and draws them
    DrawControls("Mouse moves it, left button adds sparks; Escape quits", 220, 10);
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_PRESENT);
}

void Frame(HWND, void*) {
    Update();
    Draw();
}

}  // namespace

int main() {
    if (!OpenExampleWindow("Particle fountain", 640, 480)) return 1;
    SetUpFountain();

    RunMessageLoop(Frame, nullptr);

    CloseExampleWindow();
    return 0;
}
