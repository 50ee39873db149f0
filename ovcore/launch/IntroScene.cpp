#include "ovcore/launch/IntroScene.h"

#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/foundation/EngineHandle.h"
#include "ovcore/foundation/MathHelpers.h"
#include "ovcore/render/ResourceBlob.h"

#include <cmath>

namespace OvCore {

namespace {

constexpr int kIntroWidth = 640;
constexpr int kIntroHeight = 360;
constexpr double kDegreesPerSecond = 90.0;
constexpr double kEndAngle = 180.0;
constexpr WORD kLogoType = 1024;
constexpr WORD kLogoId = 1;

void PrepareRenderState(const OV_WINDOW& window) {
    OvRenderTargetActivate(window.renderTarget);
    OvRenderVsync(0);
    OvSetState(OV_STATE_TEXTURING, 1);
    OvSetState(OV_STATE_CLEAR_COLOR, 0.0, 0.0, 0.0, 0.0);
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
    OvSetState(OV_STATE_BLENDING, 1);
    OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_SRC_ALPHA, OV_BLEND_ONE_MINUS_SRC_ALPHA);
}

// Without the resource no frame is made and the intro shows an empty window.
void LoadLogo(OV_TEXTURE& image) {
    OV_RESOURCE_BLOB resource;
    resource.Open(GetModuleHandleA("Orvo Core.dll"), MAKEINTRESOURCEA(kLogoId), MAKEINTRESOURCEA(kLogoType));
    const void* images[1] = {resource.Data()};
    image.LoadFromMemory(images, 1, true, TEXTURE_LINEAR, TEXTURE_LINEAR, 0, 0, 0, 0, 0, 0);
    resource.Close();
}

// A 640 x 360 tool window in the middle of the screen.
void DescribeIntroWindow(OV_WINDOW& window) {
    window.title = "Orvo Core Intro";
    window.taskbar = false;
    window.ReadDesktop();
    window.x = window.width / 2 - kIntroWidth / 2;
    window.y = window.height / 2 - kIntroHeight / 2;
    window.width = kIntroWidth;
    window.height = kIntroHeight;
}

}  // namespace

void IntroFrame(HWND, void* context) {
    const auto& intro = *static_cast<const OV_INTRO_CONTEXT*>(context);
    double& angle = *intro.angle;
    OvCameraOrtho(0.0, 0.0, intro.window->width, intro.window->height, 0.0);
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, std::sin(DegToRad(angle)));
    angle += LoopState().delta * kDegreesPerSecond;
    // An angle that is not a number (from a broken frame time) would never
    // reach the end, so it ends the intro as well.
    if (!(angle < kEndAngle)) LoopState().running = false;
    intro.image->Draw(true);
    OvRenderScene(OV_SCENE_END_FRAME);
}

void IntroScene() {
    OV_WINDOW window;
    OV_TEXTURE image;
    double angle = 0.0;
    DescribeIntroWindow(window);
    if (!window.Create(EmptyHandle())) return;
    PrepareRenderState(window);
    LoadLogo(image);
    OV_INTRO_CONTEXT context{&window, &angle, &image};
    ShowCursor(FALSE);
    RunMessageLoop(IntroFrame, &context);
    ShowCursor(TRUE);
    OvRenderScene(OV_SCENE_END_FRAME);
    image.Release(false);
    window.Destroy();
}

}  // namespace OvCore
