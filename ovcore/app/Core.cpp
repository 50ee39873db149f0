#include "ovcore/app/Core.h"

#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/engine/OrvoCore.h"

namespace OvCore {

namespace {

constexpr int kMillisecondsPerSecond = 1000;

float Aspect(int width, int height) {
    return height != 0 ? static_cast<float>(width) / static_cast<float>(height) : 0.0f;
}

} // namespace

// The platform starts its display connection on first use, so reading the
// screen size here, during static construction, is safe; without a display
// the size is 0 x 0 and the aspect 0.
OV_CORE::OV_CORE()
    : desktopWidth(GetSystemMetrics(SM_CXSCREEN)),
      desktopHeight(GetSystemMetrics(SM_CYSCREEN)),
      desktopAspect(Aspect(desktopWidth, desktopHeight)) {}

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

bool OV_CORE::SwitchTo(OV_SCENE_MANAGER::Iterator target) {
    OV_LOOP_STATE& loop = LoopState();
    if (!loop.running || target.IsEnd()) return false;
    scenes.current = target;
    scenes.advance = false;
    scenes.switchRequested = true;
    loop.running = false;
    return true;
}

bool OV_CORE::ChangeScene(const char* name, int id) {
    return SwitchTo(scenes.list.Access(FIND_NAME, name, id));
}

bool OV_CORE::ChangeSceneTo(OV_SCENE_MANAGER::Iterator target) {
    return SwitchTo(target);
}

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

OV_CORE core;

} // namespace OvCore
