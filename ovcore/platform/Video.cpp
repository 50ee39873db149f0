// Lazy start of SDL's video subsystem and the GL attributes of every window.
#include "ovcore/platform/SdlBridge.h"

#include "ovcore/platform/Diagnostics.h"
#include "ovcore/platform/TerminationSignals.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <vector>

namespace {

enum class VideoState { NotStarted, Ready, Failed };
VideoState g_videoState = VideoState::NotStarted;
std::vector<void (*)()> g_whenStarted;  // run once video is ready

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
            for (void (*action)() : g_whenStarted) action();
            g_whenStarted.clear();
        } else {
            PlatformReportFailure("platform: no video: %s", SDL_GetError());
            g_videoState = VideoState::Failed;
        }
    }
    return g_videoState == VideoState::Ready;
}

void PlatformWhenVideoStarts(void (*action)()) {
    if (g_videoState == VideoState::Ready) {
        action();
    } else if (std::find(g_whenStarted.begin(), g_whenStarted.end(), action) == g_whenStarted.end()) {
        g_whenStarted.push_back(action);
    }
}
