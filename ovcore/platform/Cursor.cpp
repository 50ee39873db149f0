// Cursor position, warping, the ShowCursor display counter and the
// pointer's shape.
#include "ovcore/platform/Cursor.h"

#include "ovcore/platform/Diagnostics.h"
#include "ovcore/platform/Platform.h"
#include "ovcore/platform/SdlBridge.h"
#include "ovcore/platform/X11Server.h"

#include <SDL2/SDL.h>

// A cursor shape: one of the shared system cursors (made on first use), or
// one made from pixels, which owns its SDL cursor.
struct PlatformCursor {
    WORD id;
    SDL_SystemCursor system;
    bool shared;
    SDL_Cursor* sdl;
};

namespace {

int g_displayCount = 0;
HCURSOR g_current = nullptr;

PlatformCursor g_systemCursors[] = {
    {32512, SDL_SYSTEM_CURSOR_ARROW, true, nullptr},    {32513, SDL_SYSTEM_CURSOR_IBEAM, true, nullptr},
    {32514, SDL_SYSTEM_CURSOR_WAIT, true, nullptr},     {32515, SDL_SYSTEM_CURSOR_CROSSHAIR, true, nullptr},
    {32642, SDL_SYSTEM_CURSOR_SIZENWSE, true, nullptr}, {32643, SDL_SYSTEM_CURSOR_SIZENESW, true, nullptr},
    {32644, SDL_SYSTEM_CURSOR_SIZEWE, true, nullptr},   {32645, SDL_SYSTEM_CURSOR_SIZENS, true, nullptr},
    {32646, SDL_SYSTEM_CURSOR_SIZEALL, true, nullptr},  {32648, SDL_SYSTEM_CURSOR_NO, true, nullptr},
    {32649, SDL_SYSTEM_CURSOR_HAND, true, nullptr},     {32650, SDL_SYSTEM_CURSOR_WAITARROW, true, nullptr},
};

SDL_Cursor* SdlCursor(PlatformCursor* cursor) {
    if (!cursor) return SDL_GetDefaultCursor();
    if (!cursor->sdl && cursor->shared) {
        cursor->sdl = SDL_CreateSystemCursor(cursor->system);
        if (!cursor->sdl) PlatformReportFailure("platform: cursor not made: %u: %s", cursor->id, SDL_GetError());
    }
    return cursor->sdl;
}

}  // namespace

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (instance || !IS_INTRESOURCE(name)) return nullptr;
    for (PlatformCursor& cursor : g_systemCursors) {
        if (cursor.id == LOWORD(name)) return &cursor;
    }
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
    const HCURSOR previous = g_current;
    if (!PlatformEnsureVideo()) return previous;
    SDL_Cursor* shape = SdlCursor(cursor);
    if (!shape) return previous;
    SDL_SetCursor(shape);
    g_current = cursor;
    return previous;
}

BOOL DestroyCursor(HCURSOR cursor) {
    if (!cursor || cursor->shared) return FALSE;
    if (g_current == cursor) SetCursor(nullptr);
    SDL_FreeCursor(cursor->sdl);
    delete cursor;
    return TRUE;
}

HCURSOR PlatformCreateCursor(const unsigned char* rgba, int width, int height, int hotX, int hotY) {
    if (!rgba || width < 1 || height < 1 || width > kPlatformCursorMaxSide || height > kPlatformCursorMaxSide ||
        hotX < 0 || hotY < 0 || hotX >= width || hotY >= height) {
        PlatformReportFailure("platform: cursor not made: %d x %d, hot spot %d, %d: out of range", width, height, hotX,
                              hotY);
        return nullptr;
    }
    if (!PlatformEnsureVideo()) return nullptr;
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<unsigned char*>(rgba), width, height, 32,
                                                            width * 4, SDL_PIXELFORMAT_RGBA32);
    SDL_Cursor* sdl = image ? SDL_CreateColorCursor(image, hotX, hotY) : nullptr;
    SDL_FreeSurface(image);
    if (!sdl) {
        PlatformReportFailure("platform: cursor not made: %d x %d: %s", width, height, SDL_GetError());
        return nullptr;
    }
    return new PlatformCursor{0, SDL_SYSTEM_CURSOR_ARROW, false, sdl};
}

HCURSOR PlatformCurrentCursor() { return g_current; }

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

int PlatformCursorDisplayCount() { return g_displayCount; }

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
    PlatformWhenVideoStarts(PlatformApplyCursorVisibility);
    return g_displayCount;
}
