// The examples' shared window set-up and clean-up (see ExampleWindow.h).
#include "ExampleWindow.h"

#include "ovcore/app/Core.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/foundation/EngineHandle.h"
#include "ovcore/render/Font.h"

#include <cstdio>

using namespace OvCore;

namespace {

constexpr int kControlsSize = 16;  // pixels to the em
OV_FONT controls;

}  // namespace

bool OpenExampleWindow(const char* title, int width, int height) {
    OvInitiation();
    OV_WINDOW& window = *core.windows.Get("main", 0);
    window.title = title;
    window.width = width;
    window.height = height;
    window.bitsPerPixel = 32;
    core.CenterWindow("main", 0);  // before Create, which places the window there
    if (!window.Create(EmptyHandle())) {
        std::fprintf(stderr, "%s: cannot open the window: %s\n", title, OvLastError());
        OvClosure();
        return false;
    }
    core.ActivateWindow("main", 0);
    if (!controls.LoadDefault(kControlsSize))
        std::fprintf(stderr, "%s: no font for the controls: %s\n", title, OvLastError());
    LoopState().frameMs = 16;
    LoopState().limiter = OV_FRAME_LIMITER::SLEEP;  // sleeps between frames instead of spinning
    CalibrateFrameLimiter();
    return true;
}

void UseWindowView() { core.WindowOrthoView("main", 0); }

void DrawControls(const char* text, double x, double y) {
    if (!controls.loaded) return;
    OvSetState(OV_STATE_TEXTURING, 1);
    OvSetState(OV_STATE_DRAW_COLOR, 0.6, 0.6, 0.6, 1.0);
    controls.DrawText(text, OV_VECTOR(x, y), OV_VECTOR(1, 1), OV_ANGLES());
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
}

void CloseExampleWindow() {
    controls.Release();
    core.Clear();
    if (OV_WINDOW* window = core.windows.Access(FIND, "main", 0).Value()) window->Destroy();
    OvClosure();
}
