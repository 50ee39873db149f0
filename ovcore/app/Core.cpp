#include "ovcore/app/Core.h"

#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/engine/OrvoCore.h"

#include <algorithm>

namespace OvCore {

namespace {

constexpr int kMillisecondsPerSecond = 1000;

float Aspect(int width, int height) {
    return height != 0 ? static_cast<float>(width) / static_cast<float>(height) : 0.0f;
}

}  // namespace

void OV_CORE::ReadDesktop() {
    desktopWidth = GetSystemMetrics(SM_CXSCREEN);
    desktopHeight = GetSystemMetrics(SM_CYSCREEN);
    desktopAspect = Aspect(desktopWidth, desktopHeight);
    desktopRead_ = true;
}

OV_CORE::~OV_CORE() {
    Clear();
    scenes.list.Clear();
    scenes.current = scenes.list.End();
    windows.Clear();
}

void OV_CORE::Clear() {
    audio.Shutdown();
    for (OV_CLEAR_HOOK hook : clearHooks)
        if (hook) hook();
}

void OV_CORE::SetClearHook(OV_CLEAR_STAGE stage, OV_CLEAR_HOOK hook) {
    const int index = static_cast<int>(stage);
    if (index < 0 || index >= static_cast<int>(OV_CLEAR_STAGE::COUNT)) return;
    clearHooks[index] = hook;
}

bool OV_CORE::SetFrameStep(OV_FRAME_PHASE phase, int place, OV_STEP step) {
    const int index = static_cast<int>(phase);
    if (index < 0 || index >= static_cast<int>(OV_FRAME_PHASE::COUNT)) return false;
    PhaseSteps& steps = phases_[index];
    int at = 0;
    while (at < steps.count && steps.steps[at].place < place) ++at;
    const bool taken = at < steps.count && steps.steps[at].place == place;
    ++stepChanges_;
    if (taken && step) {
        steps.steps[at].step = step;
    } else if (taken) {
        std::copy(steps.steps + at + 1, steps.steps + steps.count, steps.steps + at);
        --steps.count;
    } else if (step) {
        if (steps.count == kMaxStepsPerPhase) return false;
        std::copy_backward(steps.steps + at, steps.steps + steps.count, steps.steps + steps.count + 1);
        steps.steps[at] = OV_FRAME_STEP{phase, place, step};
        ++steps.count;
    }
    return true;
}

void OV_CORE::SetDrawPasses(OV_DRAW_PASSES passes) { drawPasses_ = passes; }

bool OV_CORE::Join(OV_CLEAR_STAGE stage, OV_CLEAR_HOOK clear, std::span<const OV_FRAME_STEP> steps) {
    SetClearHook(stage, clear);
    bool all = true;
    for (const OV_FRAME_STEP& step : steps) all = SetFrameStep(step.phase, step.place, step.step) && all;
    return all;
}

void OV_CORE::Leave(OV_CLEAR_STAGE stage, std::span<const OV_FRAME_STEP> steps) {
    SetClearHook(stage, nullptr);
    for (const OV_FRAME_STEP& step : steps) SetFrameStep(step.phase, step.place, nullptr);
}

// Runs the phase's steps in the order of their places. A step may add or
// remove steps: the walk then goes on from the first place after the one
// that ran, as the steps stand now.
void OV_CORE::RunPhase(OV_FRAME_PHASE phase) {
    const PhaseSteps& steps = phases_[static_cast<int>(phase)];
    for (int i = 0; i < steps.count;) {
        const int place = steps.steps[i].place;
        const uint32_t changes = stepChanges_;
        steps.steps[i].step();
        if (changes == stepChanges_) {
            ++i;
            continue;
        }
        i = 0;
        while (i < steps.count && steps.steps[i].place <= place) ++i;
    }
}

void OV_CORE::RunDrawPass(void* core) { static_cast<OV_CORE*>(core)->RunPhase(OV_FRAME_PHASE::DRAW); }

void OV_CORE::FrameStep() {
    RunPhase(OV_FRAME_PHASE::UPDATE);
    if (drawPasses_)
        drawPasses_(RunDrawPass, this);
    else
        RunDrawPass(this);
    RunPhase(OV_FRAME_PHASE::OVERLAY);
    RunPhase(OV_FRAME_PHASE::FINISH);
}

bool OV_CORE::SwitchTo(OV_SCENE_MANAGER::Iterator target) {
    OV_LOOP_STATE& loop = LoopState();
    if (!loop.running || target.IsEnd()) return false;
    scenes.current = target;
    scenes.advance = false;
    scenes.switchRequested = true;
    loop.running = false;
    return true;
}

bool OV_CORE::ChangeScene(const char* name, int id) { return SwitchTo(scenes.list.Access(FIND_NAME, name, id)); }

bool OV_CORE::ChangeSceneTo(OV_SCENE_MANAGER::Iterator target) { return SwitchTo(target); }

bool OV_CORE::NextScene() {
    OV_SCENE_MANAGER::Iterator target = scenes.current;
    target.Next();
    return SwitchTo(target);
}

bool OV_CORE::PreviousScene() {
    OV_SCENE_MANAGER::Iterator target = scenes.current;
    target.Prev();
    return SwitchTo(target);
}

bool OV_CORE::ExitScenes() {
    LoopState().running = false;
    scenes.current = scenes.list.End();
    return true;
}

void OV_CORE::SetVsync(bool on) {
    if (OvRenderVsync(on ? 1 : 0)) return;
    const uint32_t rate = ScreenRefreshRate();
    LoopState().frameMs = on && rate != 0 ? kMillisecondsPerSecond / static_cast<int>(rate) : 0;
    CalibrateFrameLimiter();
}

OV_WINDOW* OV_CORE::FindWindow(const char* name, int id) {
    return name ? windows.Access(FIND_NAME, name, id).Value() : nullptr;
}

void OV_CORE::ActivateWindow(const char* name, int id) {
    if (!desktopRead_) ReadDesktop();
    const OV_WINDOW* window = FindWindow(name, id);
    if (!window) return;
    OvRenderTargetActivate(window->renderTarget);
    OvExtensions(0);
    OvRenderVsync(0);
    OvSetState(OV_STATE_TEXTURING, 1);
    OvSetState(OV_STATE_CLEAR_COLOR, 0.0, 0.0, 0.0, 1.0);
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
    OvSetState(OV_STATE_BLENDING, 1);
    OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_SRC_ALPHA, OV_BLEND_ONE_MINUS_SRC_ALPHA);
}

