#include "ovcore/launch/EntryPoint.h"

#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/launch/IntroScene.h"
#include "ovcore/foundation/EngineHandle.h"
#include "ovcore/foundation/MathHelpers.h"
#include "ovcore/engine/OrvoCore.h"

namespace OvCore {

OV_STRING CommandLine;

namespace {

constexpr const char* kMainWindow = "main";

void ConfigureMainWindow() {
    OV_WINDOW* window = core.windows.Get(kMainWindow, 0);
    window->title = "Gorvane";
    window->bitsPerPixel = 32;
}

void RegisterScenes(OV_SCENE_FUNC gameScene) {
    *core.scenes.list.Get("intro", 0) = IntroScene;
    *core.scenes.list.Get("game", 0) = gameScene;
    core.scenes.current = core.scenes.list.FindOrCreate("intro", 0);
}

}  // namespace

int OvMain(const char* commandLine, OV_SCENE_FUNC gameScene) {
    OvInitiation();
    core.ReadDesktop();
    CommandLine.Assign(commandLine);
    ConfigureMainWindow();
    InputStore().ignoreRepeat = true;
    Random(0.0, true);
    RegisterScenes(gameScene);
    if (!core.windows.Get(kMainWindow, 0)->Create(EmptyHandle())) return 0;
    core.scenes.Run();
    // A scene may have changed the window list, so the window is looked up again.
    if (OV_WINDOW* window = core.windows.Access(FIND, kMainWindow, 0).Value()) window->Destroy();
    OvClosure();
    return 1;
}

}  // namespace OvCore
