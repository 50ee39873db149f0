#include "ovcore/engine/render/RenderTargetTable.h"

#include "ovcore/engine/render/RenderContext.h"
#include "ovcore/platform/Diagnostics.h"
#include "ovcore/platform/SdlBridge.h"

#include <SDL2/SDL.h>

#include <vector>

namespace ov {

bool RenderTarget::WindowAlive() const { return window && PlatformWindowSdl(static_cast<HWND>(hwnd)) == window; }

void RenderTarget::RefreshWindowHeight() {
    if (!WindowAlive()) return;
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    viewport[kWindowHeight] = height;
}

RenderTarget* RenderTargetTable::Create(void* hwnd, int flags, int bitsPerPixel) {
    SDL_Window* window = PlatformWindowSdl(static_cast<HWND>(hwnd));
    if (!window) {
        PlatformReportFailure("engine: render target refused: %p is not a live window", hwnd);
        return nullptr;
    }
    if (!root_.Ensure() || !root_.MakeCurrent()) {
        PlatformReportFailure("engine: render target refused: no GL context for sharing: %s", SDL_GetError());
        return nullptr;
    }
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 1);
    NoteCurrentContextChange();
    SDL_GLContext context = SDL_GL_CreateContext(window);
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
    if (!context) {
        PlatformReportFailure("engine: render target refused: GL context: %s", SDL_GetError());
        RestoreCurrent();
        return nullptr;
    }
    RenderTarget* target = targets_.AddWithId();
    if (!target) {
        SDL_GL_DeleteContext(context);
        RestoreCurrent();
        return nullptr;
    }
    target->hwnd = hwnd;
    target->window = window;
    target->context = context;
    target->flags = flags;
    target->bitsPerPixel = bitsPerPixel;
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    target->viewport[kViewportWidth] = width;
    target->viewport[kViewportHeight] = height;
    target->viewport[kWindowHeight] = height;
    RestoreCurrent();
    return target;
}

void RenderTargetTable::RestoreCurrent() {
    NoteCurrentContextChange();
    RenderTarget* current = Render().Current();
    if (current && current->WindowAlive() && SDL_GL_MakeCurrent(current->window, current->context) == 0) {
        return;
    }
    Render().Release(current);
    root_.MakeCurrent();
}

void RenderTargetTable::Destroy(RenderTarget* target) {
    if (!target) return;
    if (Render().Current() == target) {
        Render().Release(target);
        root_.MakeCurrent();
    }
    if (SDL_GL_GetCurrentContext() == target->context) root_.MakeCurrent();
    NoteCurrentContextChange();
    SDL_GL_DeleteContext(target->context);
    targets_.Destroy(OvHandle{0, target->id});
}

// Destroy gives the slot back, so the targets are gathered first (they are
// few, and this runs once, at the engine's closure).
void RenderTargetTable::DestroyAll() {
    std::vector<RenderTarget*> targets;
    targets_.ForEach([&targets](OvHandle, RenderTarget& target) { targets.push_back(&target); });
    for (RenderTarget* target : targets) Destroy(target);
    root_.Destroy();
}

RenderTargetTable& RenderTargets() {
    static RenderTargetTable table;
    return table;
}

}  // namespace ov