void OV_CORE::CenterWindow(const char* name, int id) {
    if (!desktopRead_) ReadDesktop();
    OV_WINDOW* window = FindWindow(name, id);
    if (!window) return;
    window->x = desktopWidth / 2 - window->width / 2;
    window->y = desktopHeight / 2 - window->height / 2;
}

void OV_CORE::WindowOrthoView(const char* name, int id) {
    const OV_WINDOW* window = FindWindow(name, id);
    if (!window) return;
    if (auto* current = static_cast<OvHandle*>(OvGetState(OV_STATE_CURRENT_TARGET))) OvRenderTargetActivate(*current);
    OvCameraOrtho(0.0, 0.0, window->width, window->height, 0.0);
}

void OV_CORE::SetViewAreaHook(OV_VIEW_AREA_HOOK hook) { viewAreaHook = hook; }

bool OV_CORE::FindViewArea(const char* viewName, int viewId, double* x, double* y) {
    return viewAreaHook && viewAreaHook(viewName, viewId, x, y);
}

int OV_CORE::MouseX(const char* windowName, int id) {
    if (!windowName) return CursorX();
    const OV_WINDOW* window = FindWindow(windowName, id);
    return window ? CursorXIn(*window) : 0;
}

int OV_CORE::MouseY(const char* windowName, int id) {
    if (!windowName) return CursorY();
    const OV_WINDOW* window = FindWindow(windowName, id);
    return window ? CursorYIn(*window) : 0;
}

int OV_CORE::MouseX(const char* windowName, int id, const char* viewName, int viewId) {
    if (!windowName) return CursorX();
    const OV_WINDOW* window = FindWindow(windowName, id);
    if (!window) return 0;
    double viewX = 0.0, viewY = 0.0;
    const int x = CursorXIn(*window);
    return FindViewArea(viewName, viewId, &viewX, &viewY) ? x + static_cast<int>(viewX) : x;
}

int OV_CORE::MouseY(const char* windowName, int id, const char* viewName, int viewId) {
    if (!windowName) return CursorY();
    const OV_WINDOW* window = FindWindow(windowName, id);
    if (!window) return 0;
    double viewX = 0.0, viewY = 0.0;
    const int y = CursorYIn(*window);
    return FindViewArea(viewName, viewId, &viewX, &viewY) ? y + static_cast<int>(viewY) : y;
}

OV_VECTOR OV_CORE::MousePosition(const char* windowName, int id) {
    if (!windowName) return CursorPosition();
    const OV_WINDOW* window = FindWindow(windowName, id);
    if (!window) return OV_VECTOR(0.0, 0.0);
    return OV_VECTOR(CursorXIn(*window), CursorYIn(*window));
}

OV_VECTOR OV_CORE::MousePosition(const char* windowName, int id, const char* viewName, int viewId) {
    OV_VECTOR position = MousePosition(windowName, id);
    if (!windowName || !FindWindow(windowName, id)) return position;
    double viewX = 0.0, viewY = 0.0;
    if (FindViewArea(viewName, viewId, &viewX, &viewY)) {
        position.x += viewX;
        position.y += viewY;
    }
    return position;
}

bool OV_CORE::MouseInRect(int left, int top, int right, int bottom, const char* windowName, int id) {
    if (!windowName) return OvCore::MouseInRect(left, top, right, bottom);
    const OV_WINDOW* window = FindWindow(windowName, id);
    return window && MouseInRectIn(*window, left, top, right, bottom);
}

constinit OV_CORE core;

}  // namespace OvCore
