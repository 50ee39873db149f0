#include "ovcore/engine/render/ShareRoot.h"

#include "ovcore/engine/render/DriverScratchMemory.h"
#include "ovcore/engine/render/RenderContext.h"
#include "ovcore/platform/SdlBridge.h"

#include <SDL2/SDL.h>

namespace ov {

bool ShareRoot::Ensure() {
    if (context_) return true;
    if (!PlatformEnsureVideo()) return false;
    KeepDriverScratchOnHeap();
    window_ = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
    if (!window_) return false;
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
    NoteCurrentContextChange();
    context_ = SDL_GL_CreateContext(window_);
    if (!context_) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
        return false;
    }
    return true;
}

bool ShareRoot::MakeCurrent() const {
    NoteCurrentContextChange();
    return context_ && SDL_GL_MakeCurrent(window_, context_) == 0;
}

void ShareRoot::Destroy() {
    NoteCurrentContextChange();
    if (context_) {
        if (SDL_GL_GetCurrentContext() == context_) SDL_GL_MakeCurrent(window_, nullptr);
        SDL_GL_DeleteContext(context_);
    }
    if (window_) SDL_DestroyWindow(window_);
    context_ = nullptr;
    window_ = nullptr;
}

}  // namespace ov
