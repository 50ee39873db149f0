#include "game/GameScene.h"

#include "app/Core.h"
#include "app/Input.h"
#include "app/MessageLoop.h"
#include "app/RenderStateFunctions.h"
#include "engine/OrvoCore.h"

namespace OvCore {

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kPresentFrame = 35;

void GameFrame(HWND, void*) {
    if (KeyPressed(VK_ESCAPE)) core.ExitScenes();
    ClearScreen(0.08, 0.09, 0.12, 1.0);
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
    RunMessageLoop(GameFrame, nullptr);
    core.Clear();
}

} // namespace OvCore
