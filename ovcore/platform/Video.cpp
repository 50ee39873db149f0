// Lazy start of SDL's video subsystem and the GL attributes of every window.
#include "ovcore/platform/SdlBridge.h"

#include "ovcore/platform/Cursor.h"
#include "ovcore/platform/Diagnostics.h"
#include "ovcore/platform/TerminationSignals.h"

#include <SDL2/SDL.h>

namespace {

enum class VideoState { NotStarted, Ready, Failed };
VideoState g_videoState = VideoState::NotStarted;

void SetWindowGlAttributes() {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

}  // namespace

bool PlatformEnsureVideo() {
    if (g_videoState == VideoState::NotStarted) {
        // SDL's own handlers would turn SIGINT and SIGTERM into an SDL_QUIT
        // event and leave SIGHUP alone; ours end every message loop.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        TerminationSignalsInstall();
        // A click that arrives with the keyboard focus (SDL drops it when it
        // handles both within a few milliseconds, which a busy frame always
        // does) is a click like any other.
        SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
            SetWindowGlAttributes();
            g_videoState = VideoState::Ready;
            PlatformApplyCursorVisibility();
        } else {
            PlatformReportFailure("platform: no video: %s", SDL_GetError());
            g_videoState = VideoState::Failed;
        }
    }
    return g_videoState == VideoState::Ready;
}
