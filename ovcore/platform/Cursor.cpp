// Cursor position, warping and the ShowCursor display counter.
#include "ovcore/platform/Cursor.h"

#include "ovcore/platform/Platform.h"
#include "ovcore/platform/SdlBridge.h"
#include "ovcore/platform/X11Server.h"

#include <SDL2/SDL.h>

namespace {
int g_displayCount = 0;
}

void CachedCursorPos(POINT* point) {
    *point = POINT{0, 0};
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    int windowX = 0, windowY = 0;
    if (SDL_Window* focus = SDL_GetMouseFocus()) SDL_GetWindowPosition(focus, &windowX, &windowY);
    *point = POINT{windowX + x, windowY + y};
}

void PlatformApplyCursorVisibility() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    SDL_ShowCursor(g_displayCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
}

int PlatformCursorDisplayCount() {
    return g_displayCount;
}

// On X11 the pointer is asked of the server: one round trip, and it follows
// the pointer over any window and outside them.
BOOL GetCursorPos(POINT* point) {
    if (!point || !PlatformEnsureVideo()) return FALSE;
    if (X11QueryPointer(point)) return TRUE;
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    *point = POINT{x, y};
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    if (!PlatformEnsureVideo()) return FALSE;
    if (X11WarpPointer(x, y)) return TRUE;
    return SDL_WarpMouseGlobal(x, y) == 0 ? TRUE : FALSE;
}

int ShowCursor(BOOL show) {
    g_displayCount += show ? 1 : -1;
    PlatformApplyCursorVisibility();
    return g_displayCount;
}
