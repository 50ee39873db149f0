#include "ovcore/engine/render/RenderTargetTable.h"

#include "ovcore/engine/render/RenderContext.h"
#include "ovcore/platform/Diagnostics.h"
#include "ovcore/platform/SdlBridge.h"

#include <SDL2/SDL.h>

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
    auto target = std::make_unique<RenderTarget>();
    target->id = nextId_++;
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
    targets_.push_back(std::move(target));
    RestoreCurrent();
    return targets_.back().get();
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

RenderTarget* RenderTargetTable::Find(OvHandle handle) const {
    if (OvHandleIsEmpty(handle)) return nullptr;
    for (const auto& target : targets_) {
        if (target->id == handle.word1) return target.get();
    }
    return nullptr;
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
    for (auto it = targets_.begin(); it != targets_.end(); ++it) {
        if (it->get() == target) {
            targets_.erase(it);
            break;
        }
    }
}

void RenderTargetTable::DestroyAll() {
    while (!targets_.empty()) Destroy(targets_.back().get());
    root_.Destroy();
}

RenderTargetTable& RenderTargets() {
    static RenderTargetTable table;
    return table;
}

}  // namespace ov
